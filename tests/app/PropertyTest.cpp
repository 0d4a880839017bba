#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingHost.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "engine/Dictionary.h"
#include "pattern/Utf.h"
#include "tests/support/StressProperty.h"

namespace lexipulse {
namespace {

class PipelinePropertyTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
};

// Every run keeps the promise: the final result is the source with stress marks and the
// pipeline's lowercasing, followed by the no-break-space line, and the total counts every item.
void ExpectPropertyHolds(const std::u16string& source, TStressOptions options = {}) {
  TRecordingHost host;
  const std::int32_t total = StressSourceText(source, host, options);
  EXPECT_EQ(total, WordItemCount(source));
  const std::vector<std::u16string>& texts = host.ResultTexts();
  const std::u16string result = texts.empty() ? std::u16string() : texts.back();
  EXPECT_EQ(CheckStressProperty(source, result), "") << Utf16ToUtf8(result);
  ASSERT_FALSE(host.ResultLines().empty());
  EXPECT_EQ(host.ResultLines().back(), u"\u00A0");
}

TEST_F(PipelinePropertyTest, TheTestTextsKeepEverything) {
  const struct {
    const char* Name;
    std::u16string Source;
  } kCases[] = {
      {"worked example", u"Big  ELEPHANT,\r\n\r\nI am OK"},
      {"short words between long words", u"THE Elephant AND Giraffe Ran"},
      {"four letters at a line end", u"Word\r\nWord"},
      {"punctuation around runs", u"well-known it's, (hello), 1998, Snake_Case -----"},
      {"letters above U+007F", u"fianc\u00E9e \u00C1LVAREZ CAF\u00C9 na\u00EFve"},
      {"spaces kept", u"  Lead trail  \r\na  b"},
      {"tab and no-break space inside items", u"Tab\tbed\u00A0x Photograph\tdeveloped"},
      {"quotation marks and typed double daggers", u"He said \"Hello\" to \u2021Dagger\u2021 x"},
      {"typographic quotes", u"\u201CQuoted\u201D \u2018single\u2019"},
      {"empty lines", u"Alpha\r\n\r\nBeta\r\n"},
      {"rule capitals on consonants", u"AFFORDABLE Bulgarian laboratory Cameroon"},
      {"words the dictionary and the rules both know",
       u"The PHOTOGRAPHER developed the photographs; photographical PHOTOGRAPH"},
      {"the sample", SampleText()},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    ExpectPropertyHolds(c.Source);
  }
}

TEST_F(PipelinePropertyTest, LiteralModeKeepsEverythingToo) {
  ExpectPropertyHolds(u"The PHOTOGRAPHER developed the photographs\r\nAFFORDABLE Bulgarian",
                      {.Literal = true});
}

// The property grants a stressed run no letters beyond its own; the data it runs on must give
// none, line by line.
TEST_F(PipelinePropertyTest, EveryDictionaryValueHoldsItsKeysLetters) {
  ASSERT_FALSE(Dictionary.empty());
  for (const std::u16string& line : Dictionary) {
    const std::size_t equals = line.find(u'=');
    ASSERT_NE(equals, std::u16string::npos) << Utf16ToUtf8(line);
    const std::u16string key = line.substr(0, equals);
    const std::u16string value = line.substr(equals + 1);
    // Trailing punctuation makes even a short key a long item whose run may carry the marks.
    ASSERT_EQ(CheckStressProperty(key + u",,,,,", value + u",,,,,"), "") << Utf16ToUtf8(line);
  }
}

}  // namespace
}  // namespace lexipulse
