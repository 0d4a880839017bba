#include <gtest/gtest.h>

#include <string>

#include "cli/Escape.h"

namespace lexipulse {
namespace {

TEST(EscapeTest, ControlCharactersAndBadBytesAreSpelledOut) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Escaped;
  } kCases[] = {
      {"plain text", "Cameroon, 'ok'", "Cameroon, 'ok'"},
      {"empty", "", ""},
      {"backslash doubled so escapes stay unambiguous", "a\\tb", "a\\\\tb"},
      {"tab, line feed, carriage return", "a\tb\nc\rd", "a\\tb\\nc\\rd"},
      {"terminal escape sequence", "\x1B]0;owned\x07", "\\x1B]0;owned\\x07"},
      {"NUL and DEL", std::string("a\0b\x7F", 4), "a\\x00b\\x7F"},
      {"C1 control as the one-byte CSI of some terminals",
       "a\xC2\x9B"
       "31m",
       "a\\u009B31m"},
      {"no-break space is no control",
       "a\xC2\xA0"
       "b",
       "a\xC2\xA0"
       "b"},
      {"non-ASCII letters and emoji pass through",
       "Fianc\xC3\xA9"
       "e \xF0\x9F\x98\x80",
       "Fianc\xC3\xA9"
       "e \xF0\x9F\x98\x80"},
      {"byte that is no UTF-8", "caf\xFF", "caf\\xFF"},
      {"sequence cut short", "caf\xC3", "caf\\xC3"},
      {"lone continuation byte", "\x80x", "\\x80x"},
      {"overlong form", "\xC0\xAF", "\\xC0\\xAF"},
      {"encoded surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(EscapeControls(c.Text), c.Escaped);
  }
}

}  // namespace
}  // namespace lexipulse
