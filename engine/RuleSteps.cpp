#include "engine/RuleSteps.h"

#include <algorithm>
#include <utility>

#include "engine/FixedPatterns.h"
#include "pattern/CaseMapping.h"

namespace lexipulse {

namespace {

constexpr std::u16string_view kUpperLastVowelTemplate = uR"re(\1\u2\3)re";

// ExpandTemplate replaces every match of the pattern already matched by the template and
// returns the edited subject.
std::u16string ExpandTemplate(TPattern& match, std::u16string_view replacementTemplate) {
  match.SetReplacement(std::u16string(replacementTemplate));
  match.ReplaceAll();
  return match.Subject();
}

}  // namespace

std::u16string ApplyRule(const std::u16string& word, const TRuleShape& shape,
                         std::u16string& wordStressed, bool jit) {
  if (!MayMatch(FixedPattern(shape.Pattern), word)) return {};
  TPattern& match = FixedMatcher(shape.Pattern, word, jit);
  if (!match.Match()) return {};
  if (shape.Exception) {
    if (std::optional<std::u16string> trace = shape.Exception(match.Groups(0), jit)) {
      return std::move(*trace);
    }
  }
  std::u16string form = shape.Form(match);
  wordStressed = form;
  if (shape.LabelAfterForm) return form + std::u16string(shape.Label);
  return std::u16string(shape.Label);
}

TFormBuilder ByTemplate(std::u16string_view replacementTemplate) {
  return
      [replacementTemplate](TPattern& match) { return ExpandTemplate(match, replacementTemplate); };
}

TFormBuilder JoinGroups(int markedGroup, std::u16string (*mark)(const std::u16string&)) {
  return [markedGroup, mark](TPattern& match) {
    std::u16string joined;
    for (int group = 1; group <= match.GroupCount(); ++group) {
      joined += group == markedGroup ? mark(match.Groups(group)) : match.Groups(group);
    }
    return joined;
  };
}

TExceptionFinder InList(std::span<const std::u16string_view> list) {
  return [list](const std::u16string& match, bool jit) { return FindException(match, list, jit); };
}

TExceptionCheck ExceptionBranch(TExceptionFinder find, std::u16string_view label) {
  return [find = std::move(find), label](const std::u16string& match, bool jit) {
    std::optional<std::u16string> trace;
    if (TExceptionResult exception = find(match, jit); exception.Found) {
      trace = exception.Form + std::u16string(label);
    }
    return trace;
  };
}

std::u16string UpperFirstLetter(const std::u16string& text) {
  if (text.empty()) return text;
  return AsciiUpperCase(text.substr(0, 1)) + text.substr(1);
}

std::u16string UpperLastVowel(const std::u16string& text, bool jit) {
  return ExpandTemplate(FixedMatcher(TFixedPatternId::UpperLastVowel, text, jit),
                        kUpperLastVowelTemplate);
}

std::size_t CountVowels(const std::u16string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char16_t c) {
    return std::u16string_view(u"aeiouy").find(c) != std::u16string_view::npos;
  }));
}

}  // namespace lexipulse
