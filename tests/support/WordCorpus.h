#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lexipulse {

// TCorpusRandom is a small seeded generator (SplitMix64), so that a corpus is the same on
// every machine and standard library.
class TCorpusRandom {
 public:
  explicit TCorpusRandom(std::uint64_t seed) : _State(seed) {}
  std::uint64_t Next();
  // Below returns a number in [0, bound).
  std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }

 private:
  std::uint64_t _State;
};

// DictionaryKeys returns the key of every key=value line.
std::vector<std::u16string> DictionaryKeys(const std::vector<std::u16string>& lines);

// VowelHeavyWord is a random run of lowercase letters of the given length, about two thirds of
// them vowels: the shape on which the rule patterns backtrack most.
std::u16string VowelHeavyWord(TCorpusRandom& random, std::size_t length);

// DifferentialCorpus is every dictionary key followed by generated words: random letters,
// prefixes and suffixes around keys, words with digits and underscores, and words holding a
// lone surrogate; at least generatedCount of them, the same for the same seed.
std::vector<std::u16string> DifferentialCorpus(const std::vector<std::u16string>& dictionaryLines,
                                               std::size_t generatedCount, std::uint64_t seed);

}  // namespace lexipulse
