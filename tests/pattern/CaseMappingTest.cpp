#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

TEST(CaseMapping, AllFourRoutines) {
  struct TCase {
    const char* Name;
    std::u16string Text;
    std::u16string AsciiUpper;
    std::u16string AsciiLower;
    std::u16string UnicodeUpper;
    std::u16string UnicodeLower;
  };
  const std::vector<TCase> cases = {
      {"empty", u"", u"", u"", u"", u""},
      {"ASCII", u"azAZ09_-", u"AZAZ09_-", u"azaz09_-", u"AZAZ09_-", u"azaz09_-"},
      {"Latin-1", u"éÉ", u"éÉ", u"éÉ", u"ÉÉ", u"éé"},
      {"accented capitals", u"ÁÉÍÓÚÝ", u"ÁÉÍÓÚÝ", u"ÁÉÍÓÚÝ", u"ÁÉÍÓÚÝ", u"áéíóúý"},
      {"y diaeresis leaves Latin-1", u"ÿ", u"ÿ", u"ÿ", u"\u0178", u"ÿ"},
      {"sharp s keeps its length", u"ß", u"ß", u"ß", u"ß", u"ß"},
      {"Greek final sigma", u"σςΣ", u"σςΣ", u"σςΣ", u"ΣΣΣ", u"σςσ"},
      {"titlecase digraph", u"\u01C5", u"\u01C5", u"\u01C5", u"\u01C4", u"\u01C6"},
      {"Cyrillic", u"жЖ", u"жЖ", u"жЖ", u"ЖЖ", u"жж"},
      {"surrogate pair unchanged", u"\U00010428", u"\U00010428", u"\U00010428", u"\U00010428",
       u"\U00010428"},
      {"lone surrogates unchanged", std::u16string{0xD800, u'a', 0xDC00},
       std::u16string{0xD800, u'A', 0xDC00}, std::u16string{0xD800, u'a', 0xDC00},
       std::u16string{0xD800, u'A', 0xDC00}, std::u16string{0xD800, u'a', 0xDC00}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Utf16ToUtf8(AsciiUpperCase(c.Text)), Utf16ToUtf8(c.AsciiUpper));
    EXPECT_EQ(Utf16ToUtf8(AsciiLowerCase(c.Text)), Utf16ToUtf8(c.AsciiLower));
    EXPECT_EQ(Utf16ToUtf8(UnicodeUpperCase(c.Text)), Utf16ToUtf8(c.UnicodeUpper));
    EXPECT_EQ(Utf16ToUtf8(UnicodeLowerCase(c.Text)), Utf16ToUtf8(c.UnicodeLower));
  }
}

TEST(CaseMapping, LeavesTheGlobalLocaleAlone) {
  const std::string before = std::setlocale(LC_CTYPE, nullptr);
  EXPECT_EQ(Utf16ToUtf8(UnicodeUpperCase(u"é")), "É");
  EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), before);
}

}  // namespace
}  // namespace lexipulse
