#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/Aligner.h"
#include "tools/CmuSource.h"
#include "tools/DictionaryBuilder.h"

namespace lexipulse {

// TBritfoneEntry is a word's first British pronunciation: its phonemes in ARPAbet-like
// symbols without stress (AA, EY, K) and, for each, its stress: 1 primary, 2 secondary, 0 none,
// -1 for a consonant.
struct TBritfoneEntry {
  std::vector<std::string> Phonemes;
  std::vector<int> Stress;
};

// ReadBritfone parses Britfone's main CSV ("WORD, p h o n e m e s" in IPA, stress marks ˈ and
// ˌ before the stressed vowel, later pronunciations as WORD(2)): for every word of letters only
// its first pronunciation, the word lowercased. Raises std::runtime_error for a line it cannot
// read or an IPA symbol it does not know.
std::map<std::string, TBritfoneEntry> ReadBritfone(std::string_view csv);

// TBritishDifference is a word whose British primary stress falls on another vowel than the
// American one, with both forms in the stress-levels notation.
struct TBritishDifference {
  std::string Word;
  std::u16string American;
  std::u16string British;
};

// TBritishTable is the override table with what its derivation left out.
struct TBritishTable {
  std::vector<TBritishDifference> Lines;
  std::size_t Shared = 0;
  // Lines whose British form was given by hand.
  std::size_t ByHand = 0;
  // Words that CMU stresses twice where the British primary is one of the two: the difference
  // is CMU's double stress, not the variety's.
  std::vector<std::string> StressedTwice;
  // Words whose British primary vowel has no counterpart among CMU's phonemes.
  std::vector<std::string> Unmatched;
  // Words left out after checking them by hand, with the reason.
  std::vector<std::pair<std::string, std::string>> Rejected;
};

// BuildBritishTable compares every word both sources hold: the British phonemes are aligned to
// CMU's by dynamic programming, and where the British primary stress falls on a CMU vowel other
// than CMU's primary, the word is marked with CMU's spelling alignment and the British stress
// levels. rejected holds the hand check: word -> the reason it is left out, or "= form" for a
// British form given by hand (for a word whose British stressed vowel CMU lacks).
TBritishTable BuildBritishTable(const TCmuSource& source, const TAligner& aligner,
                                const std::map<std::string, TBritfoneEntry>& britfone,
                                const std::map<std::string, std::string>& rejected);

// ReadRejected parses the hand-check list: "word<TAB>reason" or "word<TAB>= form" lines, #
// comments and empty lines ignored.
std::map<std::string, std::string> ReadRejected(std::string_view text);

}  // namespace lexipulse
