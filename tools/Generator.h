#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/Agreement.h"
#include "tools/Aligner.h"
#include "tools/CmuSource.h"
#include "tools/DictionaryBuilder.h"

namespace lexipulse {

// TUnaligned is a source word left without a line, with the reason.
struct TUnaligned {
  std::string Word;
  std::string Reason;
  std::string Detail;
};

// TGeneration is everything the generator derives from the source.
struct TGeneration {
  std::size_t EligibleWords = 0;
  std::vector<TMarkedWord> Marked;
  std::vector<TUnaligned> Unaligned;
  // Words without a primary stress, which stay unmarked.
  std::size_t WithoutPrimary = 0;
  // Words with a primary-stressed nucleus that no vowel letter spells.
  std::size_t WithUnspelledNucleus = 0;
  std::vector<std::string> UnspelledExamples;
  TBuiltDictionary Dictionary;
  // The aligner as trained on the source, for scoring it on other words.
  TAligner Aligner;
};

// The reasons a word gets no line.
inline constexpr const char* kTooManyPhonemes = "more phonemes than its letters can spell";
inline constexpr const char* kUnusualStressedSpelling =
    "stressed vowel spelled by a correspondence seen too rarely to trust";

// kTrainingRounds is how many re-estimation rounds the generator runs; the costs settle by
// then.
inline constexpr int kTrainingRounds = 4;

// Generate trains the aligner on the eligible words, aligns and marks every one, and builds
// the dictionary lines with the stem keys.
TGeneration Generate(const TCmuSource& source, int trainingRounds = kTrainingRounds);

// TableStep is the dictionary step computed from the built lines alone (the suffix split and
// an exact key lookup), for a check that needs no program code.
std::function<TDictionaryStep(const std::string&)> TableStep(const TBuiltDictionary& built);

}  // namespace lexipulse
