#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern/Utf.h"

namespace lexipulse {
namespace {

TEST(Utf, EncodesAndRoundTripsExactly) {
  struct TCase {
    const char* Name;
    std::u16string Text;
    std::string Bytes;
  };
  const std::vector<TCase> cases = {
      {"empty", u"", ""},
      {"ASCII with NUL", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {"two-byte", u"é\u00A0", "\xC3\xA9\xC2\xA0"},
      {"three-byte", u"\u2028\uFFFD", "\xE2\x80\xA8\xEF\xBF\xBD"},
      {"surrogate pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
      {"lone high surrogate", std::u16string{0xD800, u'a'},
       "\xED\xA0\x80"
       "a"},
      {"lone low surrogate", std::u16string{u'a', 0xDFFF}, "a\xED\xBF\xBF"},
      {"reversed pair stays two units", std::u16string{0xDC00, 0xD800}, "\xED\xB0\x80\xED\xA0\x80"},
      {"high surrogate at the end", std::u16string{u'x', 0xDBFF}, "x\xED\xAF\xBF"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Utf16ToUtf8(c.Text), c.Bytes);
    EXPECT_EQ(Utf8ToUtf16(c.Bytes), c.Text);
  }
}

TEST(Utf, ForeignInvalidBytesDecodeToReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b\xC3"),
            (std::u16string{u'a', 0xFFFD, u'b', 0xFFFD}));
  EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), (std::u16string{0xFFFD, 0xFFFD}));
}

TEST(Utf, FindInvalidUtf8LocatesTheFirstBadByte) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Valid;
    std::size_t Offset, Line, Column;
  };
  const std::vector<TCase> cases = {
      {"empty", "", true, 0, 0, 0},
      {"ASCII lines", "one\ntwo\r\n", true, 0, 0, 0},
      {"every length", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", true, 0, 0, 0},
      {"lone continuation", "ab\x80", false, 2, 1, 3},
      {"overlong two-byte", "\xC0\xAF", false, 0, 1, 1},
      {"overlong three-byte", "x\xE0\x80\xAF", false, 1, 1, 2},
      {"overlong four-byte", "\xF0\x80\x80\xAF", false, 0, 1, 1},
      {"encoded surrogate", "ok\n\xED\xA0\x80", false, 3, 2, 1},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, 0, 1, 1},
      {"invalid lead byte", "a\xF8\x88\x80\x80\x80", false, 1, 1, 2},
      {"truncated at the end", "line\nl2\nab\xE2\x82", false, 10, 3, 3},
      {"after long ASCII lines", "abcdefghij\nklmnopqrstuv\nwxyz0123\xFF", false, 32, 3, 9},
      {"at an eight-byte boundary", "01234567\xC3(", false, 8, 1, 9},
      {"valid after long ASCII", std::string(100, 'a') + "\xC3\xA9" + std::string(9, 'b'), true, 0,
       0, 0},
      {"truncated before ASCII",
       "\xC3"
       "a",
       false, 0, 1, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto error = FindInvalidUtf8(c.Bytes);
    ASSERT_EQ(error.has_value(), !c.Valid);
    if (error) {
      EXPECT_EQ(error->Offset, c.Offset);
      EXPECT_EQ(error->Line, c.Line);
      EXPECT_EQ(error->Column, c.Column);
    }
  }
}

}  // namespace
}  // namespace lexipulse
