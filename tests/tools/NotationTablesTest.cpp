#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/NotationTable.h"
#include "pattern/Utf.h"
#include "tests/tools/TestData.h"
#include "tools/British.h"
#include "tools/CmuSource.h"
#include "tools/Generator.h"
#include "tools/HandTable.h"
#include "tools/StressLevels.h"

namespace lexipulse {
namespace {

// One generation over the committed excerpt, with its stress-levels table.
class NotationTablesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    _Source = std::make_unique<TCmuSource>(ReadCmuSource(ReadTestFile("CmuExcerpt.js")));
    _Generation = std::make_unique<TGeneration>(Generate(*_Source));
  }
  static void TearDownTestSuite() {
    _Generation.reset();
    _Source.reset();
  }

  static std::map<std::string, std::string> Levels() {
    std::map<std::string, std::string> lines;
    for (const TDictionaryLine& line :
         BuildStressLevels(*_Source, _Generation->Aligner, _Generation->Marked).Lines) {
      lines.emplace(line.Key, Utf16ToUtf8(line.Value));
    }
    return lines;
  }

  static inline std::unique_ptr<TCmuSource> _Source;
  static inline std::unique_ptr<TGeneration> _Generation;
};

TEST_F(NotationTablesTest, StressLevelsMarkTheNucleusAndTheSecondaryStress) {
  const std::map<std::string, std::string> levels = Levels();
  const struct {
    const char* Word;
    const char* Line;  // empty: no line, the dictionary's value says it all
  } kCases[] = {
      {"photographic", "phòtogrÁphic"},
      {"photograph", "phÓtogràph"},
      {"abdicate", "Ábdicàte"},
      {"aardvark", "ÁÁrdvàrk"},  // aa is one letter group, spelling AA
      // One vowel phoneme: no mark at all, though the dictionary marks the vowel group.
      {"eye", "eye"},
      {"thought", "thought"},
      {"true", "true"},
      {"heart", "heart"},
      // The nucleus only: the o of theory spells no vowel of its own.
      {"theory", "thÉory"},
      // Where the nucleus is the dictionary's group, no line is needed.
      {"about", ""},
      {"cafe", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Word);
    const auto found = levels.find(c.Word);
    if (*c.Line == '\0') {
      EXPECT_EQ(found, levels.end()) << found->second;
    } else {
      ASSERT_NE(found, levels.end());
      EXPECT_EQ(found->second, c.Line);
    }
  }
  // The encoded table is what the program's reader takes.
  const TNotationTable table(EncodeNotationTable(
      BuildStressLevels(*_Source, _Generation->Aligner, _Generation->Marked).Lines));
  EXPECT_EQ(table.Size(), levels.size());
}

TEST(MarkStressLevelsTest, MarksTheNucleusOnHandAlignments) {
  const struct {
    const char* Steps;
    const char* Levels;
    const char* Primary;
  } kCases[] = {
      // A silent vowel letter of another syllable stays out, one of a vowel team joins.
      {"d=D i=AY1 a= m=M o=AH0 n=N d=D", "dÍamond", "dÍamond"},
      {"th=TH e=IH1 o= r=R y=IY0", "thÉory", "thÉory"},
      {"g=G r=R e= a=EY1 t=T", "great", "grÉÁt"},
      {"f=F r=R i= e=EH1 n=N d=D", "friend", "frÍÉnd"},
      // A silent final e is never marked, nor the u of gu.
      {"ey=AY1 e=", "eye", "ÉÝe"},
      {"t=T r=R ue=UW1", "true", "trÚe"},
      {"g=G uy=AY1", "guy", "guÝ"},
      {"a=AH0 g=G r=R ee=IY1", "agrÉÉ", "agrÉÉ"},
      // Secondary stress on its own nucleus, in grave lowercase.
      {"ph=F o=OW2 t=T o=AH0 g=G r=R a=AE1 ph=F i=IH0 c=K", "phòtogrÁphic", "photogrÁphic"},
      {"e=IH0 x=G_Z a=AE2 m=M i=AH0 n=N a=EY1 t=SH io=AH0 n=N", "exàminÁtion", "examinÁtion"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Steps);
    std::string word;
    std::vector<std::string> phonemes;
    const TAlignment alignment = StepsToAlignment(c.Steps, word, phonemes);
    EXPECT_EQ(Utf16ToUtf8(MarkStressLevels(word, phonemes, alignment)), c.Levels);
    EXPECT_EQ(Utf16ToUtf8(MarkPrimaryNucleus(word, phonemes, alignment)), c.Primary);
  }
}

// The nucleus marks against the table marked that way by hand, with the aligner trained on the
// excerpt; the dictionary's marks, which join silent letters, are scored on it for comparison.
TEST_F(NotationTablesTest, NucleusMarksAgreeWithTheHandTableBetterThanTheDictionarys) {
  const std::vector<THandMarked> table = ReadHandTable(ReadTestFile("HandMarkedNuclei.tsv"));
  ASSERT_GE(table.size(), 300u);
  const THandScore before = ScoreHandTable(_Generation->Aligner, table, THandMarks::Dictionary);
  const THandScore after = ScoreHandTable(_Generation->Aligner, table, THandMarks::Nucleus);
  std::string disagreements;
  for (const std::string& line : after.Disagreements) disagreements += "  " + line + "\n";
  std::cout << "nucleus hand table: dictionary marks " << before.Agreeing << ", nucleus marks "
            << after.Agreeing << " of " << after.Words << "\n"
            << disagreements;
  EXPECT_GT(after.Agreeing, before.Agreeing);
  EXPECT_GE(after.Agreeing * 100, after.Words * 97) << disagreements;
}

TEST(BritfoneTest, ReadsTheFirstPronunciationOfEveryWordOfLetters) {
  const auto entries = ReadBritfone(
      "CAFE, k \xCB\x88\xC3\xA6 f e\xC9\xAA\n"
      "DEBRIS(1), d \xCB\x88\xC9\x9B b \xC9\xB9 i\n"
      "DEBRIS(2), d \xCB\x88\x65\xC9\xAA b \xC9\xB9 i\n"
      "'COS, k \xCB\x88\xC9\x99 z\n"
      "COSTA_RICA, k \xCB\x8C\xC9\x92 s t \xC9\x99 \xC9\xB9 \xCB\x88i\xCB\x90 k \xC9\x99\r\n");
  ASSERT_EQ(entries.size(), 2u);
  const TBritfoneEntry& cafe = entries.at("cafe");
  EXPECT_EQ(cafe.Phonemes, (std::vector<std::string>{"K", "AE", "F", "EY"}));
  EXPECT_EQ(cafe.Stress, (std::vector<int>{-1, 1, -1, 0}));
  EXPECT_EQ(entries.at("debris").Phonemes, (std::vector<std::string>{"D", "EH", "B", "R", "IY"}));
  EXPECT_THROW(ReadBritfone("WORD, k \xCA\x94\n"), std::runtime_error);  // a glottal stop
  EXPECT_THROW(ReadBritfone("WORD k\n"), std::runtime_error);
}

TEST_F(NotationTablesTest, TheBritishTableKeepsRealDifferencesAndHonoursTheHandCheck) {
  const auto britfone = ReadBritfone(
      "CAFE, k \xCB\x88\xC3\xA6 f e\xC9\xAA\n"  // cÁfe: differs
      "PHOTOGRAPH, f \xCB\x88\xC9\x99\xCA\x8A t \xC9\x99 g \xC9\xB9 \xC9\x91\xCB\x90 f\n"  // same
      "ABDICATE, \xCB\x88\xC3\xA6 b d \xC9\xAA k \xCB\x8C\x65\xC9\xAA t\n"                 // same
      "ABIDE, \xCB\x88\xC9\x99 b a\xC9\xAA d\n");  // differs, and rejected by hand
  const TBritishTable table =
      BuildBritishTable(*_Source, _Generation->Aligner, britfone, {{"abide", "test reason"}});
  EXPECT_EQ(table.Shared, 4u);
  ASSERT_EQ(table.Lines.size(), 1u);
  EXPECT_EQ(table.Lines[0].Word, "cafe");
  EXPECT_EQ(Utf16ToUtf8(table.Lines[0].British), "cÁfe");
  EXPECT_EQ(Utf16ToUtf8(table.Lines[0].American), "cafÉ");
  ASSERT_EQ(table.Rejected.size(), 1u);
  EXPECT_EQ(table.Rejected[0].first, "abide");
  EXPECT_EQ(table.Rejected[0].second, "test reason");
  // A form given by hand is taken as it is.
  const TBritishTable byHand =
      BuildBritishTable(*_Source, _Generation->Aligner, britfone, {{"photograph", "= photogrÁph"}});
  EXPECT_EQ(byHand.ByHand, 1u);
  EXPECT_EQ(byHand.Lines.size(), 3u);
}

TEST(BritishHandCheckTest, ReadsReasonsAndForms) {
  const auto rejected = ReadRejected("# comment\n\nrecord\tpart of speech\r\nlab\t= lÁb\n");
  EXPECT_EQ(rejected.size(), 2u);
  EXPECT_EQ(rejected.at("record"), "part of speech");
  EXPECT_EQ(rejected.at("lab"), "= lÁb");
  EXPECT_THROW(ReadRejected("record part of speech\n"), std::runtime_error);
}

}  // namespace
}  // namespace lexipulse
