#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Dictionary.h"
#include "engine/Resource.h"
#include "engine/uStressRules.h"
#include "tools/DictFormat.h"

namespace lexipulse {
namespace {

class EmbeddedDictionaryTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
  static void TearDownTestSuite() { FreeDictionary(); }
};

TEST_F(EmbeddedDictionaryTest, EveryLineObeysTheKeyAndValueRules) {
  ASSERT_FALSE(Dictionary.empty());
  const std::vector<std::string> problems = DataProblems(Dictionary);
  EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first: " << problems.front();
  EXPECT_TRUE(DictionaryIndexed());
}

TEST_F(EmbeddedDictionaryTest, ResourceIsCrLfSeparatedWindows1252WithoutFinalBreak) {
  const std::optional<std::string_view> bytes = FindResource("DICT");
  ASSERT_TRUE(bytes.has_value());
  ASSERT_FALSE(bytes->empty());
  EXPECT_NE(bytes->substr(bytes->size() - 1), "\n");
  EXPECT_EQ(DecodeDictionary(*bytes), Dictionary);
}

TEST_F(EmbeddedDictionaryTest, MarksRealWordsThroughSplitAndLookup) {
  struct TCase {
    std::u16string Word;
    std::u16string Stressed;
  };
  const TCase cases[] = {
      {u"developed", u"dev\u00C9loped"},   {u"customers", u"c\u00DAstomers"},
      {u"abdicated", u"\u00C1bdicated"},   {u"about", u"ab\u00D3\u00DAt"},
      {u"cities", u"c\u00CDties"},         {u"rhythm", u"rh\u00DDthm"},
      {u"photograph", u"ph\u00D3tograph"}, {u"beautiful", u"b\u00C9\u00C1\u00DAtiful"},
  };
  for (const TCase& c : cases) {
    TWordToStress record(c.Word);
    record.SplitWord();
    EXPECT_EQ(LookUpDictionary(record.Radical()) + record.Ending(), c.Stressed)
        << std::string(c.Word.begin(), c.Word.end());
  }
}

}  // namespace
}  // namespace lexipulse
