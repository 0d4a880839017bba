#pragma once

#include <span>
#include <string>

namespace lexipulse {

// TFixedPatternId names each pattern whose text the program fixes in advance: the rule patterns
// in chain order, the assembled Oratory and Pestiferous patterns among them, then the helper that
// capitalises a last vowel, the suffix split and the pipeline's word-run finder.
enum class TFixedPatternId {
  FirstSyllableGreek,
  Greek,
  Cameroon,
  French,
  Chinese,
  Descend,
  Priority,
  Classified,
  Bulgarian,
  Polish,
  Spectator,
  Psittacosis,
  Anemia,
  Oratory,
  Memento,
  Transcendental,
  Voluble,
  Pestiferous,
  Senescence,
  Distributive,
  UpperLastVowel,
  SplitWord,
  WordRun,
};

// TFixedPattern is one entry of the table of fixed patterns. Every one is searched caselessly.
struct TFixedPattern {
  std::u16string Name;
  std::u16string Text;
};

// FixedPatternText is the text of a named fixed pattern; the code searches with exactly this.
const std::u16string& FixedPatternText(TFixedPatternId id);

// FixedPatterns is every pattern the program searches with that does not depend on its input:
// the named patterns in the order of TFixedPatternId, then the word of each exception entry in
// list order (Cameroon, French, Chinese, Polish). The dictionary scan builds its pattern from the
// word looked up, so it is not among them.
std::span<const TFixedPattern> FixedPatterns();

}  // namespace lexipulse
