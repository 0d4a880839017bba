#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "RuleCases.h"
#include "engine/Exceptions.h"
#include "engine/RuleSteps.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

TEST(UltimateRules, FirstSyllableGreekStressesTheFirstSyllable) {
  constexpr const char* kTrace = "   {1st Greek Rule}";
  const TRuleCase cases[] = {
      {"photograph", "phOtograph", kTrace},
      {"photographs", "phOtographs", kTrace},
      {"wantonly", "wAntonly", kTrace},
      {"telephone", "tElephone", kTrace},
      {"catalogue", "cAtalogue", kTrace},
      {"epilogue", "Epilogue", kTrace},
      {"aerolith", "AErolith", kTrace},
      {"bioscope", "bIoscope", kTrace},
      // A word character after the element keeps the match from reaching the word's end.
      {"photographer", "photographer", ""},
      {"photography", "photography", ""},
  };
  ExpectRuleCases("doFirstSyllableGreekRule", &TWordToStress::doFirstSyllableGreekRule, cases);
}

TEST(UltimateRules, GreekStressesTheVowelBeforeTheElement) {
  constexpr const char* kTrace = "   {Greek Rule}";
  const TRuleCase cases[] = {
      {"photographer", "photOgrapher", kTrace}, {"photography", "photOgraphy", kTrace},
      {"biology", "biOlogy", kTrace},           {"astronomy", "astrOnomy", kTrace},
      {"photograph", "photograph", ""},
  };
  ExpectRuleCases("doGreekRule", &TWordToStress::doGreekRule, cases);
}

TEST(UltimateRules, CameroonStressesTheDoubleVowelUnlessTheWordIsAnException) {
  const TRuleCase cases[] = {
      {"cameroon", "camerOOn", "camerOOn   {Cameroon Rule}"},
      {"kangaroo", "kangarOO", "kangarOO   {Cameroon Rule}"},
      {"kangaroos", "kangarOOs", "kangarOOs   {Cameroon Rule}"},
      {"agreed", "agrEEd", "agrEEd   {Cameroon Rule}"},
      {"absentees", "absentEEs", "absentEEs   {Cameroon Rule}"},
      {"seventeen", "seventEEn", "seventEEn   {Cameroon Rule}"},
      {"tennessee", "tennessEE", "tennessEE   {Cameroon Rule}"},
      {"coffee", "coffee", "COffee   {Cameroon Rule - exception}"},
      {"committee", "committee", "comMIttee   {Cameroon Rule - exception}"},
      {"subcommittee", "subcommittee", "subcomMIttee   {Cameroon Rule - exception}"},
      {"baboon", "baboon", "BAboon   {Cameroon Rule - exception}"},
      {"baboons", "baboons", "BAboons   {Cameroon Rule - exception}"},
      {"banana", "banana", ""},
  };
  ExpectRuleCases("doCameroonRule", &TWordToStress::doCameroonRule, cases);
}

TEST(UltimateRules, FrenchStressesTheEndingFollowedByESOrD) {
  const TRuleCase cases[] = {
      {"grotesque", "grotEsque", "grotEsque   {French Rule}"},
      {"unique", "unIque", "unIque   {French Rule}"},
      {"reservoirs", "reservOirs", "reservOirs   {French Rule}"},
      {"brigades", "brigAdes", "brigAdes   {French Rule}"},
      {"barricaded", "barricAded", "barricAded   {French Rule}"},
      {"omelettes", "omelettes", "'Omelettes   {French Rule - exception}"},
      {"palettes", "palettes", "'PAlettes   {French Rule - exception}"},
      {"decades", "decades", "'DEcades   {French Rule - exception}"},
      {"comrades", "comrades", "'COMrades   {French Rule - exception}"},
      // The ending must be followed by a further e, s or d.
      {"palette", "palette", ""},
      {"cassette", "cassette", ""},
      {"decade", "decade", ""},
  };
  ExpectRuleCases("doFrenchRule", &TWordToStress::doFrenchRule, cases);
}

TEST(UltimateRules, ChineseStressesTheEOfEse) {
  constexpr const char* kTrace = "   {Chinese Rule}";
  const TRuleCase cases[] = {
      {"japanese", "japanEse", kTrace},
      {"senegalese", "senegalEse", kTrace},
      {"congolese", "congolEse", kTrace},
      {"these", "thEse", kTrace},
      {"cheese", "cheEse", kTrace},
      // The exception branch returns the form without a label.
      {"decadese", "decadese", "dEcadese"},
      {"japan", "japan", ""},
  };
  ExpectRuleCases("doChineseRule", &TWordToStress::doChineseRule, cases);
}

TEST(UltimateRules, DescendStressesTheEOfScend) {
  constexpr const char* kTrace = "   {Descend Rule}";
  const TRuleCase cases[] = {
      {"descend", "descEnd", kTrace},
      {"ascends", "ascEnds", kTrace},
      {"condescending", "condescEnding", kTrace},
      {"crescendo", "crescEndo", kTrace},
      {"ascendancy", "ascEndancy", kTrace},
      {"transcendental", "transcEndental", kTrace},
      {"descent", "descent", ""},
  };
  ExpectRuleCases("doDescendRule", &TWordToStress::doDescendRule, cases);
}

TEST(UltimateRules, PaletteMatchesNoRuleOfTheChain) {
  for (const char* word : {"palette", "banana"}) {
    SCOPED_TRACE(word);
    TWordToStress record(Utf8ToUtf16(word));
    for (TWordToStress::TRule rule : UltimateChain()) {
      EXPECT_EQ((record.*rule)(record.BaseWord()), u"");
    }
    EXPECT_EQ(record.WordStressed(), record.BaseWord());
  }
}

struct TExceptionCase {
  const char* Text;
  bool Found;
  const char* Form;
};

void ExpectExceptions(std::span<const std::u16string_view> list,
                      std::span<const TExceptionCase> cases) {
  for (const TExceptionCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TExceptionResult result = FindException(Utf8ToUtf16(c.Text), list);
    EXPECT_EQ(result.Found, c.Found);
    EXPECT_EQ(Utf16ToUtf8(result.Form), c.Form);
  }
}

TEST(FindException, MatchesAnyWhereIgnoringCaseAndInsertsTheFormLiterally) {
  const TExceptionCase cases[] = {
      {"coffee", true, "COffee"}, {"subcommittee", true, "subcomMIttee"},
      {"COFFEE", true, "COffee"}, {"baboons", true, "BAboons"},
      {"kangaroo", false, ""},    {"", false, ""},
  };
  ExpectExceptions(CameroonExceptions, cases);
  const TExceptionCase french[] = {{"omelettes", true, "'Omelettes"}};
  ExpectExceptions(FrenchExceptions, french);
}

TEST(FindException, ScansEveryEntryOfTheOriginalTextAndTheLastMatchWins) {
  // igloo matches first, coffee later: the later form wins, and it is made from the text
  // passed in, not from the form of igloo.
  const TExceptionCase cameroon[] = {{"coffeeigloo", true, "COffeeigloo"},
                                     {"iglooscoffee", true, "igloosCOffee"}};
  ExpectExceptions(CameroonExceptions, cameroon);

  constexpr std::array<std::u16string_view, 3> list = {u"ab|X", u"zz|Q", u"b|Y"};
  const TExceptionCase own[] = {{"abc", true, "aYc"}, {"abab", true, "aYaY"}, {"zz", true, "Q"}};
  ExpectExceptions(list, own);
}

TEST(UpperFirstLetter, MapsOnlyTheFirstCharacterAndOnlyAsciiLetters) {
  const std::array<std::array<const char*, 2>, 6> cases = {{
      {"ette", "Ette"},
      {"ade", "Ade"},
      {"Oir", "Oir"},
      {"ée", "ée"},
      {"1a", "1a"},
      {"", ""},
  }};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Utf16ToUtf8(UpperFirstLetter(Utf8ToUtf16(text))), expected);
  }
}

}  // namespace
}  // namespace lexipulse
