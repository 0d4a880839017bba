#include "tools/StressMarker.h"

#include <stdexcept>

namespace lexipulse {

namespace {

constexpr std::u16string_view kVowels = u"aeiouy";
constexpr std::u16string_view kAccented = u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD";

// JoinsNucleus tells whether a step is a silent vowel letter that belongs to the vowel group
// beside it.
bool JoinsNucleus(std::string_view word, const TAlignedPair& step) {
  if (step.PhonemeCount != 0) return false;
  for (std::size_t i = step.LetterBegin; i < step.LetterBegin + step.LetterCount; ++i) {
    if (!IsVowelLetter(word[i])) return false;
    if (word[i] == 'u' && i > 0 && (word[i - 1] == 'g' || word[i - 1] == 'q')) return false;
  }
  return true;
}

}  // namespace

bool IsVowelLetter(char c) {
  return c != 0 && kVowels.find(static_cast<char16_t>(c)) != kVowels.npos;
}

char16_t AccentedCapital(char vowel) {
  const std::size_t at = kVowels.find(static_cast<char16_t>(vowel));
  if (at == kVowels.npos) throw std::invalid_argument("not a vowel letter");
  return kAccented[at];
}

char16_t UnaccentedLetter(char16_t c) {
  const std::size_t at = kAccented.find(c);
  return at == kAccented.npos ? c : kVowels[at];
}

TStressMarking MarkPrimaryStress(std::string_view word, const std::vector<std::string>& phonemes,
                                 const TAlignment& alignment) {
  std::vector<bool> marked(word.size(), false);
  TStressMarking marking;
  const std::vector<TAlignedPair>& steps = alignment.Pairs;
  auto markStep = [&](const TAlignedPair& step) {
    bool any = false;
    for (std::size_t i = step.LetterBegin; i < step.LetterBegin + step.LetterCount; ++i) {
      if (IsVowelLetter(word[i])) {
        marked[i] = true;
        any = true;
      }
    }
    return any;
  };
  for (std::size_t k = 0; k < steps.size(); ++k) {
    bool primary = false;
    for (std::size_t p = 0; p < steps[k].PhonemeCount; ++p) {
      primary = primary || StressOf(phonemes[steps[k].PhonemeBegin + p]) == 1;
    }
    if (!primary) continue;
    ++marking.PrimaryNuclei;
    if (!markStep(steps[k])) {
      ++marking.UnspelledNuclei;
      continue;
    }
    // Only letters that touch a vowel letter of the group join it (not the e of were), and a
    // w or y closes the group (not the e of played or allowed).
    for (std::size_t left = k; left > 0 && JoinsNucleus(word, steps[left - 1]) &&
                               IsVowelLetter(word[steps[left].LetterBegin]);
         --left) {
      markStep(steps[left - 1]);
    }
    for (std::size_t right = k + 1; right < steps.size() && JoinsNucleus(word, steps[right]);
         ++right) {
      const char before = word[steps[right].LetterBegin - 1];
      if (!IsVowelLetter(before) || before == 'y') break;
      markStep(steps[right]);
    }
  }
  for (std::size_t i = 0; i < word.size(); ++i) {
    marking.Value += marked[i] ? AccentedCapital(word[i]) : static_cast<char16_t>(word[i]);
  }
  return marking;
}

}  // namespace lexipulse
