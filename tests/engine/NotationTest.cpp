#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

struct TNotationCase {
  std::u16string Input;
  std::u16string Expected;
};

TEST(CapitalsToAccentsTest, ConvertsRuleCapitalsToDisplayForm) {
  const std::vector<TNotationCase> cases = {
      {u"phOtograph", u"ph\u00D3tograph"},
      {u"kangarOO", u"kangar\u00D3\u00D3"},
      {u"bulGArian", u"bulg\u00C1rian"},
      {u"laBOratory", u"lab\u00D3ratory"},
      {u"TROuble", u"TR\u00D3uble"},
      {u"STable", u"STable"},
      {u"aBc", u"aBc"},
      {u"dev\u00C9loped", u"dev\u00C9loped"},
      {u"xYz", u"x\u00DDz"},
      {u"B", u"b"},
      {u"A", u"\u00C1"},
      {u"", u""},
      {u"AEIOUY", u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD"},
      {u"aeiouy", u"aeiouy"},
      // The second character is tested after the vowels are accented: a capital vowel there
      // does not keep the consonant capitals.
      {u"bAC", u"b\u00C1c"},
      {u"ABC", u"\u00C1BC"},
      {u"1Bc", u"1Bc"},
      {u"a1B", u"a1b"},
      {u"\u00C9A", u"\u00C9\u00C1"},
      {u"fa[,c]\u00C1de", u"fa[,c]\u00C1de"},
      {u"n\u00C1tural f\u00C1mily", u"n\u00C1tural f\u00C1mily"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CapitalsToAccents(c.Input), c.Expected) << Utf16ToUtf8(c.Input);
  }
}

std::u16string Repeat(const std::u16string& piece, std::size_t times) {
  std::u16string text;
  for (std::size_t i = 0; i < times; ++i) {
    text += piece;
  }
  return text;
}

TEST(CapitalsToAccentsTest, ConvertsLongWordsInFull) {
  const std::vector<TNotationCase> cases = {
      {u"p" + Repeat(u"hOtOgrAph", 33) + u"yY",
       u"p" + Repeat(u"h\u00D3t\u00D3gr\u00C1ph", 33) + u"y\u00DD"},
      {u"ST" + Repeat(u"ABLE", 74) + u"XY", u"ST" + Repeat(u"\u00C1BL\u00C9", 74) + u"X\u00DD"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(c.Input.size(), 300u);
    const std::u16string result = CapitalsToAccents(c.Input);
    EXPECT_EQ(result.size(), 300u);
    EXPECT_EQ(result, c.Expected) << Utf16ToUtf8(c.Input.substr(0, 12));
  }
}

}  // namespace
}  // namespace lexipulse
