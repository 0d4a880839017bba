#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/Exceptions.h"
#include "engine/FixedPatterns.h"
#include "pattern/Pattern.h"

namespace lexipulse {

// VowelClass and ConsonantClass are the letter classes from which the Oratory and Pestiferous
// patterns are assembled; ConsonantClass includes e.
inline constexpr std::u16string_view VowelClass = u"[aeiouy]";
inline constexpr std::u16string_view ConsonantClass = u"[bcdefghjklmnpqrstvwxz]";

// TFormBuilder makes the stressed form from a pattern object that holds the rule's match.
using TFormBuilder = std::function<std::u16string(TPattern& match)>;

// TExceptionCheck looks at the whole match and returns the trace of the exception branch when
// the match is an exception, or nothing when the rule may stress the word; jit chooses the
// matcher of its own searches.
using TExceptionCheck =
    std::function<std::optional<std::u16string>(const std::u16string& match, bool jit)>;

// TRuleShape is one entry of the rule catalogue: the pattern, how the stressed form is built,
// the label of the trace and, for the rules with exception lists, the exception check.
struct TRuleShape {
  TFixedPatternId Pattern;
  TFormBuilder Form;
  std::u16string_view Label;
  // LabelAfterForm puts the stressed form in front of the label in the trace.
  bool LabelAfterForm = false;
  TExceptionCheck Exception = {};
};

// ApplyRule runs the steps every rule shares: match the pattern caselessly against word; on a
// match, ask the exception check first (its trace ends the rule without stressing), otherwise
// build the form, store it in wordStressed and return the trace. Without a match the trace is
// empty and wordStressed is left alone. The pattern object lives on the stack, so it is
// released on every path, failures included. jit chooses the matcher (TPattern::SetJit).
std::u16string ApplyRule(const std::u16string& word, const TRuleShape& shape,
                         std::u16string& wordStressed, bool jit = true);

// ByTemplate builds the form by expanding the replacement template over the word.
TFormBuilder ByTemplate(std::u16string_view replacementTemplate);

// JoinGroups builds the form by joining groups 1 to GroupCount in order, with group
// markedGroup put through mark.
TFormBuilder JoinGroups(int markedGroup, std::u16string (*mark)(const std::u16string&));

// TExceptionFinder scans an exception list for the whole match of a rule.
using TExceptionFinder = std::function<TExceptionResult(const std::u16string& match, bool jit)>;

// InList finds the exceptions of one list with FindException.
TExceptionFinder InList(std::span<const std::u16string_view> list);

// ExceptionBranch turns a finder into a rule's exception check: when the match is an exception,
// the trace is the exception's form followed by label.
TExceptionCheck ExceptionBranch(TExceptionFinder find, std::u16string_view label);

// UpperFirstLetter puts the first character through the ASCII upper-case mapping and keeps
// the rest; the empty text stays empty.
std::u16string UpperFirstLetter(const std::u16string& text);

// UpperLastVowel capitalises the last vowel letter of text when only letters of
// "[bcdefghjklmnpqrstvwxz]" follow it (conf gives cOnf); otherwise text comes back as it is.
// jit chooses the matcher (TPattern::SetJit).
std::u16string UpperLastVowel(const std::u16string& text, bool jit = true);

// CountVowels counts the characters of text that are one of the lower-case letters a e i o u y.
std::size_t CountVowels(const std::u16string& text);

// OratoryPattern and PestiferousPattern are the two patterns assembled from VowelClass and
// ConsonantClass, as their rules build them at each call.
std::u16string OratoryPattern();
std::u16string PestiferousPattern();

}  // namespace lexipulse
