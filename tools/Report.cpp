#include "tools/Report.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "pattern/Utf.h"
#include "tools/DictFormat.h"

namespace lexipulse {

namespace {

constexpr std::size_t kExamples = 12;

std::string Percent(std::size_t part, std::size_t whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f%%",
                whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

}  // namespace

std::string AgreementReport(const std::string& title, const TAgreementReport& report) {
  std::string text = title + "\n";
  text += "  words checked: " + std::to_string(report.Words) + "\n";
  text += "  marked exactly as their own pronunciation: " + std::to_string(report.Agreeing) + " (" +
          Percent(report.Agreeing, report.Words) + ")\n";
  for (const auto& [kind, count] : report.Counts) {
    text += "  " + DisagreementName(kind) + ": " + std::to_string(count) + "\n";
    for (const std::string& example : report.Examples.at(kind)) {
      text += "    " + example + "\n";
    }
  }
  return text;
}

std::string GenerationReport(const TCmuSource& source, const TGeneration& generation,
                             const std::string& data) {
  std::string text = "Dictionary generation report\n\nSource\n";
  std::size_t read = generation.EligibleWords;
  for (const auto& [reason, count] : source.Skipped) read += count;
  text += "  entries read: " + std::to_string(read) + "\n";
  for (const auto& [reason, count] : source.Skipped) {
    text += "  left out, " + reason + ": " + std::to_string(count) + "\n";
  }
  text += "  eligible words: " + std::to_string(generation.EligibleWords) + "\n\n";

  const TBuiltDictionary& built = generation.Dictionary;
  std::size_t longest = 0;
  for (const TDictionaryLine& line : built.Lines) longest = std::max(longest, line.Value.size());
  const std::vector<std::string> problems = DataProblems(DecodeDictionary(data));
  text += "Data\n";
  text += "  lines: " + std::to_string(built.Lines.size()) + "\n";
  text += "  bytes: " + std::to_string(data.size()) + "\n";
  text += "  word keys: " + std::to_string(built.WordKeys) + "\n";
  text += "  stem keys: " + std::to_string(built.StemKeys) + "\n";
  text += "  longest value: " + std::to_string(longest) + " characters\n";
  text += "  format problems: " + std::to_string(problems.size()) + "\n";
  for (const std::string& problem : problems) text += "    " + problem + "\n";
  text += "  coverage: " + std::to_string(generation.Marked.size()) + " of " +
          std::to_string(generation.EligibleWords) + " eligible words have a line (" +
          Percent(generation.Marked.size(), generation.EligibleWords) + ")\n";
  text +=
      "  words without a primary stress (unmarked): " + std::to_string(generation.WithoutPrimary) +
      "\n";
  text += "  words with a primary-stressed nucleus that no vowel letter spells: " +
          std::to_string(generation.WithUnspelledNucleus) + "\n";
  for (const std::string& word : generation.UnspelledExamples) text += "    " + word + "\n";
  text += "\n";

  text += "Stem keys that words mark differently (most words' mark, ties to the first word)\n";
  text += "  stems: " + std::to_string(built.Collisions.size()) + "\n";
  for (std::size_t i = 0; i < built.Collisions.size() && i < kExamples; ++i) {
    const TStemChoice& choice = built.Collisions[i];
    text += "    " + choice.Radical + "=" + Utf16ToUtf8(choice.Chosen) + " (" +
            std::to_string(choice.Agreeing) + " of " + std::to_string(choice.Words) + " words)\n";
  }
  text += "\n";
  text += AgreementReport("Dictionary step computed from the lines (split, then exact key)",
                          CheckAgreement(generation.Marked, TableStep(built), kExamples));
  text += "\n";

  std::map<std::string, std::vector<const TUnaligned*>> byReason;
  for (const TUnaligned& word : generation.Unaligned) byReason[word.Reason].push_back(&word);
  text += "Words without a line: " + std::to_string(generation.Unaligned.size()) + "\n";
  for (const auto& [reason, words] : byReason) {
    text += "  " + reason + ": " + std::to_string(words.size()) + "\n";
    for (const TUnaligned* word : words) {
      text += "    " + word->Word;
      if (!word->Detail.empty()) text += " (" + word->Detail + ")";
      text += "\n";
    }
  }
  return text;
}

}  // namespace lexipulse
