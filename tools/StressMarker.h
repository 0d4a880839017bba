#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/Aligner.h"

namespace lexipulse {

// TStressMarking is a word in the dictionary form of the notation: its own letters, the vowel
// letters that spell a primary-stressed nucleus as accented capitals.
struct TStressMarking {
  std::u16string Value;
  // PrimaryNuclei counts the vowel phonemes with primary stress; UnspelledNuclei those of them
  // that no vowel letter spells (a stressed syllabic consonant), which mark nothing.
  std::size_t PrimaryNuclei = 0;
  std::size_t UnspelledNuclei = 0;
};

// MarkPrimaryStress marks, for every phoneme of stress 1, the vowel letters (a e i o u y) of
// the letter group that spells it. Silent vowel letters right beside that group belong to the
// same vowel group (the e of true, the y of day), except a u after g or q, which belongs to
// the consonant (guard, quay), and letters after a w or y, which close the group (played).
TStressMarking MarkPrimaryStress(std::string_view word, const std::vector<std::string>& phonemes,
                                 const TAlignment& alignment);

// IsVowelLetter tells whether c is one of a e i o u y.
bool IsVowelLetter(char c);

// AccentedCapital returns the accented capital of a vowel letter (a -> U+00C1).
char16_t AccentedCapital(char vowel);

// UnaccentedLetter maps an accented capital back to its lowercase vowel letter and leaves any
// other character as it is.
char16_t UnaccentedLetter(char16_t c);

}  // namespace lexipulse
