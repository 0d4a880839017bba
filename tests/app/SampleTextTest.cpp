#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Delimited.h"
#include "app/SampleText.h"

namespace lexipulse {
namespace {

std::vector<std::u16string> SampleLines() {
  std::vector<std::u16string> lines = SplitDelimited(SampleText(), u'\n');
  // Every line but the last ends with the CR of its CR LF break.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    EXPECT_EQ(lines[i].back(), u'\r') << "line " << i + 1;
    lines[i].pop_back();
  }
  return lines;
}

TEST(SampleTextTest, FirstTwelveLinesAreExact) {
  const std::u16string kLines[] = {
      u"Example 0 --- individual words",
      u"Cameroon, kangaroo, Senegalese, Congolese, Japanese, Polish, Bulgarian, Romanian, "
      u"Scottish, laboratory, classified, psicattosis, otitis, senator, senate, confiscate",
      u"--- dynamic stress",
      u"photograph photographer photographical ",
      u"--- non existent words",
      u"*Balaroon, *tarabese, *hibalescent, *puberatory, *galacoxity, *disentity. ",
      u"Example 1 ---",
      u"All absentees had to produce a medical certificate signed by the physician.",
      u"The traditional American physicist never quite agreed with those terrestrial ",
      u"regulations. He started a ferocious demonstration which was ultimately ",
      u"refereed by both the Senate and the Establishment at large.",
      u"Example 2 ---",
  };
  const auto lines = SampleLines();
  ASSERT_GE(lines.size(), std::size(kLines));
  for (std::size_t i = 0; i < std::size(kLines); ++i) {
    EXPECT_EQ(lines[i], kLines[i]) << "line " << i + 1;
  }
}

TEST(SampleTextTest, ProseLinesAreShortPlainLines) {
  const auto lines = SampleLines();
  ASSERT_EQ(lines.size(), 30u);
  bool typographicQuote = false;
  for (std::size_t i = 12; i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_FALSE(lines[i].empty());
    EXPECT_LE(lines[i].size(), 80u);
    EXPECT_EQ(lines[i].find_first_of(u"\r\n\""), std::u16string::npos);
    EXPECT_NE(lines[i].back(), u' ');
    typographicQuote = typographicQuote ||
                       lines[i].find_first_of(u"\u201C\u201D\u2018\u2019") != std::u16string::npos;
  }
  EXPECT_TRUE(typographicQuote);
}

TEST(SampleTextTest, NoBreakAfterTheLastLine) {
  const std::u16string& text = SampleText();
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), u'\n');
  EXPECT_NE(text.back(), u'\r');
}

}  // namespace
}  // namespace lexipulse
