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

// The vowel teams whose letters spell one vowel together; a silent vowel letter beside the
// nucleus joins it only in one of these (gr-ea-t, fr-ie-nd), not across two syllables
// (di-a-mond, the-o-ry).
constexpr std::string_view kVowelTeams[] = {"ae", "ai", "ay", "au", "aw", "ea", "ee", "ei",
                                            "ey", "eu", "ew", "ie", "oa", "oe", "oi", "oo",
                                            "ou", "ow", "oy", "ue", "ui", "uy"};

bool IsVowelTeam(char first, char second) {
  const char pair[] = {first, second};
  for (const std::string_view team : kVowelTeams) {
    if (team == std::string_view(pair, 2)) return true;
  }
  return false;
}

bool IsSilentVowelStep(std::string_view word, const TAlignedPair& step) {
  if (step.PhonemeCount != 0 || step.LetterCount != 1) return false;
  return IsVowelLetter(word[step.LetterBegin]);
}

// NucleusLetters marks, in marked, the vowel letters that spell the vowel of step k: those of
// its letter group, and a silent vowel letter beside it that makes a vowel team with it. A u
// after g or q belongs to the consonant, and a final e after another vowel letter is silent
// (true, eye), unless either is all the nucleus has.
void NucleusLetters(std::string_view word, const std::vector<TAlignedPair>& steps, std::size_t k,
                    std::vector<bool>& marked) {
  std::size_t begin = steps[k].LetterBegin;
  std::size_t end = begin + steps[k].LetterCount;
  if (k > 0 && IsSilentVowelStep(word, steps[k - 1]) && IsVowelLetter(word[begin]) &&
      IsVowelTeam(word[begin - 1], word[begin])) {
    --begin;
  }
  if (k + 1 < steps.size() && IsSilentVowelStep(word, steps[k + 1]) && end > begin &&
      IsVowelLetter(word[end - 1]) && IsVowelTeam(word[end - 1], word[end])) {
    ++end;
  }
  std::vector<std::size_t> vowels;
  for (std::size_t i = begin; i < end; ++i) {
    if (IsVowelLetter(word[i])) vowels.push_back(i);
  }
  if (vowels.size() > 1 && vowels.front() > 0 && word[vowels.front()] == 'u' &&
      (word[vowels.front() - 1] == 'g' || word[vowels.front() - 1] == 'q')) {
    vowels.erase(vowels.begin());
  }
  if (vowels.size() > 1 && vowels.back() + 1 == word.size() && word[vowels.back()] == 'e' &&
      word[vowels.back() - 1] != 'e') {
    vowels.pop_back();
  }
  for (const std::size_t i : vowels) marked[i] = true;
}

int StressOfStep(const std::vector<std::string>& phonemes, const TAlignedPair& step) {
  int stress = 0;
  for (std::size_t p = 0; p < step.PhonemeCount; ++p) {
    const int s = StressOf(phonemes[step.PhonemeBegin + p]);
    if (s == 1 || (s == 2 && stress == 0)) stress = s;
  }
  return stress;
}

}  // namespace

std::u16string MarkStressLevels(std::string_view word, const std::vector<std::string>& phonemes,
                                const TAlignment& alignment) {
  std::u16string value(word.begin(), word.end());
  const auto vowels =
      std::ranges::count_if(phonemes, [](const std::string& p) { return StressOf(p) >= 0; });
  if (vowels <= 1) return value;
  std::vector<bool> primary(word.size(), false);
  std::vector<bool> secondary(word.size(), false);
  for (std::size_t k = 0; k < alignment.Pairs.size(); ++k) {
    const int stress = StressOfStep(phonemes, alignment.Pairs[k]);
    if (stress == 1) NucleusLetters(word, alignment.Pairs, k, primary);
    if (stress == 2) NucleusLetters(word, alignment.Pairs, k, secondary);
  }
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (primary[i]) {
      value[i] = AccentedCapital(word[i]);
    } else if (secondary[i]) {
      value[i] = GraveOf(word[i]);
    }
  }
  return value;
}

std::u16string MarkPrimaryNucleus(std::string_view word, const std::vector<std::string>& phonemes,
                                  const TAlignment& alignment) {
  std::u16string value(word.begin(), word.end());
  std::vector<bool> primary(word.size(), false);
  for (std::size_t k = 0; k < alignment.Pairs.size(); ++k) {
    if (StressOfStep(phonemes, alignment.Pairs[k]) == 1) {
      NucleusLetters(word, alignment.Pairs, k, primary);
    }
  }
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (primary[i]) value[i] = AccentedCapital(word[i]);
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
