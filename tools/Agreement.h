#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/DictionaryBuilder.h"

namespace lexipulse {

// TDictionaryStep is what the program's dictionary step made of one word: the split and the
// stressed result (the radical's value followed by the ending).
struct TDictionaryStep {
  std::u16string Radical;
  std::u16string Ending;
  std::u16string Stressed;
};

// The kinds of word whose own marks the dictionary step cannot give, whatever the data.
enum class TDisagreement {
  // The split-off ending holds marked letters, and the ending is appended unmarked (bring).
  kStressInEnding,
  // The radical is a source word of its own with another stress (its own line stands).
  kRadicalIsWord,
  // The radical is a stem key that other words mark differently (the tie rule chose).
  kSharedStem,
  // None of the above: a fault of the data or of the program.
  kUnexplained,
};

struct TAgreementReport {
  std::size_t Words = 0;
  std::size_t Agreeing = 0;
  std::map<TDisagreement, std::size_t> Counts;
  // Up to a few examples per kind, as "word: expected -> got".
  std::map<TDisagreement, std::vector<std::string>> Examples;

  std::size_t Disagreeing(TDisagreement kind) const;
};

// CheckAgreement runs the dictionary step for every word and compares its result with the
// word's own marks, sorting each disagreement into one of the kinds above. A disagreement is
// explained only when the result is a form that the radical's line may rightly hold.
TAgreementReport CheckAgreement(const std::vector<TMarkedWord>& words,
                                const std::function<TDictionaryStep(const std::string&)>& step,
                                std::size_t examplesPerKind);

// DisagreementName is the report's wording of a kind.
std::string DisagreementName(TDisagreement kind);

}  // namespace lexipulse
