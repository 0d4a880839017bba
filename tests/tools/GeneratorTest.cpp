#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "tests/tools/TestData.h"
#include "tools/Agreement.h"
#include "tools/CmuSource.h"
#include "tools/DictFormat.h"
#include "tools/Generator.h"

namespace lexipulse {
namespace {

// The program's own dictionary step: its suffix split, then its lookup of the radical.
TDictionaryStep ProgramStep(const std::string& word) {
  TWordToStress record(std::u16string(word.begin(), word.end()));
  record.SplitWord();
  return {record.Radical(), record.Ending(), LookUpDictionary(record.Radical()) + record.Ending()};
}

// One generation over the committed excerpt, shared by the tests below.
class GeneratorTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    _Source = std::make_unique<TCmuSource>(ReadCmuSource(ReadTestFile("CmuExcerpt.js")));
    _Generation = std::make_unique<TGeneration>(Generate(*_Source));
  }
  static void TearDownTestSuite() {
    _Generation.reset();
    _Source.reset();
    FreeDictionary();
  }

  static inline std::unique_ptr<TCmuSource> _Source;
  static inline std::unique_ptr<TGeneration> _Generation;
};

TEST_F(GeneratorTest, CoversAtLeastNinetyNinePercentAndListsTheRestWithReasons) {
  const TGeneration& generation = *_Generation;
  ASSERT_EQ(generation.EligibleWords, _Source->Entries.size());
  std::set<std::string> accounted;
  for (const TMarkedWord& word : generation.Marked) accounted.insert(word.Word);
  for (const TUnaligned& word : generation.Unaligned) {
    EXPECT_FALSE(word.Reason.empty()) << word.Word;
    EXPECT_TRUE(accounted.insert(word.Word).second) << word.Word << " both marked and listed";
  }
  for (const TCmuEntry& entry : _Source->Entries) {
    EXPECT_TRUE(accounted.contains(entry.Word)) << entry.Word << " neither marked nor listed";
  }
  EXPECT_GE(generation.Marked.size() * 100, generation.EligibleWords * 99);
}

TEST_F(GeneratorTest, WritesWellFormedDataAndTheSameBytesEveryTime) {
  const std::string data = EncodeDictionary(_Generation->Dictionary.Lines);
  const std::vector<std::string> problems = DataProblems(DecodeDictionary(data));
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_EQ(EncodeDictionary(Generate(*_Source).Dictionary.Lines), data);
}

// Every word's dictionary step, run by the program's own split and lookup over the generated
// lines, gives the word's own marks, save for the kinds the data cannot represent; those are
// all present in the excerpt and must each be explained.
TEST_F(GeneratorTest, ProgramDictionaryStepAgreesWithTheAlignment) {
  SetDictionaryLines(DecodeDictionary(EncodeDictionary(_Generation->Dictionary.Lines)));
  const TAgreementReport program = CheckAgreement(_Generation->Marked, ProgramStep, 20);
  const TAgreementReport table =
      CheckAgreement(_Generation->Marked, TableStep(_Generation->Dictionary), 20);
  const auto examples = [&](TDisagreement kind) {
    std::string text;
    const auto found = program.Examples.find(kind);
    if (found != program.Examples.end()) {
      for (const std::string& example : found->second) text += example + "\n";
    }
    return text;
  };
  EXPECT_EQ(program.Disagreeing(TDisagreement::kUnexplained), 0u)
      << examples(TDisagreement::kUnexplained);
  EXPECT_GT(program.Disagreeing(TDisagreement::kStressInEnding), 0u);
  EXPECT_GT(program.Disagreeing(TDisagreement::kRadicalIsWord), 0u);
  EXPECT_GT(program.Disagreeing(TDisagreement::kSharedStem), 0u);
  EXPECT_EQ(program.Agreeing, table.Agreeing);
  EXPECT_EQ(program.Counts, table.Counts);
  EXPECT_GT(program.Agreeing * 10, program.Words * 9);
}

}  // namespace
}  // namespace lexipulse
