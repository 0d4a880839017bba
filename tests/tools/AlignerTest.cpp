#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "pattern/Utf.h"
#include "tests/tools/TestData.h"
#include "tools/Agreement.h"
#include "tools/Aligner.h"
#include "tools/CmuSource.h"
#include "tools/Generator.h"
#include "tools/HandTable.h"
#include "tools/StressMarker.h"

namespace lexipulse {
namespace {

// The hand-marked words cover silent e, vowel digraphs and trigraphs, y and w as consonant
// and vowel, syllabic consonants, qu and gu, doubling and x. The aligner is trained on the
// source excerpt, which holds the table's words with their phonemes (never their marks), then
// must mark at least 97% of the words exactly as marked by hand.
TEST(AlignerHandMarked, AgreesWithHandMarkingOnHardSpellings) {
  const std::vector<THandMarked> table = ReadHandTable(ReadTestFile("HandMarked.tsv"));
  ASSERT_FALSE(table.empty());
  TAligner aligner;
  aligner.Train(ReadCmuSource(ReadTestFile("CmuExcerpt.js")).Entries, kTrainingRounds);

  const THandScore score = ScoreHandTable(aligner, table);
  std::string disagreements;
  for (const std::string& line : score.Disagreements) disagreements += "  " + line + "\n";
  std::cout << "hand-marked agreement: " << score.Agreeing << " of " << score.Words << "\n"
            << disagreements;
  EXPECT_GE(score.Agreeing * 100, score.Words * 97) << disagreements;
}

TEST(MarkPrimaryStressTest, MarksTheVowelGroupOfEachPrimaryStress) {
  struct TCase {
    const char* Steps;
    const char* Marked;
    std::size_t Unspelled;
  };
  const TCase cases[] = {
      {"a=AH0 b=B ou=AW1 t=T", "abÓÚt", 0},
      {"h= e= a=AA1 r=R t=T", "hÉÁrt", 0},                      // silent e before joins
      {"t=T r=R u=UW1 e=", "trÚÉ", 0},                          // silent e after joins
      {"g=G u= a=AA1 r=R d=D", "guÁrd", 0},                     // u of gu stays out
      {"q=K u=W ee=IY1 n=N", "quÉÉn", 0},                       // u as W is its own phoneme
      {"p=P l=L a=EY1 y= e= d=D", "plÁÝed", 0},                 // y closes the group
      {"w=W er=ER1 e=", "wÉre", 0},                             // r between: the e stays out
      {"m=M a=EY1 k=K e=", "mÁke", 0},                          // split digraph: silent e unmarked
      {"a=AE1 f=F t=T er=ER0 n=N oo=UW1 n=N", "ÁfternÓÓn", 0},  // two primaries
      {"a=AE2 f=F t=T er=ER0 n=N oo=UW1 n=N", "afternÓÓn", 0},  // secondary unmarked
      {"th=DH e=AH0", "the", 0},                                // no primary stress
      {"n=EH1_N t=T h=", "nth", 1},                             // stressed nucleus on a consonant
      {"r=R h= y=IH1 th=DH m=AH0_M", "rhÝthm", 0},
  };
  for (const TCase& c : cases) {
    std::string word;
    std::vector<std::string> phonemes;
    const TAlignment alignment = StepsToAlignment(c.Steps, word, phonemes);
    const TStressMarking marking = MarkPrimaryStress(word, phonemes, alignment);
    EXPECT_EQ(Utf16ToUtf8(marking.Value), c.Marked) << c.Steps;
    EXPECT_EQ(marking.UnspelledNuclei, c.Unspelled) << c.Steps;
  }
}

TEST(AlignerTest, RefusesWhatTheLettersCannotCarry) {
  const TAligner aligner;
  EXPECT_FALSE(aligner.Align("mr", {"M", "IH1", "S", "T", "ER0"}).has_value());
  EXPECT_FALSE(aligner.Align("a1", {"EY1", "W", "AH1", "N"}).has_value());
  EXPECT_FALSE(aligner.Align("ab", {"AE1", "QQ"}).has_value());
  EXPECT_TRUE(aligner.Align("box", {"B", "AA1", "K", "S"}).has_value());
}

}  // namespace
}  // namespace lexipulse
