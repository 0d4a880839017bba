#include <gtest/gtest.h>

#include <array>
#include <string>

#include "RuleCases.h"
#include "engine/Exceptions.h"
#include "engine/RuleSteps.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

TEST(PenUltimateRules, PriorityStressesTheVowelsBeforeTheEnding) {
  constexpr const char* kTrace = "   {Sorority Rule}";
  const TRuleCase cases[] = {
      {"priority", "priOrity", kTrace},   {"sorority", "sorOrity", kTrace},
      {"vanity", "vAnity", kTrace},       {"publicity", "publIcity", kTrace},
      {"acuity", "acUity", kTrace},       {"galacoxity", "galacOxity", kTrace},
      {"disentity", "disEntity", kTrace}, {"banana", "banana", ""},
  };
  ExpectRuleCases("doPriorityRule", &TWordToStress::doPriorityRule, cases);
}

TEST(PenUltimateRules, ClassifiedStressesTheVowelTwoBeforeFy) {
  constexpr const char* kTrace = "   {Classified Rule}";
  const TRuleCase cases[] = {
      {"classified", "clAssified", kTrace}, {"classify", "clAssify", kTrace},
      {"certify", "cErtify", kTrace},       {"clarifier", "clArifier", kTrace},
      {"acidify", "acIdify", kTrace},       {"banana", "banana", ""},
  };
  ExpectRuleCases("doClassifiedRule", &TWordToStress::doClassifiedRule, cases);
}

TEST(PenUltimateRules, BulgarianCapitalisesTheSyllableAndKeepsEveryEnding) {
  constexpr const char* kTrace = "   {Bulgarian Rule}";
  const TRuleCase cases[] = {
      {"bulgarian", "bulGArian", kTrace},
      {"romanian", "roMAnian", kTrace},
      {"physician", "phySIcian", kTrace},
      {"tradition", "traDItion", kTrace},
      {"television", "teleVIsion", kTrace},
      {"christians", "chRIstians", kTrace},
      {"frequently", "fREquently", kTrace},
      {"spontaneously", "sponTAneously", kTrace},
      {"abolitionism", "aboLItionism", kTrace},
      {"christianize", "chRIstianize", kTrace},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doBulgarianRule", &TWordToStress::doBulgarianRule, cases);
}

TEST(PenUltimateRules, PolishStressesTheVowelBeforeTheEndingUnlessAnException) {
  constexpr const char* kTrace = "   {Polish Rule}";
  const TRuleCase cases[] = {
      {"polish", "pOlish", kTrace},
      {"scottish", "scOttish", kTrace},
      {"british", "brItish", kTrace},
      {"medical", "mEdical", kTrace},
      {"hospital", "hOspital", kTrace},
      {"establishment", "estAblishment", kTrace},
      // Their whole match is a derived word, so the exception words inside do not count.
      {"catholicism", "cathOlicism", kTrace},
      {"arithmetical", "arithmEtical", kTrace},
      {"politics", "politics", "'POlitics   {Polish Rule - exception}"},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doPolishRule", &TWordToStress::doPolishRule, cases);
}

TEST(PenUltimateRules, PolishExceptionsKeepTheWordUnmarked) {
  const std::array<std::array<const char*, 2>, 6> cases = {{
      {"politics", "'POlitics"},
      {"arithmetic", "a'RIthmetic"},
      {"lunatics", "'LUnatics"},
      {"heretics", "'HEretics"},
      {"arabic", "'Arabic"},
      // The match stops at catholic, which is an exception, not the derived catholicism.
      {"catholicize", "'CAtholic"},
  }};
  for (const auto& [word, form] : cases) {
    const std::string trace = std::string(form) + "   {Polish Rule - exception}";
    const TRuleCase exception[] = {{word, word, trace.c_str()}};
    ExpectRuleCases("doPolishRule", &TWordToStress::doPolishRule, exception);
  }
}

TEST(PenUltimateRules, SpectatorStressesTheVowelBeforeTheSyllableOfTheEnding) {
  constexpr const char* kTrace = "   {Spectator Rule}";
  const TRuleCase cases[] = {
      // Group 1 holds a vowel: its last vowel is stressed.
      {"confiscate", "cOnfiscate", kTrace},
      {"deliberate", "delIberate", kTrace},
      {"articulated", "artIculated", kTrace},
      // Group 1 without a vowel: the vowel run after it is stressed.
      {"senator", "sEnator", kTrace},
      {"senate", "sEnate", kTrace},
      {"spectator", "spEctator", kTrace},
      {"ultimately", "Ultimately", kTrace},
      {"accuracy", "Accuracy", kTrace},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doSpectatorRule", &TWordToStress::doSpectatorRule, cases);
}

TEST(PenUltimateRules, PsittacosisStressesTheVowelBeforeTheEnding) {
  constexpr const char* kTrace = "   {Psittacosis Rule}";
  const TRuleCase cases[] = {
      {"psittacosis", "psittacOsis", kTrace}, {"psicattosis", "psicattOsis", kTrace},
      {"otitis", "otItis", kTrace},           {"arthritis", "arthrItis", kTrace},
      {"anaphylaxis", "anaphylAxis", kTrace}, {"banana", "banana", ""},
  };
  ExpectRuleCases("doPsittacosisRule", &TWordToStress::doPsittacosisRule, cases);
}

TEST(PenUltimateRules, AnemiaStressesTheVowelBeforeIOrUAndVowels) {
  constexpr const char* kTrace = "   {Anemia Rule}";
  const TRuleCase cases[] = {
      {"anemia", "anEmia", kTrace},       {"various", "vArious", kTrace},
      {"pneumonia", "pneumOnia", kTrace}, {"acacia", "acAcia", kTrace},
      {"belief", "bElief", kTrace},       {"appreciation", "appreciAtion", kTrace},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doAnemiaRule", &TWordToStress::doAnemiaRule, cases);
}

TEST(PenUltimateRules, OratoryCapitalisesTheSyllableBeforeTheEnding) {
  constexpr const char* kTrace = "   {Oratory Rule}";
  const TRuleCase cases[] = {
      {"laboratory", "laBOratory", kTrace},
      {"puberatory", "puBEratory", kTrace},
      {"anniversary", "anNIversary", kTrace},
      {"conservatory", "conSErvatory", kTrace},
      {"ambulatory", "amBUlatory", kTrace},
      // Too short for the pattern; the Memento rule takes it.
      {"oratory", "oratory", ""},
  };
  ExpectRuleCases("doOratoryRule", &TWordToStress::doOratoryRule, cases);
}

TEST(PenUltimateRules, MementoStressesTheVowelBeforeDOrT) {
  constexpr const char* kTrace = "   {Memento Rule}";
  const TRuleCase cases[] = {
      {"memento", "memEnto", kTrace}, {"tornado", "tornAdo", kTrace},
      {"potato", "potAto", kTrace},   {"produce", "prOduce", kTrace},
      {"center", "cEnter", kTrace},   {"whatever", "whAtever", kTrace},
      {"oratory", "orAtory", kTrace}, {"fundamental", "fundamEntal", kTrace},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doMementoRule", &TWordToStress::doMementoRule, cases);
}

TEST(PenUltimateRules, AWordThatNoPatternMatchesIsLeftAlone) {
  TWordToStress record(u"banana");
  for (TWordToStress::TRule rule : PenUltimateChain()) {
    EXPECT_EQ((record.*rule)(record.BaseWord()), u"");
  }
  EXPECT_EQ(record.WordStressed(), u"banana");
}

TEST(FindPolishException, TestsTheWholeMatchAndExcludesDerivedWords) {
  const struct {
    const char* Text;
    bool Found;
    const char* Form;
  } cases[] = {
      {"catholic", true, "'CAtholic"},
      {"CATHOLIC", true, "'CAtholic"},
      {"lunatics", true, "'LUnatics"},
      // A derived word keeps Found false but still carries the form of its entry.
      {"catholicism", false, "'CAtholicism"},
      {"arithmetical", false, "a'RIthmetical"},
      {"heretical", false, "'HEretical"},
      {"polish", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    const TExceptionResult result = FindPolishException(Utf8ToUtf16(c.Text));
    EXPECT_EQ(result.Found, c.Found);
    EXPECT_EQ(Utf16ToUtf8(result.Form), c.Form);
  }
}

TEST(IsDerivedWord, ComparesWholeTextsIgnoringAsciiCase) {
  const std::array<std::pair<const char*, bool>, 6> cases = {{
      {"catholicism", true},
      {"CATHOLICISM", true},
      {"heretically", true},
      {"catholicisms", false},
      {"catholic", false},
      {"", false},
  }};
  for (const auto& [text, derived] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(IsDerivedWord(Utf8ToUtf16(text)), derived);
  }
}

TEST(UpperLastVowel, CapitalisesTheLastVowelWhenOnlyConsonantsFollow) {
  const std::array<std::array<const char*, 2>, 8> cases = {{
      {"conf", "cOnf"},
      {"delib", "delIb"},
      {"ult", "Ult"},
      {"artic", "artIc"},
      {"cafe", "cafE"},
      {"sp", "sp"},
      {"ab1", "ab1"},
      {"", ""},
  }};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Utf16ToUtf8(UpperLastVowel(Utf8ToUtf16(text))), expected);
  }
}

TEST(CountVowels, CountsLowerCaseVowelLetters) {
  const std::array<std::pair<const char*, std::size_t>, 6> cases = {{
      {"conf", 1},
      {"aeiouy", 6},
      {"rhythm", 1},
      {"AEIOU", 0},
      {"sp", 0},
      {"", 0},
  }};
  for (const auto& [text, count] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(CountVowels(Utf8ToUtf16(text)), count);
  }
}

TEST(AssembledPatterns, OratoryPatternJoinsTheConsonantClassIntoTheWrittenText) {
  EXPECT_EQ(
      Utf16ToUtf8(OratoryPattern()),
      R"re((\w+)([bcdefghjklmnpqrstvwxz]+?[aeiouy])([bcdefghjklmnpqrstvwxz]+)([aeiouy])([bcdefghjklmnpqrstvwxz]+)([aeiouy])?([bcdefghjklmnpqrstvwxz]+)?(ary|ari|aries|ory|ori|ories)(|ly)\z)re");
}

}  // namespace
}  // namespace lexipulse
