#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/QuietHost.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

// ChainTest runs words through Process over a tiny dictionary, so that a word reaching the
// dictionary step shows it, and restores the process-wide dictionary afterwards.
class ChainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _Saved = Dictionary;
    SetDictionaryLines(
        {u"coffee=cÓffÉÉ", u"politic=pÓlitic", u"palette=palÉtte", u"banana=banÁna"});
  }
  void TearDown() override { SetDictionaryLines(_Saved); }

 private:
  std::vector<std::u16string> _Saved;
};

struct TChainCase {
  const char* Word;
  const char* Stressed;
  const char* DecidingTrace;
  bool DoneStressed;
};

void ExpectProcess(std::span<const TChainCase> cases) {
  for (const TChainCase& c : cases) {
    SCOPED_TRACE(c.Word);
    TWordToStress record(Utf8ToUtf16(c.Word));
    record.Process();
    EXPECT_EQ(Utf16ToUtf8(record.WordStressed()), c.Stressed);
    EXPECT_EQ(Utf16ToUtf8(record.DecidingTrace()), c.DecidingTrace);
    EXPECT_EQ(record.DoneStressed(), c.DoneStressed);
  }
}

TEST_F(ChainTest, EveryRuleDecidesItsOwnExampleInChainOrder) {
  const TChainCase cases[] = {
      {"photograph", "phOtograph", "   {1st Greek Rule}", true},
      {"photographer", "photOgrapher", "   {Greek Rule}", true},
      {"cameroon", "camerOOn", "camerOOn   {Cameroon Rule}", true},
      {"grotesque", "grotEsque", "grotEsque   {French Rule}", true},
      {"japanese", "japanEse", "   {Chinese Rule}", true},
      {"descend", "descEnd", "   {Descend Rule}", true},
      {"priority", "priOrity", "   {Sorority Rule}", true},
      {"classified", "clAssified", "   {Classified Rule}", true},
      {"bulgarian", "bulGArian", "   {Bulgarian Rule}", true},
      {"polish", "pOlish", "   {Polish Rule}", true},
      {"confiscate", "cOnfiscate", "   {Spectator Rule}", true},
      {"psittacosis", "psittacOsis", "   {Psittacosis Rule}", true},
      {"anemia", "anEmia", "   {Anemia Rule}", true},
      {"laboratory", "laBOratory", "   {Oratory Rule}", true},
      {"memento", "memEnto", "   {Memento Rule}", true},
      {"quintal", "quIntal", "   {Transcendental Rule}", true},
      {"voluble", "VOLuble", "   {Voluble Rule}", true},
      {"pestiferous", "pestIferous", "   {Pestiferous Rule}", true},
      {"senescence", "senEscence", "   {Senescence Rule}", true},
      {"distributive", "distrIbutive", "   {Distributive Rule}", true},
  };
  ExpectProcess(cases);
}

TEST_F(ChainTest, TheFirstRuleThatReportsWinsOverLaterRulesAndChains) {
  const TChainCase cases[] = {
      // The Transcendental rule would also match these.
      {"fundamental", "fundamEntal", "   {Memento Rule}", true},
      {"horizontal", "horizOntal", "   {Memento Rule}", true},
      // Memento and Transcendental would stress the second e: transcendEntal.
      {"transcendental", "transcEndental", "   {Descend Rule}", true},
      // Too short for the Oratory rule, which comes before Memento anyway.
      {"oratory", "orAtory", "   {Memento Rule}", true},
      // The Pestiferous and Distributive rules would also match these.
      {"criticize", "crIticize", "   {Polish Rule}", true},
      {"positive", "pOsitive", "   {Polish Rule}", true},
      {"multitude", "mUltitude", "   {Polish Rule}", true},
      {"apologize", "apOlogize", "   {Greek Rule}", true},
      {"monotonous", "monOtonous", "   {Greek Rule}", true},
      // Memento would give phOtographical.
      {"photographical", "photogrAphical", "   {Polish Rule}", true},
  };
  ExpectProcess(cases);
}

TEST_F(ChainTest, AnExceptionStopsTheWholeSearchAndLeavesTheWordUnmarked) {
  const TChainCase cases[] = {
      {"coffee", "coffee", "COffee   {Cameroon Rule - exception}", true},
      {"baboons", "baboons", "BAboons   {Cameroon Rule - exception}", true},
      {"palettes", "palettes", "'PAlettes   {French Rule - exception}", true},
      {"decadese", "decadese", "dEcadese", true},
      {"politics", "politics", "'POlitics   {Polish Rule - exception}", true},
      // Control cases: no rule reports, so the dictionary step decides.
      {"banana", "banÁna", "", false},
      {"palette", "palÉtte", "", false},
      {"sample", "sample", "", false},
  };
  ExpectProcess(cases);
}

// SampleLines empties the dictionary, so that every mark in a result must come from a rule.
class SampleLines : public ::testing::Test {
 protected:
  void SetUp() override {
    _Saved = Dictionary;
    SetDictionaryLines({});
  }
  void TearDown() override { SetDictionaryLines(_Saved); }

 private:
  std::vector<std::u16string> _Saved;
};

TEST_F(SampleLines, WordsOfTheRuleLinesAreStressedByRulesAlone) {
  const struct {
    const char* Source;
    const char* Result;
  } lines[] = {
      {"Cameroon, kangaroo, Senegalese, Congolese, Japanese, Polish, Bulgarian, Romanian, "
       "Scottish, laboratory, classified, psicattosis, otitis, senator, senate, confiscate",
       "camerÓÓn, kangarÓÓ, senegalÉse, congolÉse, japanÉse, pÓlish, bulgÁrian, romÁnian, "
       "scÓttish, labÓratory, clÁssified, psicattÓsis, otÍtis, sÉnator, sÉnate, cÓnfiscate"},
      {"photograph photographer photographical ", "phÓtograph photÓgrapher photogrÁphical "},
      {"*Balaroon, *tarabese, *hibalescent, *puberatory, *galacoxity, *disentity. ",
       "*balarÓÓn, *tarabÉse, *hibalÉscent, *pubÉratory, *galacÓxity, *disÉntity. "},
  };
  std::u16string source;
  std::string expected;
  for (const auto& line : lines) {
    if (!source.empty()) {
      source += u"\r\n";
      expected += "\r\n";
    }
    source += Utf8ToUtf16(line.Source);
    expected += line.Result;
  }
  TFinalTextHost host;
  StressSourceText(source, host);
  EXPECT_EQ(Utf16ToUtf8(host.Text()), expected);
}

}  // namespace
}  // namespace lexipulse
