#include <gtest/gtest.h>

#include <string>

#include "tests/support/StressProperty.h"

namespace lexipulse {
namespace {

struct TPropertyCase {
  const char* Name;
  std::u16string Input;
  std::u16string Result;
  // Failure is a piece of the description expected for a result that breaks the promise;
  // empty when the result keeps it.
  std::string Failure;
};

TEST(StressPropertyTest, AcceptsWhatThePipelineMayDoAndNamesTheFirstDifference) {
  const TPropertyCase kCases[] = {
      {"stress and lowercasing up to the last long item", u"THE Elephant and ME",
       u"the el\u00C9phant and ME", ""},
      {"rule capitals kept on consonants", u"affordable", u"aFF\u00D3RDable", ""},
      {"only the first run is stressed", u"(hello),", u"(h\u00C9llo),", ""},
      {"four letters with the CR of their line", u"Word\r\nWord", u"w\u00D3rd\r\nWord", ""},
      {"non-ASCII capitals outside the run stay", u"\u00C1LVAREZ", u"\u00C1lv\u00C1rez", ""},
      {"empty text", u"", u"", ""},
      {"short item after the last long item lowercased", u"Big ELEPHANT and ME",
       u"big el\u00C9phant and me", "paragraph 0, item 3, position 0"},
      {"short item before a long item kept in capitals", u"THE elephant", u"THE el\u00C9phant",
       "paragraph 0, item 0, position 0"},
      {"a second run stressed", u"hello-world", u"h\u00C9llo-w\u00D3rld",
       "paragraph 0, item 0, position 7"},
      {"accent on a letter it does not mark", u"elephant", u"\u00C1lephant",
       "item 0, position 0: expected U+0065, got U+00C1 in the stressed run"},
      {"punctuation lost", u"elephant,", u"el\u00C9phant", "length 9 in, 8 out"},
      {"a typed double dagger turned into a quotation mark", u"\u2021Dagger\u2021 x",
       u"\u2021d\u00C1gger\" x", "position 7: expected U+2021, got U+0022"},
      {"a capital of the input outside the run lowercased", u"\u00C1LVAREZ", u"\u00E1lvarez",
       "position 0"},
      {"paragraphs joined", u"alpha\nbeta", u"alpha beta", "2 paragraphs in, 1 out"},
      {"a form with a space splits the item", u"grzzt x", u"gr\u00DD zzt x",
       "paragraph 0: 2 word items in, 3 out"},
      {"the CR of a paragraph dropped", u"Alpha\r\nbeta", u"\u00C1lpha\nbeta",
       "paragraph 0, item 0, position 5"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const std::string description = CheckStressProperty(c.Input, c.Result);
    if (c.Failure.empty()) {
      EXPECT_EQ(description, "");
    } else {
      EXPECT_NE(description.find(c.Failure), std::string::npos) << description;
    }
  }
}

TEST(StressPropertyTest, ConsoleKeepsEveryLineBreak) {
  const struct {
    const char* Name;
    std::string Input;
    std::string Output;
    std::string Failure;
  } kCases[] = {
      {"mixed breaks kept", "Alpha\r\nBeta\rGamma\n", "\xC3\x81lpha\r\nb\xC3\x89ta\rg\xC3\x81mma\n",
       ""},
      {"four letters at a line end", "Word\nWord", "w\xC3\x93rd\nWord", ""},
      {"empty input", "", "", ""},
      {"CR LF turned into LF", "Alpha\r\nBeta", "\xC3\x81lpha\nBeta", "line 0"},
      {"final break lost", "Alpha\n", "\xC3\x81lpha", "2 lines in, 1 out"},
      {"second line lowercased", "Alpha\nBeta", "\xC3\x81lpha\nbeta", "paragraph 1, item 0"},
      {"output not UTF-8", "Alpha", "\xC3lpha", "output is not UTF-8"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const std::string description = CheckConsoleProperty(c.Input, c.Output);
    if (c.Failure.empty()) {
      EXPECT_EQ(description, "");
    } else {
      EXPECT_NE(description.find(c.Failure), std::string::npos) << description;
    }
  }
}

TEST(StressPropertyTest, WordItemCountCountsEveryItemOfNonEmptyParagraphs) {
  const struct {
    const char* Name;
    std::u16string Input;
    std::int32_t Count;
  } kCases[] = {
      {"empty text", u"", 0},
      {"run of spaces", u"a  b", 3},
      {"empty middle line", u"Alpha\r\n\r\nBeta", 3},
      {"empty last line", u"Alpha\r\n", 1},
      {"only line feeds", u"\n\n", 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(WordItemCount(c.Input), c.Count);
  }
}

}  // namespace
}  // namespace lexipulse
