#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RecordingHost.h"
#include "app/Delimited.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"
#include "tests/support/WordCorpus.h"

namespace lexipulse {
namespace {

constexpr char16_t kCaption[] = u"Lexipulse";
constexpr char16_t kNoBreakSpace[] = u"\u00A0";

// Form is what the engine makes of one lowercased run, the oracle for every expected text.
std::u16string Form(const std::u16string& run) {
  TWordToStress word(run);
  word.Process();
  return CapitalsToAccents(word.WordStressed());
}

std::u16string Decimal(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// WordCalls are the calls a run makes for one word item, in their fixed order.
void AppendWordCalls(std::vector<std::u16string>& calls, int p, int q, int wordCount,
                     const std::u16string& item) {
  const std::u16string status = u"Processing paragraph " + Decimal(p) + u", word #" + Decimal(q);
  calls.push_back(u"SetWordProgress(" + Decimal(q + 1) + u"/" + Decimal(wordCount) + u")");
  calls.push_back(u"PumpEvents");
  calls.push_back(u"SetStatus(" + status + u")");
  calls.push_back(u"SetCaption(" + status + u")");
  calls.push_back(u"PumpEvents");
  calls.push_back(u"ShowWord(" + item + u")");
}

void AppendClosingCalls(std::vector<std::u16string>& calls, int total) {
  calls.push_back(u"AppendResultLine(\u00A0)");
  calls.push_back(u"SetStatus(Lexipulse processed a total of " + Decimal(total) + u" words.)");
  calls.push_back(u"SetCaption(" + std::u16string(kCaption) + u")");
  calls.push_back(u"ShowWord()");
  calls.push_back(u"ResetProgress");
}

class StressSourceTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }

  TRecordingHost _Host{kCaption};
};

TEST_F(StressSourceTextTest, EmptyTextMakesOnlyTheClosingCalls) {
  EXPECT_EQ(StressSourceText(u"", _Host), 0);
  std::vector<std::u16string> expected = {u"ClearResult", u"GetCaption"};
  AppendClosingCalls(expected, 0);
  EXPECT_EQ(_Host.Calls(), expected);
  EXPECT_EQ(_Host.ResultLines(), std::vector<std::u16string>{kNoBreakSpace});
  EXPECT_EQ(_Host.Status(), u"Lexipulse processed a total of 0 words.");
  EXPECT_EQ(_Host.Caption(), kCaption);
}

TEST_F(StressSourceTextTest, WorkedExampleMakesTheExactCallSequence) {
  const std::u16string source = u"Big  ELEPHANT,\r\n\r\nI am OK";
  const std::u16string result = u"big  " + Form(u"elephant") + u",\r\n\r\nI am OK";

  EXPECT_EQ(StressSourceText(source, _Host), 7);

  std::vector<std::u16string> expected = {u"ClearResult", u"GetCaption",
                                          u"SetParagraphProgress(1/3)"};
  AppendWordCalls(expected, 0, 0, 3, u"Big");
  AppendWordCalls(expected, 0, 1, 3, u"");
  AppendWordCalls(expected, 0, 2, 3, u"ELEPHANT,\r");
  expected.push_back(u"SetResultText(1/3)(" + result + u")");
  expected.push_back(u"SetParagraphProgress(2/3)");
  AppendWordCalls(expected, 1, 0, 1, u"\r");
  expected.push_back(u"SetResultText(2/3)(" + result + u")");
  expected.push_back(u"SetParagraphProgress(3/3)");
  AppendWordCalls(expected, 2, 0, 3, u"I");
  AppendWordCalls(expected, 2, 1, 3, u"am");
  AppendWordCalls(expected, 2, 2, 3, u"OK");
  expected.push_back(u"SetResultText(3/3)(" + result + u")");
  AppendClosingCalls(expected, 7);
  EXPECT_EQ(_Host.Calls(), expected);

  const std::vector<std::u16string> lines = {u"big  " + Form(u"elephant") + u",", u"", u"I am OK",
                                             kNoBreakSpace};
  EXPECT_EQ(_Host.ResultLines(), lines);
}

TEST_F(StressSourceTextTest, EachParagraphChangesInPlaceWhenItsTurnComes) {
  StressSourceText(u"Alpha Be\r\nBravo\r\n", _Host);
  const std::u16string first = Form(u"alpha") + u" Be";
  const std::u16string second = Form(u"bravo") + u"\r";
  const std::vector<std::u16string> expected = {
      first + u"\r\nBravo\r\n",
      first + u"\r\n" + second + u"\n",
      first + u"\r\n" + second + u"\n",
  };
  EXPECT_EQ(_Host.ResultTexts(), expected);
}

struct TTextCase {
  const char* Name;
  std::u16string Source;
  std::u16string Result;
  std::int32_t Total;
};

TEST_F(StressSourceTextTest, ResultTextAndWordTotal) {
  const std::vector<TTextCase> kCases = {
      {"short words after the last long word keep their case", u"Big ELEPHANT and ME",
       u"big " + Form(u"elephant") + u" and ME", 4},
      {"short words between long words are lowercased", u"THE Elephant AND Giraffe Ran",
       u"the " + Form(u"elephant") + u" and " + Form(u"giraffe") + u" Ran", 5},
      {"all short words stay as typed", u"I am OK", u"I am OK", 3},
      {"four letters at a line end carry the CR", u"Word\r\nWord", Form(u"word") + u"\r\nWord", 2},
      {"four letters inside a line are not processed", u"Word is\r\nx", u"Word is\r\nx", 3},
      {"only the first run of well-known", u"well-known", Form(u"well") + u"-known", 1},
      {"apostrophe ends the run", u"it's,", Form(u"it") + u"'s,", 1},
      {"brackets and comma kept around the form", u"(hello),", u"(" + Form(u"hello") + u"),", 1},
      {"letter above U+007F ends the run", u"fianc\u00E9e", Form(u"fianc") + u"\u00E9e", 1},
      {"digits are word characters", u"1998,", Form(u"1998") + u",", 1},
      {"underscore joins one run", u"Snake_Case", Form(u"snake_case"), 1},
      {"long item without word characters is only lowercased", u"-----", u"-----", 1},
      {"long item without word characters still rebuilds", u"AB ----- CD", u"ab ----- CD", 3},
      {"run of spaces counts its empty items", u"a  b", u"a  b", 3},
      {"leading and trailing spaces survive", u"  Lead trail  ",
       u"  lead " + Form(u"trail") + u"  ", 6},
      {"tab and no-break space stay inside the item", u"Tab\tbed\u00A0x",
       Form(u"tab") + u"\tbed\u00A0x", 1},
      {"empty middle line counts one word", u"Alpha\r\n\r\nBeta", Form(u"alpha") + u"\r\n\r\nBeta",
       3},
      {"empty last line counts none", u"Alpha\r\n", Form(u"alpha") + u"\r\n", 1},
      {"double quotation marks survive", u"He said \"Hello\" to me",
       u"he said \"" + Form(u"hello") + u"\" to me", 5},
      {"a typed double dagger survives", u"\u2021Dagger\u2021 x",
       u"\u2021" + Form(u"dagger") + u"\u2021 x", 2},
      {"typographic quotes survive", u"\u201CQuoted\u201D", u"\u201C" + Form(u"quoted") + u"\u201D",
       1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    TRecordingHost host;
    EXPECT_EQ(StressSourceText(c.Source, host), c.Total);
    ASSERT_FALSE(host.ResultTexts().empty());
    EXPECT_EQ(host.ResultTexts().back(), c.Result);
  }
}

TEST_F(StressSourceTextTest, StressedItemReplacesOnlyTheFirstRun) {
  const struct {
    const char* Name;
    std::u16string Item;
    std::u16string Stressed;
  } kCases[] = {
      {"short item unchanged", u"word", u"word"},
      {"no word character", u"-----", u"-----"},
      {"punctuation kept around the run", u"(hello),", u"(" + Form(u"hello") + u"),"},
      {"second run left alone", u"well-known", Form(u"well") + u"-known"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(StressedItem(c.Item), c.Stressed);
  }
}

TEST_F(StressSourceTextTest, CalloutShowsQuotesAsTyped) {
  StressSourceText(u"\"Quoted\" \u2021x\u2021", _Host);
  const auto& calls = _Host.Calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), u"ShowWord(\"Quoted\")"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), u"ShowWord(\u2021x\u2021)"), calls.end());
}

TEST_F(StressSourceTextTest, SecondRunDoesNotAccumulateNoBreakSpaceLines) {
  const std::u16string source = u"First line\r\nSecond line";
  StressSourceText(source, _Host);
  StressSourceText(source, _Host);
  const auto& lines = _Host.ResultLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines.back(), kNoBreakSpace);
  EXPECT_NE(lines[1], kNoBreakSpace);
}

TEST_F(StressSourceTextTest, SampleResultHasOneLineMore) {
  const std::int32_t total = StressSourceText(SampleText(), _Host);
  EXPECT_EQ(_Host.ResultLines().size(), SplitLines(SampleText()).size() + 1);
  EXPECT_EQ(_Host.Status(), u"Lexipulse processed a total of " + Decimal(total) + u" words.");
}

class DictionaryFormTest : public StressSourceTextTest {
 protected:
  void SetUp() override { _Saved = Dictionary; }
  void TearDown() override { SetDictionaryLines(_Saved); }

  std::vector<std::u16string> _Saved;
};

TEST_F(DictionaryFormTest, FormWithSpaceIsPutBackWhole) {
  SetDictionaryLines({u"grzzt=gr\u00DD zzt"});
  const std::u16string form = Form(u"grzzt");
  ASSERT_NE(form.find(u' '), std::u16string::npos) << "the tiny dictionary did not take effect";

  EXPECT_EQ(StressSourceText(u"Grzzt, then more words Here", _Host), 5);
  EXPECT_EQ(_Host.ResultTexts().back(), form + u", then more " + Form(u"words") + u" Here");
}

TEST_F(DictionaryFormTest, FormWithTemplateCharactersGoesInUnchanged) {
  SetDictionaryLines({u"grzzt=gr\u00DD\\1$0zzt"});
  const std::u16string form = Form(u"grzzt");
  ASSERT_NE(form.find(u'$'), std::u16string::npos) << "the tiny dictionary did not take effect";

  StressSourceText(u"(grzzt)", _Host);
  EXPECT_EQ(_Host.ResultTexts().back(), u"(" + form + u")");
}

TEST_F(StressSourceTextTest, NestedRunLeavesTheOuterRunIntact) {
  const std::u16string outerSource = u"Outer paragraph\r\nsecond LINE here";
  const std::u16string innerSource = u"Inner text";

  TRecordingHost plainOuter{kCaption};
  const std::int32_t outerTotal = StressSourceText(outerSource, plainOuter);
  // The nested run starts at the second pump of the first word, when the caption already
  // holds the outer run's first status text.
  const std::u16string innerCaption = u"Processing paragraph 0, word #0";
  TRecordingHost plainInner{innerCaption};
  const std::int32_t innerTotal = StressSourceText(innerSource, plainInner);

  int pumps = 0;
  std::int32_t nestedTotal = -1;
  _Host.SetOnPump([&] {
    if (++pumps == 2) {
      nestedTotal = StressSourceText(innerSource, _Host);
    }
  });
  EXPECT_EQ(StressSourceText(outerSource, _Host), outerTotal);
  EXPECT_EQ(nestedTotal, innerTotal);

  // The recorded calls are the outer run's with the nested run's spliced in after the pump.
  std::vector<std::u16string> expected = plainOuter.Calls();
  const auto secondPump = std::find(std::find(expected.begin(), expected.end(), u"PumpEvents") + 1,
                                    expected.end(), u"PumpEvents");
  ASSERT_NE(secondPump, expected.end());
  expected.insert(secondPump + 1, plainInner.Calls().begin(), plainInner.Calls().end());
  EXPECT_EQ(_Host.Calls(), expected);
  EXPECT_EQ(_Host.ResultLines(), plainOuter.ResultLines());
  EXPECT_EQ(_Host.Caption(), kCaption);
}

TEST_F(StressSourceTextTest, LiteralModeMakesTheSameCalls) {
  // Repeated runs of word characters are where a word cache could go wrong.
  const std::u16string source =
      u"photograph Photographer photographical, PHOTOGRAPH\r\n"
      u"All absentees had to produce a medical certificate signed by the physician.\r\n"
      u"The physician's certificate: \"certificate\", certificates; absentee_list";
  TRecordingHost literalHost{kCaption};
  StressSourceText(source, literalHost, {.Literal = true});
  StressSourceText(source, _Host);
  EXPECT_EQ(literalHost.Calls(), _Host.Calls());
}

// The pipeline finds an item's word run by a scan; the pattern is the reference. Generated
// items mix word characters with punctuation, letters above U+007F, surrogate pairs, lone
// surrogates and breaks.
TEST(WordRunScanTest, ScanFindsWhatThePatternFinds) {
  static const char16_t kUnits[] = {u'a',      u'Z',  u'q',   u'7',      u'_',      u'-',
                                    u'\'',     u'.',  u'"',   u'\u00E9', u'\u00C1', u'\u2019',
                                    u'\u00A0', u'\r', 0xD83D, 0xDE00,    0xDC00,    u' '};
  TCorpusRandom random(5);
  for (int n = 0; n < 200000; ++n) {
    std::u16string item;
    const std::size_t length = random.Below(24);
    for (std::size_t i = 0; i < length; ++i) item += kUnits[random.Below(std::size(kUnits))];
    const std::optional<TWordRun> scanned = ScanWordRun(item);
    const std::optional<TWordRun> matched = FindWordRun(item, n % 16 != 0);
    ASSERT_EQ(scanned.has_value(), matched.has_value()) << Utf16ToUtf8(item);
    if (scanned) {
      ASSERT_EQ(scanned->Left, matched->Left) << Utf16ToUtf8(item);
      ASSERT_EQ(scanned->Run, matched->Run) << Utf16ToUtf8(item);
      ASSERT_EQ(scanned->Right, matched->Right) << Utf16ToUtf8(item);
    }
  }
}

}  // namespace
}  // namespace lexipulse
