#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/Dictionary.h"
#include "engine/FixedPatterns.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Pattern.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

// Tests that install a dictionary of their own put the previous one back afterwards.
class WordToStressTest : public ::testing::Test {
 protected:
  void SetUp() override { _SavedDictionary = Dictionary; }
  void TearDown() override { SetDictionaryLines(_SavedDictionary); }

 private:
  std::vector<std::u16string> _SavedDictionary;
};

TEST_F(WordToStressTest, CreateSetsTheWordAndNothingElse) {
  const TWordToStress word(u"developed");
  EXPECT_EQ(word.BaseWord(), u"developed");
  EXPECT_EQ(word.WordStressed(), u"developed");
  EXPECT_EQ(word.Radical(), u"");
  EXPECT_EQ(word.Ending(), u"");
  EXPECT_FALSE(word.DoneStressed());
  EXPECT_EQ(word.DecidingTrace(), u"");
}

struct TDictionaryStepCase {
  std::u16string Word;
  std::vector<std::u16string> Lines;
  std::u16string Radical;
  std::u16string Ending;
  std::u16string Expected;
};

// These words are covered by no rule, so they reach the dictionary step.
TEST_F(WordToStressTest, WordsNoRuleCoversGoThroughSplitAndDictionary) {
  const std::vector<TDictionaryStepCase> cases = {
      {u"developed", {u"develop=dev\u00C9lop"}, u"develop", u"ed", u"dev\u00C9loped"},
      {u"developed",
       {u"developed=WHOLE", u"develop=dev\u00C9lop"},
       u"develop",
       u"ed",
       u"dev\u00C9loped"},
      {u"developed", {}, u"develop", u"ed", u"developed"},
      // Once split, the whole word is not looked up.
      {u"final", {u"final=f\u00CDnal", u"final=fin\u00C1l"}, u"fin", u"al", u"final"},
      {u"examine",
       {u"examine=examin\u00C9", u"examine=ex\u00C1mine"},
       u"examine",
       u"",
       u"examin\u00C9"},
      // Words of fewer than five characters are looked up whole, even with a listed ending.
      {u"pop", {u"pop=s\u00D3da pop"}, u"pop", u"", u"s\u00D3da pop"},
      {u"sing", {u"s=WRONG", u"sing=s\u00CDng"}, u"sing", u"", u"s\u00CDng"},
      {u"sing", {u"s=WRONG"}, u"sing", u"", u"sing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.Word) + " with " + std::to_string(c.Lines.size()) + " lines");
    SetDictionaryLines(c.Lines);
    TWordToStress word(c.Word);
    word.Process();
    EXPECT_FALSE(word.DoneStressed());
    EXPECT_EQ(word.DecidingTrace(), u"");
    EXPECT_EQ(word.BaseWord(), c.Word);
    EXPECT_EQ(word.Radical(), c.Radical);
    EXPECT_EQ(word.Ending(), c.Ending);
    EXPECT_EQ(word.WordStressed(), c.Expected);
  }
}

struct TDecidedCase {
  std::u16string Word;
  std::u16string Expected;
};

// Once a rule reports, neither a later chain nor the split nor the dictionary runs, even when
// the dictionary holds the word.
TEST_F(WordToStressTest, ReportingRuleEndsTheSearch) {
  SetDictionaryLines({u"cameroon=WRONG", u"coffee=WRONG", u"cameroo=WRONG"});
  const std::vector<TDecidedCase> cases = {
      {u"cameroon", u"camerOOn"},
      // An exception branch reports without marking the word.
      {u"coffee", u"coffee"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.Word));
    TWordToStress word(c.Word);
    word.Process();
    EXPECT_TRUE(word.DoneStressed());
    EXPECT_NE(word.DecidingTrace(), u"");
    EXPECT_EQ(word.WordStressed(), c.Expected);
    EXPECT_EQ(word.Radical(), u"");
    EXPECT_EQ(word.Ending(), u"");
  }
}

// A run longer than any word is left as it is, without a rule or a lookup, in both orders: the
// rule patterns would backtrack on it for seconds. A run of the longest length is still stressed.
TEST_F(WordToStressTest, RunsLongerThanAnyWordAreLeftAsTheyAre) {
  SetDictionaryLines({u"bbbbbbbbbbbbbbbbbbbbb=WRONG"});
  const std::u16string longest = std::u16string(kLongestWord - 2, u'b') + u"oo";
  const std::u16string tooLong = u"b" + longest;
  for (const TStressingOrder order :
       {TStressingOrder::RulesFirst, TStressingOrder::DictionaryFirst}) {
    TWordToStress stressed(longest, {.Order = order});
    stressed.Process();
    EXPECT_EQ(stressed.WordStressed(), std::u16string(kLongestWord - 2, u'b') + u"OO");
    TWordToStress left(tooLong, {.Order = order});
    left.Process();
    EXPECT_EQ(left.WordStressed(), tooLong);
    EXPECT_FALSE(left.DoneStressed());
    EXPECT_EQ(left.Radical(), tooLong);
    EXPECT_EQ(left.Ending(), u"");
    EXPECT_TRUE(left.LookUps().empty());
  }
}

// A run on which a rule pattern backtracks without end costs each search its budget at most:
// the Spectator pattern gives up on this one, and the word is stressed as the other steps allow,
// in both orders.
TEST_F(WordToStressTest, PathologicalRunEndsWithinTheWorkBudget) {
  const std::u16string word = u"aeenddeedeeeeneeeedeieeeeeeeeoeeeeeeeeeeeeeee";
  ASSERT_EQ(word.size(), kLongestWord);
  const std::u16string& spectatorPattern = FixedPatternText(TFixedPatternId::Spectator);
  TPattern spectator;
  spectator.SetRegEx(spectatorPattern);
  spectator.SetOptions(SearchOptions(spectatorPattern, word));
  spectator.SetSubject(word);
  EXPECT_FALSE(spectator.Match());
  EXPECT_TRUE(spectator.OverBudget());
  for (const TStressingOrder order :
       {TStressingOrder::RulesFirst, TStressingOrder::DictionaryFirst}) {
    TWordToStress stressed(word, {.Order = order});
    stressed.Process();
    EXPECT_EQ(AsciiLowerCase(stressed.WordStressed()), word);
    EXPECT_NE(stressed.DecidingRule(), &TWordToStress::doSpectatorRule);
  }
}

struct TSplitCase {
  std::u16string Word;
  std::u16string Radical;
  std::u16string Ending;
};

TEST_F(WordToStressTest, SplitWordRemovesTheShortestListedEnding) {
  const std::vector<TSplitCase> cases = {
      {u"developed", u"develop", u"ed"},
      {u"customers", u"customer", u"s"},
      {u"reportedly", u"reported", u"ly"},
      {u"bring", u"br", u"ing"},
      {u"final", u"fin", u"al"},
      {u"sing", u"sing", u""},
      {u"examine", u"examine", u""},
      {u"materials", u"material", u"s"},
      {u"knowingly", u"knowing", u"ly"},
      {u"auxiliary", u"auxili", u"ary"},
      {u"singing", u"sing", u"ing"},
      {u"ingly", u"ing", u"ly"},
      {u"DEVELOPED", u"DEVELOP", u"ED"},
      {u"walks", u"walk", u"s"},
      {u"walk", u"walk", u""},
      {u"john's", u"john'", u"s"},
      {u"abc12", u"abc12", u""},
      // Text outside a run of word characters would fall outside both groups; the word stays
      // whole so that nothing is lost.
      {u"walks home", u"walks home", u""},
      {u"\u2028walks", u"\u2028walks", u""},
  };
  for (const auto& c : cases) {
    TWordToStress word(c.Word);
    word.SplitWord();
    EXPECT_EQ(word.Radical(), c.Radical) << Utf16ToUtf8(c.Word);
    EXPECT_EQ(word.Ending(), c.Ending) << Utf16ToUtf8(c.Word);
    EXPECT_EQ(word.Radical() + word.Ending(), c.Word) << Utf16ToUtf8(c.Word);
    EXPECT_EQ(word.WordStressed(), c.Word) << Utf16ToUtf8(c.Word);
  }
}

// A record with scripted rules, to show how a chain treats the traces it gets back.
class TScriptedWord : public TWordToStress {
 public:
  TScriptedWord(const std::u16string& word, std::vector<std::u16string> traces)
      : TWordToStress(word), _Traces(std::move(traces)) {}

  void Run() {
    const std::vector<TRule> rules = {static_cast<TRule>(&TScriptedWord::Rule0),
                                      static_cast<TRule>(&TScriptedWord::Rule1),
                                      static_cast<TRule>(&TScriptedWord::Rule2)};
    RunChain(rules);
  }

  std::vector<std::u16string> Calls;

 private:
  std::u16string Rule0(const std::u16string& w) { return Answer(0, w); }
  std::u16string Rule1(const std::u16string& w) { return Answer(1, w); }
  std::u16string Rule2(const std::u16string& w) { return Answer(2, w); }
  std::u16string Answer(std::size_t rule, const std::u16string& w) {
    Calls.push_back(w);
    return _Traces[rule];
  }

  std::vector<std::u16string> _Traces;
};

struct TChainCase {
  const char* Name;
  std::vector<std::u16string> Traces;
  std::size_t Calls;
  bool DoneStressed;
  std::u16string DecidingTrace;
};

TEST_F(WordToStressTest, ChainStopsAtTheFirstNonEmptyTrace) {
  const std::vector<TChainCase> cases = {
      {"no rule applies", {u"", u"", u""}, 3, false, u""},
      {"first rule decides", {u"   {A}", u"   {B}", u""}, 1, true, u"   {A}"},
      {"middle rule decides", {u"", u"   {B}", u"   {C}"}, 2, true, u"   {B}"},
      {"last rule decides", {u"", u"", u"c"}, 3, true, u"c"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScriptedWord word(u"cameroon", c.Traces);
    word.Run();
    EXPECT_EQ(word.Calls, std::vector<std::u16string>(c.Calls, u"cameroon"));
    EXPECT_EQ(word.DoneStressed(), c.DoneStressed);
    EXPECT_EQ(word.DecidingTrace(), c.DecidingTrace);
    // The chain only reads traces: marking the word is the rules' business.
    EXPECT_EQ(word.WordStressed(), u"cameroon");
    EXPECT_EQ(word.Radical(), u"");
  }
}

}  // namespace
}  // namespace lexipulse
