#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Delimited.h"

namespace lexipulse {
namespace {

struct TSplitCase {
  const char* Name;
  std::u16string Text;
  char16_t Delimiter;
  std::vector<std::u16string> Items;
};

const std::vector<TSplitCase>& SplitCases() {
  static const std::vector<TSplitCase> kCases = {
      {"empty text gives no items", u"", u' ', {}},
      {"no delimiter gives one item", u"word", u' ', {u"word"}},
      {"lone delimiter gives two empty items", u" ", u' ', {u"", u""}},
      {"delimiter at start", u" a", u' ', {u"", u"a"}},
      {"delimiter at end", u"a ", u' ', {u"a", u""}},
      {"adjacent delimiters", u"a  b", u' ', {u"a", u"", u"b"}},
      {"only delimiters", u"\n\n\n", u'\n', {u"", u"", u"", u""}},
      {"CR stays before LF", u"one\r\ntwo\r\n", u'\n', {u"one\r", u"two\r", u""}},
      {"lone CR is no delimiter", u"a\rb", u'\n', {u"a\rb"}},
      {"tab and no-break space stay inside items", u"a\tb\u00A0c d", u' ', {u"a\tb\u00A0c", u"d"}},
      {"quotes are not interpreted", u"\"a b\" c", u' ', {u"\"a", u"b\"", u"c"}},
      {"other delimiter leaves spaces alone", u"a b\nc", u'\n', {u"a b", u"c"}},
  };
  return kCases;
}

TEST(DelimitedTest, SplitGivesExactPieces) {
  for (const auto& c : SplitCases()) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(SplitDelimited(c.Text, c.Delimiter), c.Items);
  }
}

TEST(DelimitedTest, JoinInvertsSplit) {
  for (const auto& c : SplitCases()) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(JoinDelimited(c.Items, c.Delimiter), c.Text);
  }
}

TEST(DelimitedTest, JoinAddsNothingAroundItems) {
  const struct {
    const char* Name;
    std::vector<std::u16string> Items;
    std::u16string Joined;
  } kCases[] = {
      {"empty list", {}, u""},
      {"one empty item", {u""}, u""},
      {"two empty items", {u"", u""}, u"-"},
      {"items with delimiter inside are not quoted", {u"a-b", u"c"}, u"a-b-c"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(JoinDelimited(c.Items, u'-'), c.Joined);
  }
}

TEST(DelimitedTest, SplitLinesBreaksAtEveryLineEnd) {
  const struct {
    const char* Name;
    std::u16string Text;
    std::vector<std::u16string> Lines;
    std::vector<std::u16string> Breaks;
  } kCases[] = {
      {"empty text gives no lines", u"", {}, {}},
      {"no break gives one line", u"word", {u"word"}, {}},
      {"LF", u"a\nb", {u"a", u"b"}, {u"\n"}},
      {"CR LF is one break", u"a\r\nb", {u"a", u"b"}, {u"\r\n"}},
      {"lone CR", u"a\rb", {u"a", u"b"}, {u"\r"}},
      {"LF CR is two breaks", u"a\n\rb", {u"a", u"", u"b"}, {u"\n", u"\r"}},
      {"CR CR LF", u"a\r\r\nb", {u"a", u"", u"b"}, {u"\r", u"\r\n"}},
      {"break at the end gives an empty last line", u"a\r\n", {u"a", u""}, {u"\r\n"}},
      {"CR at the very end", u"a\r", {u"a", u""}, {u"\r"}},
      {"only breaks", u"\n\r\n\r", {u"", u"", u"", u""}, {u"\n", u"\r\n", u"\r"}},
      {"other separators stay inside lines",
       u"a\u2028b\u0085c\fd\ve",
       {u"a\u2028b\u0085c\fd\ve"},
       {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    std::vector<std::u16string> breaks{u"left over"};
    EXPECT_EQ(SplitLines(c.Text, &breaks), c.Lines);
    EXPECT_EQ(breaks, c.Breaks);
    EXPECT_EQ(SplitLines(c.Text), c.Lines);
  }
}

}  // namespace
}  // namespace lexipulse
