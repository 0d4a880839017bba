#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/Delimited.h"
#include "app/HtmlText.h"
#include "app/SampleText.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleFrontEnd.h"
#include "engine/Dictionary.h"
#include "pattern/Utf.h"
#include "tests/cli/ConsoleRun.h"

namespace lexipulse {
namespace {

// PlainText undoes the HTML body: tags dropped, the entities and references the writer uses
// turned back into their characters.
std::string PlainText(std::string html) {
  std::string text;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      i = html.find('>', i);
      continue;
    }
    if (html[i] == '&') {
      const std::size_t end = html.find(';', i);
      const std::string entity = html.substr(i + 1, end - i - 1);
      if (entity == "amp")
        text += '&';
      else if (entity == "lt")
        text += '<';
      else if (entity == "gt")
        text += '>';
      else if (entity == "quot")
        text += '"';
      else if (entity.starts_with("#x"))
        text += Utf16ToUtf8(std::u16string(1, char16_t(std::stoi(entity.substr(2), nullptr, 16))));
      else
        ADD_FAILURE() << "unexpected entity " << entity;
      i = end;
      continue;
    }
    text += html[i];
  }
  return text;
}

class StyleOptionsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
};

TEST(StyleCommandLineTest, StylesSecondaryAndVariantsAreParsed) {
  const TCommand none = ParseArguments({});
  EXPECT_EQ(none.Style, TNotationStyle::Classic);
  EXPECT_FALSE(none.Html);
  EXPECT_EQ(none.Secondary, TSecondaryStress::None);
  EXPECT_EQ(none.Variant, TVariant::American);
  EXPECT_EQ(ParseArguments({"--style", "accents"}).Style, TNotationStyle::Accents);
  EXPECT_EQ(ParseArguments({"--style=classic"}).Style, TNotationStyle::Classic);
  const TCommand html = ParseArguments({"--style=html"});
  EXPECT_EQ(html.Style, TNotationStyle::Highlight);
  EXPECT_TRUE(html.Html);
  EXPECT_EQ(ParseArguments({"--secondary"}).Secondary, TSecondaryStress::BeforePrimary);
  EXPECT_EQ(ParseArguments({"--secondary=all"}).Secondary, TSecondaryStress::All);
  EXPECT_EQ(ParseArguments({"--variant", "british"}).Variant, TVariant::British);
  EXPECT_EQ(ParseArguments({"--variant=american"}).Variant, TVariant::American);
  // The last choice counts, as with most programs.
  EXPECT_EQ(ParseArguments({"--style=html", "--style=accents"}).Html, false);
}

TEST_F(StyleOptionsTest, MistakesAreUsageErrors) {
  const struct {
    std::vector<std::string> Args;
    const char* Message;
  } kCases[] = {
      {{"--style", "bold"}, "unknown style 'bold' (choose classic, accents or html)"},
      {{"--style"}, "option '--style' needs a value"},
      {{"--style="}, "unknown style ''"},
      {{"--variant", "australian"}, "unknown variant 'australian' (choose american or british)"},
      {{"--secondary=some"}, "unrecognized option '--secondary=some'"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Message);
    const TRun run = RunCli(c.Args, "Photograph\n");
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
  }
}

TEST_F(StyleOptionsTest, AccentsKeepTheTextAsTyped) {
  const TRun run =
      RunCli({"--style", "accents"},
             "The photographer developed the photographs.\r\nAn ELEPHANT, acceptable!\nBig "
             "ELEPHANT and ME\n");
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "The phot\xC3\xB3grapher dev\xC3\xA9loped the ph\xC3\xB3tographs.\r\nAn "
            "\xC3\x89LEPHANT, acc\xC3\xA9ptable!\nBig \xC3\x89LEPHANT and ME\n");
}

TEST_F(StyleOptionsTest, HtmlIsADocumentOfTheTextAsTyped) {
  const std::string input = "Photographic <b> & \"quotes\" caf\xC3\xA9\n\tPhotograph\x01 line\r\n";
  const TRun run = RunCli({"--style=html", "--secondary"}, input);
  ASSERT_EQ(run.Status, 0) << run.Err;
  ASSERT_TRUE(run.Out.starts_with(HtmlHead())) << run.Out;
  ASSERT_TRUE(run.Out.ends_with(HtmlTail())) << run.Out;
  const std::string body =
      run.Out.substr(HtmlHead().size(), run.Out.size() - HtmlHead().size() - HtmlTail().size());
  EXPECT_EQ(body,
            "Ph<span class=\"s\">o</span>togr<span class=\"p\">a</span>phic &lt;b&gt; &amp; "
            "&quot;quotes&quot; caf\xC3\xA9\n\tPh<span class=\"p\">o</span>tograph&#x1; line\r\n");
  EXPECT_EQ(PlainText(body), input);
  EXPECT_NE(run.Out.find("<meta charset=\"utf-8\">"), std::string::npos);
}

TEST_F(StyleOptionsTest, HtmlOfTheSampleGivesTheSampleBack) {
  const TRun classic = RunCli({"--sample"});
  const TRun html = RunCli({"--sample", "--style", "html", "--secondary=all"});
  ASSERT_EQ(html.Status, 0) << html.Err;
  const std::string body =
      html.Out.substr(HtmlHead().size(), html.Out.size() - HtmlHead().size() - HtmlTail().size());
  const std::string sample = Utf16ToUtf8(JoinDelimited(SplitLines(SampleText()), u'\n')) + "\n";
  EXPECT_EQ(PlainText(body), sample);
  EXPECT_NE(body.find("<span class=\"p\">"), std::string::npos);
  EXPECT_NE(body.find("<span class=\"s\">"), std::string::npos);
  // The classic style of the sample is what it always was: not the text as typed.
  EXPECT_NE(classic.Out, sample);
}

TEST_F(StyleOptionsTest, ExplainWritesTheWordInTheChosenStyle) {
  const TRun run =
      RunCli({"--explain", "--style", "accents", "--secondary", "Photographic", "Cafe"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "Photographic\tPh\xC3\xB2togr\xC3\xA1phic\tPolish Rule\n"
            "Cafe\tCafe\tshort word, left as it is\n");
}

TEST_F(StyleOptionsTest, ExplainSaysWhenABritishFormWasUsed) {
  const TRun run =
      RunCli({"--explain", "--variant", "british", "garages", "laboratory", "photograph"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "garages\tg\xC3\x81rages\tBritish form, in place of dictionary garage+s found\n"
            "laboratory\tlab\xC3\x93ratory\tBritish form, in place of Oratory Rule\n"
            "photograph\tph\xC3\x93tograph\t1st Greek Rule\n");
  // The American default names no British form.
  const TRun american = RunCli({"--explain", "garages"});
  EXPECT_EQ(american.Out, "garages\tgar\xC3\x81ges\tdictionary garage+s found\n");
}

}  // namespace
}  // namespace lexipulse
