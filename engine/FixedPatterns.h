#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pattern/Pattern.h"

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
  // AnyOf, when not empty, lists texts of which every match holds one (in lower case), taken
  // from a group the pattern cannot match without.
  std::vector<std::u16string> AnyOf = {};
};

// FixedPattern is a named entry; FixedPatternText its text, which the code searches with.
const TFixedPattern& FixedPattern(TFixedPatternId id);
const std::u16string& FixedPatternText(TFixedPatternId id);

// MayMatch is false when pattern cannot match subject: the subject is made of ASCII word
// characters (where caseless matching is ASCII case folding) and holds none of AnyOf. A rule
// then skips the search, which would backtrack through the whole word to find nothing.
bool MayMatch(const TFixedPattern& pattern, std::u16string_view subject);

// FixedPatterns is every pattern the program searches with that does not depend on its input:
// the named patterns in the order of TFixedPatternId, then the word of each exception entry in
// list order (Cameroon, French, Chinese, Polish). The dictionary scan builds its pattern from the
// word looked up, so it is not among them.
std::span<const TFixedPattern> FixedPatterns();

// SearchOptions are the compile options a rule search of subject uses with pattern. Most rule
// patterns begin with a group that takes any run of word characters, (\w+) or ([é\w]+), bare
// or optional. On a subject made of ASCII word characters alone, a match of such a pattern that
// starts anywhere implies one that starts where the search does (the leading group takes the
// characters in between), so the search is anchored there and skips the attempts that cannot
// come first; it finds the same matches in less than a word's length of attempts.
unsigned SearchOptions(std::u16string_view pattern, std::u16string_view subject);

// FixedMatcher is the calling thread's pattern object for a named pattern, set up with the
// search options of subject (see SearchOptions) and set to subject: compiled once per thread and
// reused, so a rule search costs no compilation and no lookup of shared code. jit chooses the
// matcher. The object is this caller's until the next FixedMatcher call for the same pattern,
// options and matcher on this thread.
TPattern& FixedMatcher(TFixedPatternId id, const std::u16string& subject, bool jit);

}  // namespace lexipulse
