#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Delimited.h"
#include "app/SampleText.h"
#include "cli/ConsoleFrontEnd.h"
#include "cli/Escape.h"
#include "engine/Dictionary.h"
#include "pattern/Utf.h"
#include "tests/cli/ConsoleRun.h"

namespace lexipulse {
namespace {

// A tiny dictionary keeps the cases independent of the shipped data. The front end loads the
// built-in dictionary before its first word, so one run goes first and the small list then
// takes its place.
class ExplainTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RunCli({"--explain", "photograph"});
    SetDictionaryLines({u"develop=dev\u00C9lop", u"cameroon=c\u00C1meroon", u"coffee=c\u00D3ffee",
                        u"priorities=pri\u00D3rities"});
  }
  static void TearDownTestSuite() { LoadDictionary(); }
};

TEST_F(ExplainTest, OneLinePerWordTellsHowItWasDecided) {
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    std::string Out;
  } kCases[] = {
      {"rule word", {"--explain", "Cameroon"}, "Cameroon\tcamer\xC3\x93\xC3\x93n\tCameroon Rule\n"},
      {"punctuation stays in place",
       {"--explain", "\"Cameroon,\""},
       "\"Cameroon,\"\t\"camer\xC3\x93\xC3\x93n,\"\tCameroon Rule\n"},
      {"exception word, left unmarked though the dictionary has it",
       {"--explain", "coffee"},
       "coffee\tcoffee\tCameroon Rule - exception\n"},
      {"another chain's exception",
       {"--explain", "politics"},
       "politics\tpolitics\tPolish Rule - exception\n"},
      {"penultimate rule named as it reports",
       {"--explain", "priority"},
       "priority\tpri\xC3\x93rity\tSorority Rule\n"},
      {"dictionary word by its stem",
       {"--explain", "DEVELOPED"},
       "DEVELOPED\tdev\xC3\x89loped\tdictionary develop+ed found\n"},
      {"unknown word", {"--explain", "zyxwvs"}, "zyxwvs\tzyxwvs\tdictionary zyxwv+s not found\n"},
      {"unknown word without an ending",
       {"--explain", "zyxwv"},
       "zyxwv\tzyxwv\tdictionary zyxwv not found\n"},
      {"short word keeps its case",
       {"--explain", "Word"},
       "Word\tWord\tshort word, left as it is\n"},
      {"no word characters",
       {"--explain", "(...)"},
       "(...)\t(...)\tno word characters, left as it is\n"},
      {"run longer than any word",
       {"--explain", "X" + std::string(64, 'a') + ","},
       "X" + std::string(64, 'a') + ",\tx" + std::string(64, 'a') +
           ",\ttoo long for a word, left as it is\n"},
      {"words after -- may look like options",
       {"--explain", "--", "--help"},
       "--help\t--help\tdictionary help not found\n"},
      {"each line of standard input, CR LF or LF; a break counts for the last word of its line",
       {"--explain"},
       "coffee\tcoffee\tCameroon Rule - exception\nWord\tword\tdictionary word not found\n"},
      {"dictionary first: whole word",
       {"--prefer-dictionary", "--explain", "Cameroon", "coffee"},
       "Cameroon\tc\xC3\x81meroon\tdictionary cameroon found\ncoffee\tc\xC3\x93"
       "ffee\tdictionary coffee found\n"},
      {"dictionary first: then the stem",
       {"--prefer-dictionary", "--explain", "developed"},
       "developed\tdev\xC3\x89loped\tdictionary developed not found, develop+ed found\n"},
      {"dictionary first: a split word found whole",
       {"--prefer-dictionary", "--explain", "priorities"},
       "priorities\tpri\xC3\x93rities\tdictionary priorities found\n"},
      {"dictionary first: the rules decide what it lacks",
       {"--prefer-dictionary", "--explain", "priority"},
       "priority\tpri\xC3\x93rity\tSorority Rule\n"},
      {"dictionary first: lacking everywhere",
       {"--prefer-dictionary", "--explain", "zyxwvs"},
       "zyxwvs\tzyxwvs\tdictionary zyxwvs not found, zyxwv+s not found\n"},
      {"the default order is back after a dictionary-first run",
       {"--explain", "Cameroon"},
       "Cameroon\tcamer\xC3\x93\xC3\x93n\tCameroon Rule\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunCli(c.Args, "coffee\r\nWord\n");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, c.Out);
    EXPECT_EQ(run.Err, "");
  }
}

TEST_F(ExplainTest, LinesAreCutIntoItemsAsThePipelineCutsThem) {
  const std::string cameroon = "camer\xC3\x93\xC3\x93n";
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    std::string Input;
    std::string Out;
  } kCases[] = {
      {"a short word lowercased before a long one",
       {"--explain"},
       "The Cameroon\n",
       "The\tthe\tshort word, lowercased\nCameroon\t" + cameroon + "\tCameroon Rule\n"},
      {"short words alone keep their case and get no mark",
       {"--explain"},
       "Foo bar\n",
       "Foo\tFoo\tshort word, left as it is\nbar\tbar\tshort word, left as it is\n"},
      {"four letters before a break count it, at the end of the text they do not",
       {"--explain"},
       "Word\nWord",
       "Word\tword\tdictionary word not found\nWord\tWord\tshort word, left as it is\n"},
      {"a lone CR is a break too",
       {"--explain"},
       "The\rCameroon",
       "The\tThe\tshort word, left as it is\nCameroon\t" + cameroon + "\tCameroon Rule\n"},
      {"an empty line has no word characters",
       {"--explain"},
       "a\n\nb\n",
       "a\ta\tshort word, left as it is\n\t\tno word characters, left as it is\n"
       "b\tb\tshort word, left as it is\n"},
      {"two spaces hold an empty item",
       {"--explain"},
       "a  b",
       "a\ta\tshort word, left as it is\n\t\tno word characters, left as it is\n"
       "b\tb\tshort word, left as it is\n"},
      {"an empty input has no items", {"--explain"}, "", ""},
      {"a tab stays inside its item and is escaped",
       {"--explain"},
       "coffee\tCameroon\n",
       "coffee\\tCameroon\tcoffee\\tcameroon\tCameroon Rule - exception\n"},
      {"control characters are escaped",
       {"--explain"},
       "\x1B[2JCameroon\n",
       "\\x1B[2JCameroon\t\\x1B[2j" + cameroon + "\tCameroon Rule\n"},
      {"a word with a space is cut the same way",
       {"--explain", "The Cameroon"},
       "",
       "The\tthe\tshort word, lowercased\nCameroon\t" + cameroon + "\tCameroon Rule\n"},
      {"an empty word", {"--explain", ""}, "", "\t\tno word characters, left as it is\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunCli(c.Args, c.Input);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, c.Out);
  }
}

TEST_F(ExplainTest, TheTwoOrdersDifferInRunningText) {
  const std::string text = "Coffee in Cameroon, developed.\n";
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    std::string Out;
  } kCases[] = {
      {"rules first", {}, "coffee in camer\xC3\x93\xC3\x93n, dev\xC3\x89loped.\n"},
      {"dictionary first",
       {"--prefer-dictionary"},
       "c\xC3\x93"
       "ffee in c\xC3\x81meroon, dev\xC3\x89loped.\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunCli(c.Args, text);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, c.Out);
  }
}

TEST_F(ExplainTest, BadWordsAreRefused) {
  const TRun word = RunCli({"--explain", "caf\xC3"});
  EXPECT_EQ(word.Status, 1);
  EXPECT_EQ(word.Out, "");
  EXPECT_NE(word.Err.find("invalid UTF-8"), std::string::npos) << word.Err;

  const TRun input = RunCli({"--explain"}, "coffee\n\xFF\n");
  EXPECT_EQ(input.Status, 1);
  EXPECT_EQ(input.Out, "");
  EXPECT_NE(input.Err.find("standard input: invalid UTF-8 at line 2"), std::string::npos)
      << input.Err;
}

// The property runs on the shipped dictionary, so that every way of deciding a word occurs.
class ExplainAgreesWithThePipelineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
};

// Prose with what makes items hard to cut: tabs, runs of spaces, trailing spaces, capitals
// and short words before long ones, four letters at line ends, empty lines, every kind of
// break, punctuation, digits, non-ASCII letters and a run too long for a word.
const char kProse[] =
    "The PHOTOGRAPHER developed\tthe photographs  of Cameroon, \"Senegalese\" coffee.\r\n"
    "\r\n"
    "It is what it is: a word\rWORD\n"
    "   leading spaces, trailing ones   \n"
    "Fianc\xC3\xA9"
    "e d\xC3\xA9j\xC3\xA0 vu -- naïve co-operation, 1990s, rock'n'roll\n"
    "Antidisestablishmentarianismantidisestablishmentarianismantidisestablishmentarianism\n"
    "\n"
    "Ok. Sing; The last line ends without a break: Word";

// Heteronyms in every kind of place, and words the text marks already.
const char kHeteronymProse[] =
    "They record the record; \"Record it,\" we said. The Record Office\n"
    "is not present at present -- to present (present) presents. Records recorded\n"
    "h\xC3\x89ll\xC3\x93 \xC3\x81gain, rec\xC3\x93rd";

TEST_F(ExplainAgreesWithThePipelineTest, HeteronymLinesNameTheReadingAndWhy) {
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    std::string Out;
  } kCases[] = {
      {"after to",
       {"--prefer-dictionary", "--explain", "to record"},
       "to\tto\tshort word, left as it is\n"
       "record\trec\xC3\x93rd\theteronym record: verb (after \"to\")\n"},
      {"after the, with its punctuation",
       {"--prefer-dictionary", "--explain", "The \"record\","},
       "The\tthe\tshort word, lowercased\n"
       "\"record\",\t\"r\xC3\x89"
       "cord\",\theteronym record: noun (after \"the\")\n"},
      {"no cue",
       {"--prefer-dictionary", "--explain", "refuse"},
       "refuse\tref\xC3\x9Ase\theteronym refuse: verb (more frequent reading)\n"},
      {"an -ed form",
       {"--prefer-dictionary", "--explain", "presented"},
       "presented\tpres\xC3\x89nted\theteronym presented: verb (-ed form)\n"},
      {"a word marked already",
       {"--prefer-dictionary", "--explain", "hell\xC3\x93"},
       "hell\xC3\x93\thell\xC3\x93\talready stressed, left as it is\n"},
  };
  for (const auto& c : kCases) {
    const TRun run = RunCli(c.Args);
    EXPECT_EQ(run.Status, 0) << c.Name;
    EXPECT_EQ(run.Out, c.Out) << c.Name;
  }
  // The default order knows no heteronyms.
  const TRun plain = RunCli({"--explain", "to record"});
  EXPECT_EQ(plain.Out.find("heteronym"), std::string::npos) << plain.Out;
}

TEST_F(ExplainAgreesWithThePipelineTest, EveryItemIsWrittenAsThePipelineWritesIt) {
  const std::vector<std::pair<const char*, std::string>> texts = {
      {"sample text", Utf16ToUtf8(SampleText()) + "\n"},
      {"prose", kProse},
      {"heteronyms", kHeteronymProse}};
  for (const auto& [textName, text] : texts) {
    for (const std::vector<std::string>& order :
         {std::vector<std::string>{}, std::vector<std::string>{"--prefer-dictionary"},
          std::vector<std::string>{"--secondary=all", "--variant=british"},
          std::vector<std::string>{"--style=accents", "--secondary", "--variant=british"}}) {
      std::string options;
      for (const std::string& option : order) options += " " + option;
      SCOPED_TRACE(std::string(textName) + options);
      const TRun stressed = RunCli(order, text);
      ASSERT_EQ(stressed.Status, 0) << stressed.Err;
      std::vector<std::u16string> breaks;
      const std::vector<std::u16string> inLines = SplitLines(Utf8ToUtf16(text), &breaks);
      const std::vector<std::u16string> outLines = SplitLines(Utf8ToUtf16(stressed.Out));
      ASSERT_EQ(inLines.size(), outLines.size());
      std::string wholeByLines;
      for (std::size_t i = 0; i < inLines.size(); ++i) {
        const std::u16string lineBreak = i < breaks.size() ? breaks[i] : u"";
        if (inLines[i].empty() && lineBreak.empty()) {
          continue;
        }
        SCOPED_TRACE("line " + std::to_string(i + 1));
        std::vector<std::string> explainArgs = order;
        explainArgs.push_back("--explain");
        const TRun explained = RunCli(explainArgs, Utf16ToUtf8(inLines[i] + lineBreak));
        ASSERT_EQ(explained.Status, 0) << explained.Err;
        wholeByLines += explained.Out;
        // Each explain line is item, display and how; the items joined by spaces give the
        // line back, and the displays joined by spaces give the pipeline's line.
        std::string given;
        std::string written;
        const char* separator = "";
        for (const std::u16string& row : SplitDelimited(Utf8ToUtf16(explained.Out), u'\n')) {
          if (row.empty()) {
            continue;
          }
          const std::vector<std::u16string> fields = SplitDelimited(row, u'\t');
          ASSERT_EQ(fields.size(), 3u) << Utf16ToUtf8(row);
          given += separator + Utf16ToUtf8(fields[0]);
          written += separator + Utf16ToUtf8(fields[1]);
          separator = " ";
        }
        EXPECT_EQ(given, EscapeControls(Utf16ToUtf8(inLines[i])));
        EXPECT_EQ(written, EscapeControls(Utf16ToUtf8(outLines[i])));
      }
      std::vector<std::string> explainArgs = order;
      explainArgs.push_back("--explain");
      EXPECT_EQ(RunCli(explainArgs, text).Out, wholeByLines) << "the whole text as its lines";
    }
  }
}

}  // namespace
}  // namespace lexipulse
