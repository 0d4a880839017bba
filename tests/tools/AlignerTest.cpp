#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/tools/TestData.h"
#include "tools/Aligner.h"
#include "tools/CmuSource.h"
#include "tools/Generator.h"
#include "tools/HandTable.h"

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

}  // namespace
}  // namespace lexipulse
