#include "tools/HeteronymTable.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "pattern/Utf.h"
#include "tools/Aligner.h"
#include "tools/StressMarker.h"

namespace lexipulse {

namespace {

constexpr std::size_t kLeftOutExamples = 40;

std::runtime_error ListError(std::size_t lineNumber, const std::string& what) {
  return std::runtime_error("heteronym list line " + std::to_string(lineNumber) + ": " + what);
}

std::vector<std::string> SplitTabs(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.emplace_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

int ReadingIndex(const std::string& name) {
  for (std::size_t r = 0; r < kHeteronymReadings.size(); ++r) {
    if (name == kHeteronymReadings[r]) return static_cast<int>(r);
  }
  return -1;
}

bool LettersOnly(const std::string& text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= 'a' && c <= 'z'; });
}

// PrimarySyllables lists, for every pronunciation, how many vowel phonemes it has and which of
// them (from 1) carries the primary stress.
std::vector<std::pair<int, int>> PrimarySyllables(
    const std::vector<std::vector<std::string>>& pronunciations) {
  std::vector<std::pair<int, int>> found;
  for (const auto& phonemes : pronunciations) {
    int vowels = 0;
    int primary = 0;
    for (const std::string& phoneme : phonemes) {
      const int stress = StressOf(phoneme);
      if (stress < 0) continue;
      ++vowels;
      if (stress == 1 && primary == 0) primary = vowels;
    }
    found.emplace_back(vowels, primary);
  }
  return found;
}

}  // namespace

std::vector<THeteronymListing> ReadHeteronymList(std::string_view text) {
  std::vector<THeteronymListing> list;
  std::set<std::string> seen;
  std::istringstream in{std::string(text)};
  std::size_t lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() != 6) throw ListError(lineNumber, "expected 6 tab-separated fields");
    THeteronymListing listing;
    listing.Form = fields[0];
    if (!LettersOnly(listing.Form)) throw ListError(lineNumber, "form not of letters a-z");
    for (std::size_t r = 0; r < 3; ++r) {
      const std::string& field = fields[1 + r];
      if (field == "-") continue;
      if (field.empty() ||
          !std::ranges::all_of(field, [](char c) { return c >= '0' && c <= '9'; }) ||
          field.size() > 2 || std::stoi(field) == 0) {
        throw ListError(lineNumber, "stress '" + field + "' is neither a group number nor '-'");
      }
      listing.Stress[r] = std::stoi(field);
    }
    listing.Default = fields[4];
    const int reading = ReadingIndex(listing.Default);
    if (reading < 0 || listing.Stress[static_cast<std::size_t>(reading)] == 0) {
      throw ListError(lineNumber, "default '" + listing.Default + "' is not a reading of the word");
    }
    listing.Decided = fields[5];
    if (listing.Decided != "context" && listing.Decided != "fixed") {
      throw ListError(lineNumber, "decided must be 'context' or 'fixed'");
    }
    if (!seen.insert(listing.Form).second)
      throw ListError(lineNumber, listing.Form + " given twice");
    list.push_back(std::move(listing));
  }
  return list;
}

std::vector<std::pair<std::size_t, std::size_t>> VowelGroups(std::string_view word) {
  std::vector<std::pair<std::size_t, std::size_t>> groups;
  std::size_t i = 0;
  while (i < word.size()) {
    const bool afterGq = i > 0 && (word[i - 1] == 'g' || word[i - 1] == 'q');
    const bool consonantU =
        word[i] == 'u' && afterGq && i + 1 < word.size() && IsVowelLetter(word[i + 1]);
    const bool consonantY = word[i] == 'y' && i + 1 < word.size() && IsVowelLetter(word[i + 1]);
    if (!IsVowelLetter(word[i]) || consonantU || consonantY) {
      ++i;
      continue;
    }
    const std::size_t begin = i;
    while (i < word.size() && IsVowelLetter(word[i]) && !(i > begin && word[i - 1] == 'y')) {
      ++i;
    }
    groups.emplace_back(begin, i);
  }
  return groups;
}

std::u16string MarkVowelGroup(std::string_view word, int n) {
  const auto groups = VowelGroups(word);
  if (n < 1 || static_cast<std::size_t>(n) > groups.size()) {
    throw std::out_of_range(std::string(word) + " has no vowel group " + std::to_string(n));
  }
  std::u16string marked(word.begin(), word.end());
  const auto [begin, end] = groups[static_cast<std::size_t>(n) - 1];
  for (std::size_t i = begin; i < end; ++i) marked[i] = AccentedCapital(word[i]);
  return marked;
}

std::string InflectedForm(const std::string& form, const std::string& ending,
                          const std::vector<std::string>& sourceWords) {
  std::vector<std::string> candidates;
  const char last = form.back();
  const std::string doubled = form + last;
  const bool silentE = last == 'e' && !form.ends_with("ee");
  if (ending == "s") {
    candidates = {form + "s", form + "es"};
  } else if (ending == "ed") {
    candidates = silentE ? std::vector<std::string>{form + "d"}
                         : std::vector<std::string>{form + "ed", doubled + "ed"};
  } else {
    candidates = silentE ? std::vector<std::string>{form.substr(0, form.size() - 1) + "ing"}
                         : std::vector<std::string>{form + "ing", doubled + "ing"};
  }
  for (const std::string& candidate : candidates) {
    if (std::ranges::binary_search(sourceWords, candidate)) return candidate;
  }
  return "";
}

THeteronymTable BuildHeteronymTable(const std::vector<THeteronymListing>& list,
                                    const TCmuSource& source) {
  std::map<std::string, std::vector<std::vector<std::string>>> pronunciations;
  std::vector<std::string> words;
  for (const TCmuEntry& entry : source.Entries) {
    words.push_back(entry.Word);
    auto& all = pronunciations[entry.Word];
    all.push_back(entry.Phonemes);
    if (const auto later = source.Later.find(entry.Word); later != source.Later.end()) {
      all.insert(all.end(), later->second.begin(), later->second.end());
    }
  }
  std::ranges::sort(words);

  THeteronymTable table;
  std::map<std::string, THeteronymLine> lines;
  std::set<std::string> listed;
  for (const THeteronymListing& listing : list) listed.insert(listing.Form);

  for (const THeteronymListing& listing : list) {
    THeteronymLine line{listing.Form, {}, listing.Default, listing.Decided};
    const auto known = pronunciations.find(listing.Form);
    const auto syllables = known == pronunciations.end() ? std::vector<std::pair<int, int>>{}
                                                         : PrimarySyllables(known->second);
    const auto spelled = VowelGroups(listing.Form);
    const int groups = static_cast<int>(spelled.size());
    // A final e after a consonant is silent and spells no syllable of the source (combine).
    const bool silentE = groups > 1 && listing.Form.ends_with('e') &&
                         spelled.back().first + 1 == listing.Form.size() &&
                         spelled.back().second - spelled.back().first == 1;
    for (std::size_t r = 0; r < 3; ++r) {
      const int group = listing.Stress[r];
      if (group == 0) continue;
      line.Marked[r] = MarkVowelGroup(listing.Form, group);
      bool comparable = false;
      bool attested = false;
      for (const auto& [vowels, primary] : syllables) {
        if (vowels != groups && !(silentE && vowels == groups - 1)) continue;
        comparable = true;
        attested = attested || primary == group;
      }
      std::string origin;
      if (attested) {
        origin = "CMU lists it";
        ++table.FromCmu;
      } else if (comparable) {
        origin = "by hand, CMU lists no pronunciation stressed there";
        ++table.ByHand;
      } else {
        origin = "by hand, CMU's syllables do not line up with the spelling's vowel groups";
        ++table.Unchecked;
      }
      table.Readings.push_back(listing.Form + " " + kHeteronymReadings[r] + " " +
                               Utf16ToUtf8(line.Marked[r]) + ": " + origin);
    }
    lines[listing.Form] = line;

    for (const std::string ending : {"s", "ed", "ing"}) {
      const std::string inflected = InflectedForm(listing.Form, ending, words);
      if (inflected.empty() || listed.contains(inflected)) continue;
      THeteronymLine derived{inflected, {}, listing.Default, listing.Decided};
      if (ending == "s") {
        for (std::size_t r = 0; r < 2; ++r) {
          if (listing.Stress[r] != 0)
            derived.Marked[r] = MarkVowelGroup(inflected, listing.Stress[r]);
        }
        if (derived.Marked[static_cast<std::size_t>(ReadingIndex(derived.Default))].empty()) {
          derived.Default = listing.Stress[0] != 0 ? "noun" : "verb";
        }
        // A plural whose readings share their stress (minutes) is no heteronym.
        if (derived.Marked[0].empty() || derived.Marked[1].empty() ||
            derived.Marked[0] == derived.Marked[1]) {
          continue;
        }
      } else {
        if (listing.Stress[1] == 0) continue;
        derived.Marked[1] = MarkVowelGroup(inflected, listing.Stress[1]);
        derived.Default = "verb";
        derived.Decided = "form";
      }
      lines.emplace(inflected, derived);
    }
  }

  for (const auto& [word, all] : pronunciations) {
    if (all.size() < 2 || lines.contains(word)) continue;
    std::set<int> primaries;
    for (const auto& [vowels, primary] : PrimarySyllables(all)) {
      if (primary > 0) primaries.insert(primary);
    }
    if (primaries.size() > 1) table.LeftOut.push_back(word);
  }
  for (auto& [form, line] : lines) table.Lines.push_back(std::move(line));
  return table;
}

std::string EncodeHeteronymTable(const THeteronymTable& table) {
  std::string text =
      "# form\tnoun\tverb\tadjective\tdefault\tdecided (generated by lexipulse-hetgen)\n";
  for (const THeteronymLine& line : table.Lines) {
    text += line.Form;
    for (const std::u16string& marked : line.Marked) {
      text += '\t' + (marked.empty() ? std::string("-") : Utf16ToUtf8(marked));
    }
    text += '\t' + line.Default + '\t' + line.Decided + '\n';
  }
  return text;
}

std::string HeteronymReport(const THeteronymTable& table) {
  std::ostringstream out;
  out << "Heteronym table\n\n";
  out << "forms: " << table.Lines.size() << "\n";
  out << "listed readings: " << table.Readings.size() << " (" << table.FromCmu
      << " that CMU lists, " << table.ByHand << " by hand where CMU has another stress only, "
      << table.Unchecked << " by hand where CMU's syllables cannot be compared)\n\n";
  out << "Listed readings:\n";
  for (const std::string& reading : table.Readings) out << "  " << reading << "\n";
  out << "\nSource words with pronunciations stressed on different syllables that the list "
         "leaves out (free variants, names, numbers, rare words): "
      << table.LeftOut.size() << "; the first " << std::min(kLeftOutExamples, table.LeftOut.size())
      << ":\n ";
  for (std::size_t i = 0; i < table.LeftOut.size() && i < kLeftOutExamples; ++i) {
    out << " " << table.LeftOut[i];
  }
  out << "\n";
  return out.str();
}

}  // namespace lexipulse
