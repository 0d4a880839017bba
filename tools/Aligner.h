#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/CmuSource.h"

namespace lexipulse {

// TAlignedPair is one step of an alignment: a group of one to three letters of the word that
// spells a group of zero to two phonemes.
struct TAlignedPair {
  std::size_t LetterBegin = 0;
  std::size_t LetterCount = 0;
  std::size_t PhonemeBegin = 0;
  std::size_t PhonemeCount = 0;
};

// TAlignment is the cheapest segmentation of a word against its phonemes.
struct TAlignment {
  std::vector<TAlignedPair> Pairs;
  double Cost = 0;
};

// TAligner aligns spellings to phonemes by dynamic programming over letter-phoneme
// correspondences. The correspondences and their starting weights come from a hand table
// (digraphs and trigraphs, silent letters, x = K S, u = Y UW, syllabic l/m/n, qu, gu, doubled
// consonants); Train re-estimates every cost from the data by hard expectation-maximisation:
// align every word, count the correspondences used, turn the counts into costs, repeat.
// A single letter may also take any single phoneme, none, or two at a high cost, so an
// alignment exists whenever the letters can carry the phonemes.
class TAligner {
 public:
  TAligner();

  // Train runs that many rounds of re-estimation over the entries. Deterministic: the same
  // entries in the same order give the same costs.
  void Train(const std::vector<TCmuEntry>& entries, int iterations);

  // Align returns the cheapest alignment, or nothing when the letters cannot spell all the
  // phonemes (more than two phonemes per letter, or a letter that is not a-z).
  std::optional<TAlignment> Align(std::string_view word,
                                  const std::vector<std::string>& phonemes) const;

  // IsEstablished tells whether a step is a correspondence of the hand table or one that the
  // last training round used at least a few times; a stressed vowel spelled otherwise is
  // treated as an alignment failure rather than guessed.
  bool IsEstablished(std::string_view word, const std::vector<std::string>& phonemes,
                     const TAlignedPair& pair) const;

  // Describe writes a step as "letters=PHONEMES" for reports ("ough=AO", "e=").
  static std::string Describe(std::string_view word, const std::vector<std::string>& phonemes,
                              const TAlignedPair& pair);

 private:
  double Cost(std::uint32_t key, std::size_t letterCount, std::size_t phonemeCount) const;
  std::optional<TAlignment> AlignCodes(const std::vector<int>& letters,
                                       const std::vector<int>& phonemes) const;

  std::unordered_map<std::uint32_t, double> _Seed;
  double _SeedTotal = 0;
  std::unordered_map<std::uint32_t, double> _Costs;
  std::unordered_map<std::uint32_t, std::size_t> _Counts;
  double _UnseenCost[3] = {0, 0, 0};
};

// StripStress returns a phoneme without its stress digit (EY1 -> EY).
std::string StripStress(const std::string& phoneme);

// StressOf returns a vowel phoneme's stress digit (0, 1 or 2), or -1 for a consonant.
int StressOf(const std::string& phoneme);

}  // namespace lexipulse
