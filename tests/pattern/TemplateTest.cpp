#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern/Pattern.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

struct TTemplateCase {
  const char* Name;
  std::u16string Template;
  std::u16string Expected;
};

// ExpectExpansions matches regEx once in subject and expands each template against that match,
// through ComputeReplacement and through Replace on a fresh object.
void ExpectExpansions(const std::u16string& regEx, const std::u16string& subject,
                      const std::vector<TTemplateCase>& cases) {
  for (const TTemplateCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TPattern pattern;
    pattern.SetRegEx(regEx);
    pattern.SetOptions(preCaseLess);
    pattern.SetSubject(subject);
    pattern.SetReplacement(c.Template);
    ASSERT_TRUE(pattern.Match());
    EXPECT_EQ(Utf16ToUtf8(pattern.ComputeReplacement()), Utf16ToUtf8(c.Expected));
    EXPECT_EQ(Utf16ToUtf8(pattern.Replace()), Utf16ToUtf8(c.Expected));
  }
}

TEST(Template, EscapesAgainstTwoGroups) {
  // "(a)(b)" matches "ab" inside "xaby": GroupCount 2, SubjectLeft "x", SubjectRight "y".
  ExpectExpansions(u"(a)(b)", u"xaby",
                   {
                       {"empty template", u"", u""},
                       {"plain text", u"é-text", u"é-text"},
                       {"swap groups", u"\\2\\1", u"ba"},
                       {"dollar group", u"$2$1", u"ba"},
                       {"two digits above GroupCount", u"\\12", u"a2"},
                       {"dollar two digits above GroupCount", u"$21", u"b1"},
                       {"group above GroupCount", u"[\\9]", u"[]"},
                       {"whole match digit", u"\\0", u"ab"},
                       {"whole match dollar digit", u"$0", u"ab"},
                       {"backslash backslash", u"\\\\1", u"\\1"},
                       {"backslash dollar", u"\\$1", u"$1"},
                       {"dollar dollar", u"$$1", u"$1"},
                       {"backslash ampersand", u"<\\&>", u"<ab>"},
                       {"dollar ampersand", u"<$&>", u"<ab>"},
                       {"backslash plus", u"\\+", u"b"},
                       {"dollar plus", u"$+", u"b"},
                       {"backslash backquote", u"\\`", u"x"},
                       {"dollar backquote", u"$`", u"x"},
                       {"backslash apostrophe", u"\\'", u"y"},
                       {"dollar apostrophe", u"$'", u"y"},
                       {"dollar underscore", u"[$_]", u"[xaby]"},
                       {"braced number", u"${2}", u"b"},
                       {"braced number with leading zero", u"${02}", u"b"},
                       {"braced number above GroupCount", u"[${3}]", u"[]"},
                       {"braced unknown name stands", u"${nope}", u"${nope}"},
                       {"unclosed brace stands", u"${2", u"${2"},
                       {"empty braces stand", u"${}", u"${}"},
                       {"brace at the end stands", u"${", u"${"},
                       {"unknown backslash escape", u"\\q", u"\\q"},
                       {"unknown dollar escape", u"$q", u"$q"},
                       {"case letter without digit", u"\\Uz", u"\\Uz"},
                       {"case letter before a reference", u"\\U$1", u"\\Ua"},
                       {"case letter at the end", u"x\\U", u"x\\U"},
                       {"trailing backslash", u"x\\", u"x\\"},
                       {"trailing dollar", u"x$", u"x$"},
                       {"lone backslash", u"\\", u"\\"},
                       {"escaped dollar then trailing dollar", u"\\$$", u"$$"},
                       {"g without name", u"\\g1", u"\\g1"},
                       {"g with digit name", u"\\g<1>", u"\\g<1>"},
                       {"g unknown name is removed", u"[\\g<nope>]", u"[]"},
                       {"g unclosed name stands", u"\\g<ab", u"\\g<ab"},
                   });
}

TEST(Template, NamedGroups) {
  // "opt" exists in the pattern but takes no part, so GroupCount is 2.
  ExpectExpansions(u"(?<word>\\w+)-(?<num>\\d+)(?<opt>z)?", u"Ab-12",
                   {
                       {"g names", u"\\g<num>\\g<word>", u"12Ab"},
                       {"g name keeps its case", u"\\g<word>", u"Ab"},
                       {"braced names", u"${num}${word}", u"12Ab"},
                       {"braced name of absent group", u"[${opt}]", u"[]"},
                       {"g name of absent group", u"[\\g<opt>]", u"[]"},
                       {"braced unknown name stands", u"${missing}", u"${missing}"},
                       {"g unknown name is removed", u"[\\g<missing>]", u"[]"},
                       {"g unclosed then text", u"\\g<word-\\1", u"\\g<word-Ab"},
                   });
}

TEST(Template, TwoDigitGroups) {
  ExpectExpansions(u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", u"abcdefghijkl",
                   {
                       {"backslash twelve", u"\\12", u"l"},
                       {"dollar twelve", u"$12", u"l"},
                       {"never three digits", u"\\123", u"l3"},
                       {"thirteen is one then three", u"\\13", u"a3"},
                       {"braced twelve", u"${12}", u"l"},
                       {"braced thirteen", u"[${13}]", u"[]"},
                       {"case letter two digits", u"\\U12", u"L"},
                       {"case letter one digit then text", u"\\U13", u"A3"},
                   });
}

TEST(Template, InsertedTextIsNotRescanned) {
  ExpectExpansions(u"(.+)", u"$1\\2", {{"group text", u"\\1|$_|$&", u"$1\\2|$1\\2|$1\\2"}});
}

TEST(Template, CaseLetters) {
  struct TCase {
    const char* Name;
    std::u16string Subject;
    std::u16string Template;
    std::u16string Expected;
  };
  const std::vector<TCase> cases = {
      {"U whole group", u"héllo wörld", u"\\U1", u"HÉLLO WÖRLD"},
      {"u same as U", u"héllo wörld", u"\\u1", u"HÉLLO WÖRLD"},
      {"L whole group", u"HÉLLO Wörld", u"\\L1", u"héllo wörld"},
      {"l same as L", u"HÉLLO Wörld", u"\\l1", u"héllo wörld"},
      {"F first up, rest down", u"hÉLLO WORLD", u"\\F1", u"Héllo world"},
      {"f same as F", u"hÉLLO WORLD", u"\\f1", u"Héllo world"},
      {"F uppers the first unit as ASCII only", u"éCOLE", u"\\F1", u"école"},
      {"I after spaces", u"the éLAN vital", u"\\I1", u"The Élan Vital"},
      {"i same as I", u"the éLAN vital", u"\\i1", u"The Élan Vital"},
      {"I apostrophe inside a word", u"O'NEIL", u"\\I1", u"O'neil"},
      {"I apostrophe at a word start", u"'TIS so", u"\\I1", u"'Tis So"},
      {"I separators", u"a-b.c,d(e*f+g<h?i[j{k&l\u00B7m", u"\\I1",
       u"A-B.C,D(E*F+G<H?I[J{K&L\u00B7M"},
      {"I non-separators", u"a/b)c_d1e'f", u"\\I1", u"A/b)c_d1e'f"},
      {"I digit clears the flag", u"1st place", u"\\I1", u"1st Place"},
  };
  for (const TCase& c : cases) {
    ExpectExpansions(u"(.+)", c.Subject, {{c.Name, c.Template, c.Expected}});
  }
}

TEST(Template, EachReplacementSeesTheEditedSubject) {
  TPattern pattern;
  pattern.SetRegEx(u"(\\w)");
  pattern.SetOptions(preCaseLess);
  pattern.SetSubject(u"ab");
  pattern.SetReplacement(u"[$`|\\U1|$']");
  ASSERT_TRUE(pattern.ReplaceAll());
  EXPECT_EQ(Utf16ToUtf8(pattern.Subject()), "[|A|b][[|A|b]|B|]");
}

}  // namespace
}  // namespace lexipulse
