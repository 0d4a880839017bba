#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/Aligner.h"
#include "tools/CmuSource.h"

namespace lexipulse {

// THandMarked is a word with its source phonemes and its primary stress marked by hand
// (UTF-8, dictionary notation).
struct THandMarked {
  TCmuEntry Entry;
  std::string Marked;
};

// THandScore is how many hand-marked words the aligner marks the same, and the others as
// "word: hand X, aligner Y".
struct THandScore {
  std::size_t Words = 0;
  std::size_t Agreeing = 0;
  std::vector<std::string> Disagreements;
};

// ReadHandTable parses tab-separated lines "word, phonemes, marked"; lines starting with '#'
// are comments. Raises std::runtime_error for a line without three fields.
std::vector<THandMarked> ReadHandTable(std::string_view text);

// THandMarks is which marks a hand table is scored against: the dictionary's (the stressed
// vowel group with the silent vowel letters beside it) or the nucleus only.
enum class THandMarks { Dictionary, Nucleus };

// ScoreHandTable aligns and marks every word of the table with a trained aligner.
THandScore ScoreHandTable(const TAligner& aligner, const std::vector<THandMarked>& table,
                          THandMarks marks = THandMarks::Dictionary);

}  // namespace lexipulse
