#include <gtest/gtest.h>

#include "RuleCases.h"
#include "engine/RuleSteps.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

TEST(AntePenUltimateRules, TranscendentalStressesTheVowelBeforeNtal) {
  constexpr const char* kTrace = "   {Transcendental Rule}";
  const TRuleCase cases[] = {
      {"quintal", "quIntal", kTrace},
      {"quintals", "quIntals", kTrace},
      {"antalkali", "Antalkali", kTrace},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doTranscendentalRule", &TWordToStress::doTranscendentalRule, cases);
}

TEST(AntePenUltimateRules, VolubleCapitalisesTheWholeStemAfterThePrefix) {
  constexpr const char* kTrace = "   {Voluble Rule}";
  const TRuleCase cases[] = {
      {"voluble", "VOLuble", kTrace},
      {"incredible", "inCREDible", kTrace},
      {"invisible", "inVISible", kTrace},
      {"disposable", "disPOSable", kTrace},
      {"audible", "aUDible", kTrace},
      {"comfortable", "COMFORTable", kTrace},
      {"couple", "COuple", kTrace},
      {"table", "Table", kTrace},
      // "a" is tried before "ad".
      {"adaptable", "aDAPTable", kTrace},
      // Only the empty prefix alternative fits these; PCRE2 10.42's JIT used to miss them.
      {"disable", "DISable", kTrace},
      {"auble", "Auble", kTrace},
      {"disubly", "DISubly", kTrace},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doVolubleRule", &TWordToStress::doVolubleRule, cases);
}

TEST(AntePenUltimateRules, PestiferousStressesTheVowelTwoSyllablesBeforeTheEnding) {
  constexpr const char* kTrace = "   {Pestiferous Rule}";
  const TRuleCase cases[] = {
      {"pestiferous", "pestIferous", kTrace},
      {"generous", "gEnerous", kTrace},
      {"dangerous", "dAngerous", kTrace},
      {"ominous", "Ominous", kTrace},
      {"emphasize", "Emphasize", kTrace},
      {"agonize", "Agonize", kTrace},
      {"acclimatize", "acclImatize", kTrace},
      {"recognize", "rEcognize", kTrace},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doPestiferousRule", &TWordToStress::doPestiferousRule, cases);
}

TEST(AntePenUltimateRules, SenescenceStressesTheVowelBeforeSc) {
  constexpr const char* kTrace = "   {Senescence Rule}";
  const TRuleCase cases[] = {
      {"senescence", "senEscence", kTrace},       {"adolescent", "adolEscent", kTrace},
      {"convalescence", "convalEscence", kTrace}, {"fluorescence", "fluorEscence", kTrace},
      {"crescent", "crEscent", kTrace},           {"descent", "dEscent", kTrace},
      {"hibalescent", "hibalEscent", kTrace},     {"banana", "banana", ""},
  };
  ExpectRuleCases("doSenescenceRule", &TWordToStress::doSenescenceRule, cases);
}

TEST(AntePenUltimateRules, DistributiveStressesTheVowelTwoSyllablesBeforeTheEnding) {
  constexpr const char* kTrace = "   {Distributive Rule}";
  const TRuleCase cases[] = {
      {"distributive", "distrIbutive", kTrace}, {"diminutive", "dimInutive", kTrace},
      {"executive", "exEcutive", kTrace},       {"attitude", "Attitude", kTrace},
      {"aptitude", "Aptitude", kTrace},         {"banana", "banana", ""},
  };
  ExpectRuleCases("doDistributiveRule", &TWordToStress::doDistributiveRule, cases);
}

TEST(AntePenUltimateRules, AWordThatNoPatternMatchesIsLeftAlone) {
  TWordToStress record(u"banana");
  for (TWordToStress::TRule rule : AntePenUltimateChain()) {
    EXPECT_EQ((record.*rule)(record.BaseWord()), u"");
  }
  EXPECT_EQ(record.WordStressed(), u"banana");
}

TEST(AssembledPatterns, PestiferousPatternJoinsTheClassesIntoTheWrittenText) {
  EXPECT_EQ(
      Utf16ToUtf8(PestiferousPattern()),
      R"re((\w+)?(([bcdefghjklmnpqrstvwxz]+)?[aeiuoy])([bcdefghjklmnpqrstvwxz]+)?([bcdefghjklmnpqrstvwxz][aeiouy][aeiouy]?[bcdefghjklmnpqrstvwxz]+)(iz|ous)(|d|ed|e|ing|ly)(|ly)\z)re");
}

}  // namespace
}  // namespace lexipulse
