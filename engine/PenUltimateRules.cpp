#include <string>
#include <string_view>

#include "engine/Exceptions.h"
#include "engine/FixedPatterns.h"
#include "engine/RuleSteps.h"
#include "engine/uStressRules.h"
#include "pattern/Pattern.h"

namespace lexipulse {

namespace {

constexpr std::u16string_view kPriorityTemplate = uR"re(\1\2\U3\4)re";
constexpr std::u16string_view kPriorityLabel = u"   {Sorority Rule}";

constexpr std::u16string_view kClassifiedTemplate = uR"re(\1\2\u3\4\5\6\7\8)re";
constexpr std::u16string_view kClassifiedLabel = u"   {Classified Rule}";

constexpr std::u16string_view kBulgarianTemplate = uR"re(\1\U2\3\4\5\6\7\8\9)re";
constexpr std::u16string_view kBulgarianLabel = u"   {Bulgarian Rule}";

constexpr std::u16string_view kPolishTemplate = uR"re(\1\2\3\u4\5\6)re";
constexpr std::u16string_view kPolishLabel = u"   {Polish Rule}";
constexpr std::u16string_view kPolishExceptionLabel = u"   {Polish Rule - exception}";

constexpr std::u16string_view kSpectatorTemplate = uR"re(\1\u2\4)re";
constexpr std::u16string_view kSpectatorLabel = u"   {Spectator Rule}";

constexpr std::u16string_view kPsittacosisTemplate = uR"re(\1\U2\3)re";
constexpr std::u16string_view kPsittacosisLabel = u"   {Psittacosis Rule}";

constexpr std::u16string_view kAnemiaTemplate = uR"re(\1\2\u3\4)re";
constexpr std::u16string_view kAnemiaLabel = u"   {Anemia Rule}";

constexpr std::u16string_view kOratoryTemplate = uR"re(\1\U2\3\4\5\6\7\8\9)re";
constexpr std::u16string_view kOratoryLabel = u"   {Oratory Rule}";

constexpr std::u16string_view kMementoTemplate = uR"re(\1\U2\3)re";
constexpr std::u16string_view kMementoLabel = u"   {Memento Rule}";

// SpectatorForm stresses the last vowel of the word's start when it has one (group 1 followed
// by groups 2 and 4), else the vowel run of group 2.
std::u16string SpectatorForm(TPattern& match) {
  const std::u16string start = match.Groups(1);
  if (CountVowels(start) > 0)
    return UpperLastVowel(start, match.Jit()) + match.Groups(2) + match.Groups(4);
  match.SetReplacement(std::u16string(kSpectatorTemplate));
  match.ReplaceAll();
  return match.Subject();
}

}  // namespace

std::u16string OratoryPattern() {
  std::u16string pattern = uR"re((\w+)([bcdefghjklmnpqrstvwxz]+?[aeiouy])()re";
  pattern += ConsonantClass;
  pattern += uR"re(+)([aeiouy])()re";
  pattern += ConsonantClass;
  pattern += uR"re(+)([aeiouy])?()re";
  pattern += ConsonantClass;
  pattern += uR"re(+)?(ary|ari|aries|ory|ori|ories)(|ly)\z)re";
  return pattern;
}

std::u16string TWordToStress::doPriorityRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Priority,
                   .Form = ByTemplate(kPriorityTemplate),
                   .Label = kPriorityLabel});
}

std::u16string TWordToStress::doClassifiedRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Classified,
                   .Form = ByTemplate(kClassifiedTemplate),
                   .Label = kClassifiedLabel});
}

std::u16string TWordToStress::doBulgarianRule(const std::u16string&) {
  return Apply(BaseWord(), {.Pattern = TFixedPatternId::Bulgarian,
                            .Form = ByTemplate(kBulgarianTemplate),
                            .Label = kBulgarianLabel});
}

std::u16string TWordToStress::doPolishRule(const std::u16string&) {
  return Apply(BaseWord(),
               {.Pattern = TFixedPatternId::Polish,
                .Form = ByTemplate(kPolishTemplate),
                .Label = kPolishLabel,
                .Exception = ExceptionBranch(FindPolishException, kPolishExceptionLabel)});
}

std::u16string TWordToStress::doSpectatorRule(const std::u16string& w) {
  return Apply(
      w, {.Pattern = TFixedPatternId::Spectator, .Form = SpectatorForm, .Label = kSpectatorLabel});
}

std::u16string TWordToStress::doPsittacosisRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Psittacosis,
                   .Form = ByTemplate(kPsittacosisTemplate),
                   .Label = kPsittacosisLabel});
}

std::u16string TWordToStress::doAnemiaRule(const std::u16string&) {
  return Apply(BaseWord(), {.Pattern = TFixedPatternId::Anemia,
                            .Form = ByTemplate(kAnemiaTemplate),
                            .Label = kAnemiaLabel});
}

std::u16string TWordToStress::doOratoryRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Oratory,
                   .Form = ByTemplate(kOratoryTemplate),
                   .Label = kOratoryLabel});
}

std::u16string TWordToStress::doMementoRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Memento,
                   .Form = ByTemplate(kMementoTemplate),
                   .Label = kMementoLabel});
}

}  // namespace lexipulse
