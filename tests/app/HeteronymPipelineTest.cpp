#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RecordingHost.h"
#include "app/Delimited.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "app/WordContext.h"
#include "engine/Dictionary.h"
#include "engine/Heteronyms.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

constexpr TStressOptions kDictionaryFirst{.Order = TStressingOrder::DictionaryFirst};

class HeteronymPipelineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
};

// Stressed is the result text of one run, without the closing no-break-space line.
std::u16string Stressed(const std::u16string& source, TStressOptions options) {
  TRecordingHost host;
  StressSourceText(source, host, options);
  return host.ResultTexts().empty() ? u"" : host.ResultTexts().back();
}

// Form is the context-free form of a run in the default order.
std::u16string Form(const std::u16string& run) {
  TWordToStress word(run);
  word.Process();
  return CapitalsToAccents(word.WordStressed());
}

bool IsLetterOrMark(char16_t c) { return (c >= u'a' && c <= u'z') || IsAccentedCapital(c); }

std::u16string Unmarked(std::u16string_view run) {
  std::u16string letters(run);
  const std::u16string marks = u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD";
  for (char16_t& c : letters) {
    const std::size_t at = marks.find(c);
    if (at != std::u16string::npos) c = u"aeiouy"[at];
  }
  return letters;
}

// WithForm puts form in place of every marked spelling of word in text.
std::u16string WithForm(const std::u16string& text, const std::u16string& word,
                        const std::u16string& form) {
  std::u16string result;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsLetterOrMark(text[i])) {
      result += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsLetterOrMark(text[end])) ++end;
    const std::u16string_view run = std::u16string_view(text).substr(i, end - i);
    result += Unmarked(run) == word ? form : std::u16string(run);
    i = end;
  }
  return result;
}

// The neighbours are words of four letters or fewer, which the pipeline never stresses, so
// each line shows the heteronym's form alone.
struct THeteronymCase {
  const char* Name;
  std::u16string Source;
  std::u16string Word;
  std::u16string Expected;
};

const std::vector<THeteronymCase>& Cases() {
  static const std::vector<THeteronymCase> cases = {
      {"determiner", u"set the record", u"record", u"set the r\u00C9cord"},
      {"to", u"to record it", u"record", u"to rec\u00D3rd it"},
      {"possessive", u"her record", u"record", u"her r\u00C9cord"},
      {"possessive 's", u"Bo's record", u"record", u"bo's r\u00C9cord"},
      {"subject pronoun", u"we record", u"record", u"we rec\u00D3rd"},
      {"quantifier", u"many records", u"records", u"many r\u00C9cords"},
      {"third person -s", u"she records", u"records", u"she rec\u00D3rds"},
      {"modal", u"will present", u"present", u"will pres\u00C9nt"},
      {"preposition", u"in present", u"present", u"in pr\u00C9sent"},
      {"auxiliary", u"did not object", u"object", u"did not obj\u00C9ct"},
      {"object after", u"object to", u"object", u"\u00D3bject to"},
      {"be before the adjective", u"was minute", u"minute", u"was min\u00DAte"},
      {"be and not before the adjective", u"is not present", u"present", u"is not pr\u00C9sent"},
      {"object right after", u"so record it", u"record", u"so rec\u00D3rd it"},
      {"of right after", u"the conduct of", u"conduct", u"the c\u00D3nduct of"},
      {"frequency adverb", u"we also refund", u"refund", u"we also ref\u00DAnd"},
      {"no cue: the more frequent reading", u"old permit", u"permit", u"old p\u00C9rmit"},
      {"-ed form", u"the recorded", u"recorded", u"the rec\u00D3rded"},
      {"-ing form", u"a recording", u"recording", u"a rec\u00D3rding"},
      {"capitalized inside a line", u"in Abstract art", u"abstract", u"in \u00C1bstract art"},
      {"start of a line", u"Record it", u"record", u"rec\u00D3rd it"},
      {"end of a line", u"we record\r\nthe record", u"record",
       u"we rec\u00D3rd\r\nthe r\u00C9cord"},
      {"comma ends the phrase before", u"the, record it", u"record", u"the, rec\u00D3rd it"},
      {"comma ends the phrase after", u"to record, the", u"record", u"to rec\u00D3rd, the"},
      {"full stop after", u"the record. it", u"record", u"the r\u00C9cord. it"},
      {"quotation marks do not separate", u"the \"record\"", u"record", u"the \"r\u00C9cord\""},
      {"typographic quotes", u"to \u201Crecord\u201D", u"record", u"to \u201Crec\u00D3rd\u201D"},
      {"brackets separate", u"to (record)", u"record", u"to (r\u00C9cord)"},
      {"runs of spaces are passed over", u"to   record", u"record", u"to   rec\u00D3rd"},
  };
  return cases;
}

TEST_F(HeteronymPipelineTest, TheNeighboursChooseTheReading) {
  for (const THeteronymCase& c : Cases()) {
    EXPECT_EQ(Utf16ToUtf8(Stressed(c.Source, kDictionaryFirst)), Utf16ToUtf8(c.Expected)) << c.Name;
  }
}

// The default order gives every heteronym its one form, whatever stands around it.
TEST_F(HeteronymPipelineTest, TheDefaultOrderIgnoresTheNeighbours) {
  for (const THeteronymCase& c : Cases()) {
    EXPECT_EQ(Utf16ToUtf8(Stressed(c.Source, {})),
              Utf16ToUtf8(WithForm(c.Expected, c.Word, Form(c.Word))))
        << c.Name;
  }
}

TEST(WordContextTest, TheNeighboursOnTheLine) {
  const struct {
    const char* Name;
    std::u16string Line;
    std::size_t Q;
    std::u16string Previous;
    std::u16string BeforePrevious;
    std::u16string Next;
    bool Capitalized;
  } kCases[] = {
      {"both sides", u"We will Record the", 2, u"will", u"we", u"the", true},
      {"lowercased", u"TO RECORD IT", 1, u"to", u"", u"it", false},
      {"line start", u"record it", 0, u"", u"", u"it", false},
      {"line end with its CR", u"the record\r", 1, u"the", u"", u"", false},
      {"comma before", u"the, record it", 1, u"", u"", u"it", false},
      {"comma after", u"the record, it", 1, u"the", u"", u"", false},
      {"bracket inside the item", u"the (record it", 1, u"", u"", u"it", false},
      {"quotes are passed over", u"\u2021the\u2021 \u201Crecord\u201D \"it\"", 1, u"the", u"",
       u"it", false},
      {"empty items and lone quotes are passed over", u"to  \u2021  record", 4, u"to", u"", u"",
       false},
      {"a dash ends the phrase", u"to \u2014 record", 2, u"", u"", u"", false},
      {"apostrophes stay in words", u"John's record don't", 1, u"john's", u"", u"don't", false},
      {"curly apostrophe", u"John\u2019s record", 1, u"john's", u"", u"", false},
      {"plural possessive", u"parents' record", 1, u"parents'", u"", u"", false},
      {"second run of the item ends the next", u"to record-keeping it", 1, u"to", u"", u"", false},
      {"all capitals is no name", u"the RECORD", 1, u"the", u"", u"", false},
      {"no word characters", u"to --- it", 1, u"", u"", u"", false},
      {"out of range", u"to", 3, u"", u"", u"", false},
  };
  for (const auto& c : kCases) {
    const TWordContext context = ContextOfItem(SplitDelimited(c.Line, u' '), c.Q);
    EXPECT_EQ(Utf16ToUtf8(context.Previous), Utf16ToUtf8(c.Previous)) << c.Name;
    EXPECT_EQ(Utf16ToUtf8(context.BeforePrevious), Utf16ToUtf8(c.BeforePrevious)) << c.Name;
    EXPECT_EQ(Utf16ToUtf8(context.Next), Utf16ToUtf8(c.Next)) << c.Name;
    EXPECT_EQ(context.Capitalized, c.Capitalized) << c.Name;
  }
}

TEST(WordContextTest, StressMarksInsideARunOfLetters) {
  const struct {
    std::u16string Text;
    bool Marked;
  } kCases[] = {
      {u"hell\u00D3", true},       {u"h\u00C9ll\u00D3,", true}, {u"\u00C1bout", true},
      {u"(rec\u00D3rd)", true},    {u"hello", false},           {u"caf\u00E9", false},
      {u"well-kn\u00D3wn", false}, {u"\u00C9 hello", false},    {u"", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(AlreadyStressed(c.Text), c.Marked) << Utf16ToUtf8(c.Text);
  }
  EXPECT_TRUE(HoldsStressMarks("a hell\xC3\x93 there"));
  EXPECT_TRUE(
      HoldsStressMarks("\xC3\x81"
                       "bout"));
  EXPECT_FALSE(HoldsStressMarks("caf\xC3\xA9 \xC3\x89 hello"));
  EXPECT_FALSE(HoldsStressMarks(""));
}

// Prose with heteronyms in every kind of place, for the properties below.
const char16_t kProse[] =
    u"The record shows that we record every minute; a minute change, to be exact.\r\n"
    u"\"Present it!\" she said. The present was upset, and they upset the others.\r\n"
    u"Records, recorded, recording: PROGRESS made progress (progress) -- conduct of conduct.\r\n"
    u"  They refuse to conduct the refuse collection\u2014an object to object to.  \r\n"
    u"\r\n"
    u"Abstract art, an abstract, to abstract; Projects project the project's permits.";

TEST_F(HeteronymPipelineTest, StressingStressedTextChangesNothing) {
  for (const std::u16string& text : {SampleText(), std::u16string(kProse)}) {
    const std::u16string once = Stressed(text, kDictionaryFirst);
    EXPECT_EQ(Utf16ToUtf8(Stressed(once, kDictionaryFirst)), Utf16ToUtf8(once));
  }
  EXPECT_EQ(Utf16ToUtf8(Stressed(u"hell\u00D3 W\u00D3RLD CAF\u00C9", kDictionaryFirst)),
            "hell\xC3\x93 W\xC3\x93RLD CAF\xC3\x89");
}

// Words outside the table come out as the dictionary-first order makes them alone.
TEST_F(HeteronymPipelineTest, OtherWordsAreStressedAsWithoutContext) {
  for (const std::u16string& text : {SampleText(), std::u16string(kProse)}) {
    const std::vector<std::u16string> sourceLines = SplitLines(text);
    const std::vector<std::u16string> resultLines = SplitLines(Stressed(text, kDictionaryFirst));
    ASSERT_EQ(sourceLines.size(), resultLines.size());
    for (std::size_t l = 0; l < sourceLines.size(); ++l) {
      const std::vector<std::u16string> source = SplitDelimited(sourceLines[l], u' ');
      const std::vector<std::u16string> result = SplitDelimited(resultLines[l], u' ');
      ASSERT_EQ(source.size(), result.size());
      for (std::size_t q = 0; q < source.size(); ++q) {
        const std::u16string lowered = AsciiLowerCase(source[q]);
        const std::optional<TWordRun> run = FindWordRun(lowered);
        if (source[q].size() <= kShortItemLength || !run || FindHeteronym(run->Run) != nullptr) {
          continue;
        }
        EXPECT_EQ(Utf16ToUtf8(result[q]), Utf16ToUtf8(StressedItem(lowered, kDictionaryFirst)))
            << Utf16ToUtf8(sourceLines[l]);
      }
    }
  }
}

// The run keeps one form per word and context class; without that memory (literal mode) every
// occurrence is decided afresh, and both must agree over every form of the table.
TEST_F(HeteronymPipelineTest, RememberedFormsMatchFormsDecidedAfresh) {
  const std::vector<std::u16string> before = {u"",    u"the",    u"to", u"we",   u"is",
                                              u"not", u"is not", u"of", u"bo's", u"so",
                                              u"a",   u"will",   u"In"};
  const std::vector<std::u16string> after = {u"", u"it", u"of", u"the", u"now", u"to", u", a"};
  const std::vector<std::u16string> forms = {u"record",  u"Record",   u"records", u"recorded",
                                             u"present", u"minute",   u"upset",   u"refuse",
                                             u"content", u"frequent", u"invalid", u"object",
                                             u"august",  u"analyses", u"expose",  u"confines"};
  std::u16string text;
  for (const std::u16string& form : forms) {
    for (const std::u16string& b : before) {
      for (const std::u16string& a : after) {
        text += b + u" " + form + u" " + a + u" " + form + u"\r\n";
      }
    }
  }
  TStressOptions literal = kDictionaryFirst;
  literal.Literal = true;
  EXPECT_EQ(Utf16ToUtf8(Stressed(text, kDictionaryFirst)), Utf16ToUtf8(Stressed(text, literal)));
}

}  // namespace
}  // namespace lexipulse
