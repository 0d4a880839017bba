#include <string>
#include <string_view>

#include "engine/Exceptions.h"
#include "engine/FixedPatterns.h"
#include "engine/RuleSteps.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"

namespace lexipulse {

namespace {

// A word that begins with a vowel is stressed on its leading vowels, any other on the vowel
// after its first consonants.
constexpr std::u16string_view kFirstSyllableGreekVowelTemplate = uR"re(\u1\2\3\4\5\6\7\8)re";
constexpr std::u16string_view kFirstSyllableGreekTemplate = uR"re(\1\2\u3\4\5\6\7\8)re";
constexpr std::u16string_view kFirstSyllableGreekLabel = u"   {1st Greek Rule}";

constexpr std::u16string_view kGreekTemplate = uR"re(\1\u2\3\4\5\6)re";
constexpr std::u16string_view kGreekLabel = u"   {Greek Rule}";

constexpr std::u16string_view kCameroonLabel = u"   {Cameroon Rule}";
constexpr std::u16string_view kCameroonExceptionLabel = u"   {Cameroon Rule - exception}";

constexpr std::u16string_view kFrenchLabel = u"   {French Rule}";
constexpr std::u16string_view kFrenchExceptionLabel = u"   {French Rule - exception}";

constexpr std::u16string_view kChineseTemplate = uR"re(\1\2\U3\4)re";
constexpr std::u16string_view kChineseLabel = u"   {Chinese Rule}";
// The Chinese exception branch reports the exception's form without a label.
constexpr std::u16string_view kChineseExceptionLabel = u"";

constexpr std::u16string_view kDescendTemplate = uR"re(\1\2\u3\4)re";
constexpr std::u16string_view kDescendLabel = u"   {Descend Rule}";

bool StartsWithVowel(const std::u16string& w) {
  return !w.empty() && std::u16string_view(u"aeiouy").find(w.front()) != std::u16string_view::npos;
}

}  // namespace

std::u16string TWordToStress::doFirstSyllableGreekRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::FirstSyllableGreek,
                   .Form = ByTemplate(StartsWithVowel(w) ? kFirstSyllableGreekVowelTemplate
                                                         : kFirstSyllableGreekTemplate),
                   .Label = kFirstSyllableGreekLabel});
}

std::u16string TWordToStress::doGreekRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Greek,
                   .Form = ByTemplate(kGreekTemplate),
                   .Label = kGreekLabel});
}

std::u16string TWordToStress::doCameroonRule(const std::u16string&) {
  return Apply(BaseWord(),
               {.Pattern = TFixedPatternId::Cameroon,
                .Form = JoinGroups(2, AsciiUpperCase),
                .Label = kCameroonLabel,
                .LabelAfterForm = true,
                .Exception = ExceptionBranch(InList(CameroonExceptions), kCameroonExceptionLabel)});
}

std::u16string TWordToStress::doFrenchRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::French,
                   .Form = JoinGroups(2, UpperFirstLetter),
                   .Label = kFrenchLabel,
                   .LabelAfterForm = true,
                   .Exception = ExceptionBranch(InList(FrenchExceptions), kFrenchExceptionLabel)});
}

std::u16string TWordToStress::doChineseRule(const std::u16string&) {
  return Apply(BaseWord(),
               {.Pattern = TFixedPatternId::Chinese,
                .Form = ByTemplate(kChineseTemplate),
                .Label = kChineseLabel,
                .Exception = ExceptionBranch(InList(ChineseExceptions), kChineseExceptionLabel)});
}

std::u16string TWordToStress::doDescendRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Descend,
                   .Form = ByTemplate(kDescendTemplate),
                   .Label = kDescendLabel});
}

}  // namespace lexipulse
