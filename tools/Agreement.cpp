#include "tools/Agreement.h"

#include <set>
#include <string_view>

#include "pattern/Utf.h"
#include "tools/StressMarker.h"

namespace lexipulse {

namespace {

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

bool HasMark(std::u16string_view text) {
  for (char16_t c : text) {
    if (UnaccentedLetter(c) != c) return true;
  }
  return false;
}

}  // namespace

std::size_t TAgreementReport::Disagreeing(TDisagreement kind) const {
  const auto found = Counts.find(kind);
  return found == Counts.end() ? 0 : found->second;
}

std::string DisagreementName(TDisagreement kind) {
  switch (kind) {
    case TDisagreement::kStressInEnding:
      return "stress in the split-off ending, which is appended unmarked";
    case TDisagreement::kRadicalIsWord:
      return "radical is a word of its own with another stress";
    case TDisagreement::kSharedStem:
      return "radical is a stem key that most words mark otherwise";
    case TDisagreement::kUnexplained:
      return "unexplained";
  }
  return "unknown";
}

TAgreementReport CheckAgreement(const std::vector<TMarkedWord>& words,
                                const std::function<TDictionaryStep(const std::string&)>& step,
                                std::size_t examplesPerKind) {
  // Every form a radical's line may rightly hold: the radical's own marks when it is a word,
  // and the marks that the words splitting into it give those letters.
  std::map<std::u16string, std::u16string> ownMarks;
  for (const TMarkedWord& word : words) ownMarks.emplace(Widen(word.Word), word.Marked);
  std::map<std::u16string, std::set<std::u16string>> rightful;
  for (const auto& [word, marked] : ownMarks) rightful[word].insert(marked);
  for (const TMarkedWord& word : words) {
    const auto [radical, ending] = SplitEnding(word.Word);
    if (!ending.empty()) rightful[Widen(radical)].insert(word.Marked.substr(0, radical.size()));
  }
  TAgreementReport report;
  for (const TMarkedWord& word : words) {
    ++report.Words;
    const TDictionaryStep result = step(word.Word);
    if (result.Stressed == word.Marked) {
      ++report.Agreeing;
      continue;
    }
    TDisagreement kind = TDisagreement::kUnexplained;
    const std::size_t radicalSize = result.Radical.size();
    const bool explicable =
        !result.Ending.empty() && result.Radical + result.Ending == Widen(word.Word) &&
        result.Stressed.size() == word.Marked.size() &&
        result.Stressed.substr(radicalSize) == result.Ending &&
        rightful[result.Radical].contains(result.Stressed.substr(0, radicalSize));
    if (explicable) {
      if (HasMark(std::u16string_view(word.Marked).substr(radicalSize))) {
        kind = TDisagreement::kStressInEnding;
      } else if (ownMarks.contains(result.Radical)) {
        kind = TDisagreement::kRadicalIsWord;
      } else {
        kind = TDisagreement::kSharedStem;
      }
    }
    ++report.Counts[kind];
    std::vector<std::string>& examples = report.Examples[kind];
    if (examples.size() < examplesPerKind) {
      examples.push_back(word.Word + ": " + Utf16ToUtf8(word.Marked) + " -> " +
                         Utf16ToUtf8(result.Stressed));
    }
  }
  return report;
}

}  // namespace lexipulse
