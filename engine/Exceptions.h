#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace lexipulse {

// An exception entry is a word, a "|" and the word's stressed form. The word is matched as a
// caseless pattern anywhere in the examined text; the form is its replacement template.
extern const std::array<std::u16string_view, 7> CameroonExceptions;
extern const std::array<std::u16string_view, 8> FrenchExceptions;
extern const std::array<std::u16string_view, 8> ChineseExceptions;
extern const std::array<std::u16string_view, 6> PolishExceptions;
// PolishDerivedWords are words that contain an exception word without being exceptions.
extern const std::array<std::u16string_view, 7> PolishDerivedWords;

// TExceptionResult is the outcome of an exception scan: whether an exception applies, and the
// form of the last entry that matched (set even when a derived word keeps Found false).
struct TExceptionResult {
  bool Found = false;
  std::u16string Form;
};

// FindException scans every entry of list against text, in order and without an early exit,
// so a later matching entry overrides the form of an earlier one. jit chooses the matcher as
// TPattern::SetJit does.
TExceptionResult FindException(const std::u16string& text,
                               std::span<const std::u16string_view> list, bool jit = true);

// FindPolishException scans PolishExceptions like FindException, but a text that is one of
// PolishDerivedWords is never found to be an exception.
TExceptionResult FindPolishException(const std::u16string& text, bool jit = true);

// IsDerivedWord tells whether text equals one of PolishDerivedWords, ignoring ASCII case.
bool IsDerivedWord(const std::u16string& text);

}  // namespace lexipulse
