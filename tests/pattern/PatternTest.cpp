#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern/Pattern.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

std::string Narrow(const std::u16string& text) { return Utf16ToUtf8(text); }

// Configure sets up an object the way every caller does: RegEx, Options, Subject, in order.
void Configure(TPattern& pattern, const std::u16string& regEx, const std::u16string& subject,
               TPatternOptions options = preCaseLess) {
  pattern.SetRegEx(regEx);
  pattern.SetOptions(options);
  pattern.SetSubject(subject);
}

constexpr char16_t kUltimate[] = u"(\\w+)(oo|ee)([lnmr])?(|s|ed|d)\\z";

struct TReplaceAllCase {
  const char* Name;
  std::u16string RegEx;
  std::u16string Subject;
  std::u16string Template;
  bool Replaced;
  std::u16string Result;
};

const std::vector<TReplaceAllCase>& ReplaceAllCases() {
  static const std::vector<TReplaceAllCase> cases = {
      {"cameroon U", kUltimate, u"cameroon", u"\\1\\U2\\3", true, u"camerOOn"},
      {"cameroon u", kUltimate, u"cameroon", u"\\1\\u2\\3", true, u"camerOOn"},
      {"Cameroon u", kUltimate, u"Cameroon", u"\\1\\u2\\3", true, u"CamerOOn"},
      {"kangaroos absent groups", kUltimate, u"kangaroos", u"\\1\\U2\\3\\4\\5\\6\\7\\8\\9", true,
       u"kangarOOs"},
      {"banana no match", kUltimate, u"banana", u"\\1\\U2\\3", false, u"banana"},
      {"Japanese", u"(\\w+)([bcdefghjklmnpqrstvwxz]+)(e)(se)\\z", u"Japanese", u"\\1\\2\\U3\\4",
       true, u"JapanEse"},
      {"spectat lazy", u"(\\w+)?([aeiouy]+?)([bcdefghjklmnpqrstvwxz]+)?\\b", u"spectat",
       u"\\1\\u2\\3", true, u"spectAt"},
      {"two matches", u"(o+)", u"foo boo", u"\\U1", true, u"fOO bOO"},
      {"inserted text not searched again", u"o", u"foo", u"oo", true, u"foooo"},
      {"empty subject", u"a", u"", u"b", false, u""},
      {"empty match refused", u"x*", u"abc", u"-", false, u"abc"},
      {"empty alternative backtracks", u"(|s)", u"s", u"[\\1]", true, u"[s]"},
      {"group 0 and caseless non-ASCII", u"é", u"cafÉ café", u"<\\0>", true, u"caf<É> caf<é>"},
      {"class with \\w matches É", u"[é\\w]+", u"É-a", u"x", true, u"x-x"},
      {"longer replacement moves the stop", u"a", u"aXa", u"bbb", true, u"bbbXbbb"},
      {"shorter replacement moves the stop", u"aa", u"aaXaa", u"", true, u"X"},
  };
  return cases;
}

TEST(PatternReplaceAll, WorkedExamplesAndEdges) {
  for (const bool literal : {false, true}) {
    for (const TReplaceAllCase& c : ReplaceAllCases()) {
      SCOPED_TRACE(std::string(c.Name) + (literal ? " (interpreter)" : " (JIT)"));
      TPattern pattern;
      pattern.SetJit(!literal);
      Configure(pattern, c.RegEx, c.Subject);
      pattern.SetReplacement(c.Template);
      EXPECT_EQ(pattern.ReplaceAll(), c.Replaced);
      EXPECT_EQ(Narrow(pattern.Subject()), Narrow(c.Result));
    }
  }
}

struct TGroupsCase {
  const char* Name;
  std::u16string RegEx;
  std::u16string Subject;
  int GroupCount;
  std::vector<std::u16string> Groups;  // groups 0.. up to a few past GroupCount
};

TEST(PatternMatch, GroupsAndGroupCount) {
  const std::vector<TGroupsCase> cases = {
      {"cameroon", kUltimate, u"cameroon", 4, {u"cameroon", u"camer", u"oo", u"n", u"", u""}},
      {"kangaroos inner group absent",
       kUltimate,
       u"kangaroos",
       4,
       {u"kangaroos", u"kangar", u"oo", u"", u"s", u"", u""}},
      {"optional last group absent", u"(a)(b)?", u"a", 1, {u"a", u"a", u"", u""}},
      {"word run stops before é", u"\\b(\\w+)\\b", u"café,", 1, {u"caf", u"caf"}},
      {"é is not a word character", u"\\b(\\w+)\\b", u"fiancée", 1, {u"fianc", u"fianc"}},
      {"dot stops before CR",
       u"\\bcamera=(.+)",
       u"abacus=Ábacus\r\ncamera=cÁmera\r\n",
       1,
       {u"camera=cÁmera", u"cÁmera"}},
      {"dot stops before NEL", u"(.+)", u"ab\u0085cd", 1, {u"ab", u"ab"}},
      {"caseless é literal", u"caf(é)", u"CAFÉ", 1, {u"CAFÉ", u"É"}},
      {"caseless ASCII", u"(abc)", u"xABCx", 1, {u"ABC", u"ABC"}},
  };
  for (const TGroupsCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TPattern pattern;
    Configure(pattern, c.RegEx, c.Subject);
    ASSERT_TRUE(pattern.Match());
    EXPECT_TRUE(pattern.FoundMatch());
    EXPECT_EQ(pattern.GroupCount(), c.GroupCount);
    for (std::size_t index = 0; index < c.Groups.size(); ++index) {
      EXPECT_EQ(Narrow(pattern.Groups(static_cast<int>(index))), Narrow(c.Groups[index]))
          << "group " << index;
    }
  }
}

TEST(PatternMatch, OffsetsAndSurroundings) {
  TPattern pattern;
  Configure(pattern, u"(é+)", u"aé-éé-b");
  ASSERT_TRUE(pattern.Match());
  EXPECT_EQ(pattern.MatchedOffset(), 1);
  EXPECT_EQ(pattern.MatchedLength(), 2);
  EXPECT_EQ(Narrow(pattern.SubjectLeft()), "a");
  EXPECT_EQ(Narrow(pattern.SubjectRight()), "-éé-b");
  ASSERT_TRUE(pattern.MatchAgain());
  EXPECT_EQ(pattern.MatchedOffset(), 4);
  EXPECT_EQ(pattern.MatchedLength(), 4);
  EXPECT_EQ(Narrow(pattern.SubjectLeft()), "aé-");
  EXPECT_EQ(Narrow(pattern.SubjectRight()), "-b");
  EXPECT_FALSE(pattern.MatchAgain());
  EXPECT_FALSE(pattern.FoundMatch());
}

TEST(PatternMatch, OptionFlagsChangeMatching) {
  struct TCase {
    const char* Name;
    std::u16string RegEx;
    TPatternOptions Options;
    std::u16string Subject;
    bool Matches;
    std::u16string Whole;
  };
  const std::vector<TCase> cases = {
      {"case-sensitive without caseless", u"abc", 0, u"ABC", false, u""},
      {"caseless", u"abc", preCaseLess, u"ABC", true, u"ABC"},
      {"caret only at start", u"^b", 0, u"a\nb", false, u""},
      {"multi-line caret", u"^b", preMultiLine, u"a\nb", true, u"b"},
      {"single-line dot", u"a.b", preSingleLine, u"a\nb", true, u"a\nb"},
      {"extended ignores spaces", u"a b c", preExtended, u"abc", true, u"abc"},
      {"anchored at start", u"b", preAnchored, u"ab", false, u""},
      {"ungreedy", u"a+", preUnGreedy, u"aaa", true, u"a"},
      {"no auto capture", u"(a)(?<n>b)", preNoAutoCapture, u"ab", true, u"ab"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TPattern pattern;
    Configure(pattern, c.RegEx, c.Subject, c.Options);
    ASSERT_EQ(pattern.Match(), c.Matches);
    if (c.Matches) {
      EXPECT_EQ(Narrow(pattern.Groups(0)), Narrow(c.Whole));
    }
  }
  TPattern pattern;
  Configure(pattern, u"(a)(?<n>b)", u"ab", preNoAutoCapture);
  ASSERT_TRUE(pattern.Match());
  EXPECT_EQ(pattern.GroupCount(), 1);
  EXPECT_EQ(Narrow(pattern.Groups(1)), "b");
}

TEST(PatternErrors, MessagesAndWhenTheyArise) {
  TPattern pattern;
  pattern.SetSubject(u"abc");
  try {
    pattern.Match();
    ADD_FAILURE() << "empty RegEx did not raise";
  } catch (const ERegularExpressionError& error) {
    EXPECT_STREQ(error.what(), "A regular expression specified in RegEx is required");
  }

  // A bad pattern is accepted when written and raises at the first search, every time.
  pattern.SetRegEx(u"ab(c");
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    try {
      pattern.MatchAgain();
      ADD_FAILURE() << "bad pattern did not raise";
    } catch (const ERegularExpressionError& error) {
      EXPECT_STREQ(error.what(),
                   "Error in regular expression at offset 4: missing closing parenthesis");
    }
    EXPECT_FALSE(pattern.FoundMatch());
  }

  // The offset counts UTF-8 bytes of the pattern.
  pattern.SetRegEx(u"éé)");
  try {
    pattern.Match();
    ADD_FAILURE() << "bad pattern did not raise";
  } catch (const ERegularExpressionError& error) {
    EXPECT_STREQ(error.what(),
                 "Error in regular expression at offset 4: unmatched closing parenthesis");
  }

  pattern.SetRegEx(u"z");
  EXPECT_FALSE(pattern.Match());
  for (const auto& read : std::vector<void (*)(TPattern&)>{
           [](TPattern& p) { p.GroupCount(); }, [](TPattern& p) { p.Groups(0); },
           [](TPattern& p) { p.MatchedOffset(); }, [](TPattern& p) { p.MatchedLength(); },
           [](TPattern& p) { p.Replace(); }}) {
    try {
      read(pattern);
      ADD_FAILURE() << "read without a match did not raise";
    } catch (const ERegularExpressionError& error) {
      EXPECT_STREQ(error.what(), "Successful match required");
    }
  }
  EXPECT_EQ(Narrow(pattern.Subject()), "abc");
}

TEST(PatternErrors, CompileErrorDropsThePreviousMatch) {
  TPattern pattern;
  Configure(pattern, u"b", u"abc");
  ASSERT_TRUE(pattern.Match());
  pattern.SetRegEx(u"[b");
  EXPECT_FALSE(pattern.FoundMatch());
  EXPECT_THROW(pattern.Match(), ERegularExpressionError);
  EXPECT_THROW(pattern.GroupCount(), ERegularExpressionError);
  EXPECT_LT(pattern.NamedGroup(u"x"), 0);
  pattern.SetRegEx(u"c");
  ASSERT_TRUE(pattern.Match());
  EXPECT_EQ(pattern.MatchedOffset(), 2);
}

TEST(PatternErrors, BadPatternRaisesInEveryObjectDespiteSharing) {
  // A good pattern with the same text under other options must not lend its code to a bad one.
  TPattern good;
  Configure(good, u"a#(", u"a", preExtended);
  ASSERT_TRUE(good.Match());
  for (int object = 0; object < 2; ++object) {
    SCOPED_TRACE(object);
    TPattern bad;
    Configure(bad, u"a#(", u"a");
    EXPECT_THROW(bad.Match(), ERegularExpressionError);
  }
}

TEST(PatternState, PropertyWritesFollowTheirRules) {
  TPattern pattern;
  Configure(pattern, u"(a)", u"xaxa");
  ASSERT_TRUE(pattern.Match());
  EXPECT_EQ(pattern.MatchedOffset(), 1);

  // Writing the same values keeps the match and the resume point.
  pattern.SetSubject(u"xaxa");
  pattern.SetRegEx(u"(a)");
  pattern.SetOptions(preCaseLess);
  ASSERT_TRUE(pattern.FoundMatch());
  EXPECT_EQ(Narrow(pattern.Groups(1)), "a");
  ASSERT_TRUE(pattern.MatchAgain());
  EXPECT_EQ(pattern.MatchedOffset(), 3);

  // A different subject drops the match and restarts the search.
  pattern.SetSubject(u"ya");
  EXPECT_FALSE(pattern.FoundMatch());
  ASSERT_TRUE(pattern.MatchAgain());
  EXPECT_EQ(pattern.MatchedOffset(), 1);

  pattern.SetOptions(0);
  EXPECT_FALSE(pattern.FoundMatch());
  EXPECT_EQ(pattern.Options(), 0u);
  pattern.SetSubject(u"YA");
  EXPECT_FALSE(pattern.Match());

  pattern.SetReplacement(u"é\\1");
  EXPECT_EQ(Narrow(pattern.Replacement()), "é\\1");
}

TEST(PatternState, MatchAgainAfterMatchAtTheEnd) {
  TPattern pattern;
  Configure(pattern, u"(a)\\z", u"ba");
  ASSERT_TRUE(pattern.Match());
  EXPECT_FALSE(pattern.MatchAgain());
  EXPECT_THROW(pattern.GroupCount(), ERegularExpressionError);
  // Match ignores the resume point.
  EXPECT_TRUE(pattern.Match());
}

TEST(PatternState, ReplaceAllStartsFromTheBeginning) {
  TPattern pattern;
  Configure(pattern, u"a", u"aXaXa");
  pattern.SetReplacement(u"b");
  ASSERT_TRUE(pattern.Match());
  ASSERT_TRUE(pattern.MatchAgain());
  ASSERT_TRUE(pattern.MatchAgain());
  ASSERT_TRUE(pattern.ReplaceAll());
  EXPECT_EQ(Narrow(pattern.Subject()), "bXbXb");
}

TEST(PatternState, ReplaceEditsInPlaceAndResumesAfterTheInsertion) {
  TPattern pattern;
  Configure(pattern, u"(\\w+)", u"ab cd ef");
  pattern.SetReplacement(u"[\\U1]");
  ASSERT_TRUE(pattern.Match());
  ASSERT_TRUE(pattern.MatchAgain());
  EXPECT_EQ(Narrow(pattern.Replace()), "[CD]");
  EXPECT_FALSE(pattern.FoundMatch());
  EXPECT_EQ(Narrow(pattern.Subject()), "ab [CD] ef");
  ASSERT_TRUE(pattern.MatchAgain());
  EXPECT_EQ(Narrow(pattern.Groups(1)), "ef");
  EXPECT_EQ(pattern.MatchedOffset(), 8);
}

TEST(PatternText, UnpairedSurrogatesSurviveReplace) {
  const std::u16string subject = {0xD800, u'a', u'b', 0xDC01, u'a', 0xD83D, 0xDE00, u'a'};
  for (const bool literal : {false, true}) {
    SCOPED_TRACE(literal ? "interpreter" : "JIT");
    TPattern pattern;
    pattern.SetJit(!literal);
    Configure(pattern, u"a", subject);
    pattern.SetReplacement(u"<\\0>");
    ASSERT_TRUE(pattern.ReplaceAll());
    const std::u16string expected = {0xD800, u'<', u'a',   u'>',   u'b', 0xDC01, u'<',
                                     u'a',   u'>', 0xD83D, 0xDE00, u'<', u'a',   u'>'};
    EXPECT_EQ(pattern.Subject(), expected);
    // A lone surrogate is never matched, even by a pattern that matches any character.
    pattern.SetRegEx(u"(.)");
    pattern.SetSubject(std::u16string{0xDC00});
    EXPECT_FALSE(pattern.Match());
  }
}

TEST(PatternText, SubjectJoinedFromLoneSurrogatesCountsAsTheSameText) {
  TPattern pattern;
  Configure(pattern, u"x", std::u16string{0xD800, u'x', u'x'});
  pattern.SetReplacement(std::u16string{0xDC00, u'x'});
  ASSERT_TRUE(pattern.Match());
  pattern.Replace();
  const std::u16string edited = pattern.Subject();
  EXPECT_EQ(edited, (std::u16string{0xD800, 0xDC00, u'x', u'x'}));
  // Writing back the text just read keeps the resume point past the inserted x.
  pattern.SetSubject(edited);
  ASSERT_TRUE(pattern.MatchAgain());
  EXPECT_EQ(Utf16ToUtf8(pattern.SubjectRight()), "");
}

TEST(PatternNamedGroup, NumbersFromTheCompiledPattern) {
  TPattern pattern;
  Configure(pattern, u"(?<first>a)(b)(?<third_3>c)", u"abc");
  EXPECT_LT(pattern.NamedGroup(u"first"), 0);  // nothing compiled yet
  ASSERT_TRUE(pattern.Match());
  EXPECT_EQ(pattern.NamedGroup(u"first"), 1);
  EXPECT_EQ(pattern.NamedGroup(u"third_3"), 3);
  EXPECT_LT(pattern.NamedGroup(u"second"), 0);
}

TEST(PatternMatch, HighestGroupAboveNinetyNineCountsAsNoMatch) {
  std::u16string regEx;
  for (int group = 0; group < 100; ++group) regEx += u"()";
  regEx += u"(a)";
  TPattern pattern;
  Configure(pattern, regEx, u"a");
  EXPECT_FALSE(pattern.Match());
  EXPECT_FALSE(pattern.FoundMatch());
  EXPECT_THROW(pattern.GroupCount(), ERegularExpressionError);
}

TEST(PatternMatch, SearchErrorIsNoMatch) {
  // Catastrophic backtracking exhausts the match limit; that is a failed search, not an error.
  for (const bool literal : {false, true}) {
    SCOPED_TRACE(literal ? "interpreter" : "JIT");
    TPattern pattern;
    pattern.SetJit(!literal);
    Configure(pattern, u"(?:a+)+\\d", std::u16string(40, u'a'));
    EXPECT_FALSE(pattern.Match());
    EXPECT_FALSE(pattern.FoundMatch());
    EXPECT_TRUE(pattern.OverBudget());
    // Without the word budget PCRE2's own limit still ends it, as no match.
    pattern.SetBudgeted(false);
    EXPECT_FALSE(pattern.Match());
    EXPECT_TRUE(pattern.OverBudget());
    pattern.SetSubject(u"aaa1");
    EXPECT_TRUE(pattern.Match());
    EXPECT_FALSE(pattern.OverBudget());
  }
}

TEST(PatternMatch, DeepRecursionFallsBackFromJit) {
  // A long run through a capturing group nests deeply; the result must not depend on the JIT.
  const std::u16string subject(200000, u'a');
  for (const bool literal : {false, true}) {
    SCOPED_TRACE(literal ? "interpreter" : "JIT");
    TPattern pattern;
    pattern.SetJit(!literal);
    // The budget of a word search would end it; the JIT stack is what this is about.
    pattern.SetBudgeted(false);
    Configure(pattern, u"(?:(a)|b)+c?", subject);
    ASSERT_TRUE(pattern.Match());
    EXPECT_EQ(pattern.MatchedLength(), 200000);
  }
}

}  // namespace
}  // namespace lexipulse
