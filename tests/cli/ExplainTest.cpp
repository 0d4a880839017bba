#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/ConsoleFrontEnd.h"
#include "engine/Dictionary.h"

namespace lexipulse {
namespace {

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

TRun RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunConsole(args, in, out, err);
  return {status, out.str(), err.str()};
}

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
      {"each line of standard input, CR LF or LF",
       {"--explain"},
       "coffee\tcoffee\tCameroon Rule - exception\nWord\tWord\tshort word, left as it is\n"},
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

}  // namespace
}  // namespace lexipulse
