#include "tools/StressLevels.h"

#include <algorithm>
#include <map>

#include "pattern/Utf.h"
#include "tools/StressMarker.h"

namespace lexipulse {

namespace {

constexpr std::u16string_view kVowels = u"aeiouy";
constexpr std::u16string_view kGrave = u"\u00E0\u00E8\u00EC\u00F2\u00F9\u1EF3";

char16_t GraveOf(char vowel) { return kGrave[kVowels.find(static_cast<char16_t>(vowel))]; }

}  // namespace

std::u16string MarkStressLevels(std::string_view word, const std::vector<std::string>& phonemes,
                                const TAlignment& alignment) {
  std::u16string value(word.begin(), word.end());
  const auto vowels =
      std::ranges::count_if(phonemes, [](const std::string& p) { return StressOf(p) >= 0; });
  if (vowels <= 1) return value;
  for (const TAlignedPair& step : alignment.Pairs) {
    int stress = 0;
    for (std::size_t p = 0; p < step.PhonemeCount; ++p) {
      const int s = StressOf(phonemes[step.PhonemeBegin + p]);
      if (s == 1 || (s == 2 && stress == 0)) stress = s;
    }
    if (stress == 0) continue;
    for (std::size_t i = step.LetterBegin; i < step.LetterBegin + step.LetterCount; ++i) {
      if (!IsVowelLetter(word[i])) continue;
      value[i] = stress == 1 ? AccentedCapital(word[i]) : GraveOf(word[i]);
    }
  }
  return value;
}

TStressLevelsTable BuildStressLevels(const TCmuSource& source, const TAligner& aligner,
                                     const std::vector<TMarkedWord>& marked) {
  std::map<std::string, const TCmuEntry*> entries;
  for (const TCmuEntry& entry : source.Entries) entries.emplace(entry.Word, &entry);
  TStressLevelsTable table;
  for (const TMarkedWord& word : marked) {
    const auto found = entries.find(word.Word);
    if (found == entries.end()) continue;
    const TCmuEntry& entry = *found->second;
    const std::optional<TAlignment> alignment = aligner.Align(entry.Word, entry.Phonemes);
    if (!alignment) continue;
    const std::u16string value = MarkStressLevels(entry.Word, entry.Phonemes, *alignment);
    if (value == word.Marked) continue;
    if (value == std::u16string(word.Word.begin(), word.Word.end())) {
      ++table.OneSyllable;
    } else if (std::ranges::any_of(value,
                                   [](char16_t c) { return kGrave.find(c) != kGrave.npos; })) {
      ++table.WithSecondary;
    } else {
      ++table.NucleusOnly;
    }
    table.Lines.push_back({word.Word, value});
  }
  std::ranges::sort(table.Lines, {}, &TDictionaryLine::Key);
  return table;
}

std::string EncodeNotationTable(const std::vector<TDictionaryLine>& lines) {
  std::string bytes;
  for (const TDictionaryLine& line : lines) {
    bytes += line.Key;
    bytes += '=';
    bytes += Utf16ToUtf8(line.Value);
    bytes += '\n';
  }
  return bytes;
}

}  // namespace lexipulse
