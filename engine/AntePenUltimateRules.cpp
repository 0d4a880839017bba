#include <string>
#include <string_view>

#include "engine/FixedPatterns.h"
#include "engine/RuleSteps.h"
#include "engine/uStressRules.h"

namespace lexipulse {

namespace {

constexpr std::u16string_view kTranscendentalTemplate = uR"re(\1\u2\3)re";
constexpr std::u16string_view kTranscendentalLabel = u"   {Transcendental Rule}";

// The references past group 4 expand to nothing; group 2 goes wholly into capitals.
constexpr std::u16string_view kVolubleTemplate = uR"re(\1\U2\3\4\5\6\7\8\9)re";
constexpr std::u16string_view kVolubleLabel = u"   {Voluble Rule}";

constexpr std::u16string_view kPestiferousTemplate = uR"re(\1\U2\3\4\5\6\7\8\9)re";
constexpr std::u16string_view kPestiferousLabel = u"   {Pestiferous Rule}";

constexpr std::u16string_view kSenescenceTemplate = uR"re(\1\2\u3\4)re";
constexpr std::u16string_view kSenescenceLabel = u"   {Senescence Rule}";

constexpr std::u16string_view kDistributiveTemplate = uR"re(\1\U2\3\4\5\6\7\8\9)re";
constexpr std::u16string_view kDistributiveLabel = u"   {Distributive Rule}";

}  // namespace

std::u16string PestiferousPattern() {
  std::u16string pattern = uR"re((\w+)?(([bcdefghjklmnpqrstvwxz]+)?[aeiuoy])()re";
  pattern += ConsonantClass;
  pattern += uR"re(+)?()re";
  pattern += ConsonantClass;
  pattern += VowelClass;
  pattern += VowelClass;
  pattern += u"?";
  pattern += ConsonantClass;
  pattern += uR"re(+)(iz|ous)(|d|ed|e|ing|ly)(|ly)\z)re";
  return pattern;
}

std::u16string TWordToStress::doTranscendentalRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Transcendental,
                   .Form = ByTemplate(kTranscendentalTemplate),
                   .Label = kTranscendentalLabel});
}

std::u16string TWordToStress::doVolubleRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Voluble,
                   .Form = ByTemplate(kVolubleTemplate),
                   .Label = kVolubleLabel});
}

std::u16string TWordToStress::doPestiferousRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Pestiferous,
                   .Form = ByTemplate(kPestiferousTemplate),
                   .Label = kPestiferousLabel});
}

std::u16string TWordToStress::doSenescenceRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Senescence,
                   .Form = ByTemplate(kSenescenceTemplate),
                   .Label = kSenescenceLabel});
}

std::u16string TWordToStress::doDistributiveRule(const std::u16string& w) {
  return Apply(w, {.Pattern = TFixedPatternId::Distributive,
                   .Form = ByTemplate(kDistributiveTemplate),
                   .Label = kDistributiveLabel});
}

}  // namespace lexipulse
