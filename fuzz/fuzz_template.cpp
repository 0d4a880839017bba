#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FixedPatterns.h"
#include "fuzz/FuzzText.h"
#include "pattern/Pattern.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

// The patterns: the two that must raise (an invalid one and the empty one), a few shapes of
// the facade's own (named groups, empty matches, many groups), then every fixed pattern of the
// program.
constexpr std::size_t kInvalidPattern = 0;
constexpr std::size_t kEmptyPattern = 1;

const std::vector<std::u16string>& Patterns() {
  static const std::vector<std::u16string> patterns = [] {
    std::vector<std::u16string> list = {
        u"(unclosed",    u"",
        u"(o+)",         u"(?<first>a)(?<second_2>b)?(c)?(d)?(e)?(f)?(g)?(h)?(i)?(j)?(k)?",
        u"x*",           u"(|s)",
        u"[\u00E9\\w]+",
    };
    for (const TFixedPattern& fixed : FixedPatterns()) list.push_back(fixed.Text);
    return list;
  }();
  return patterns;
}

// TOutcome is everything a fixed sequence of calls observes, to compare shared and literal mode.
struct TOutcome {
  std::string Error;
  bool Matched = false;
  // OverBudget is set when a search ran out of its work budget. The JIT and the interpreter
  // spend the budget differently, so only outcomes within it must agree.
  bool OverBudget = false;
  std::u16string Expansion;
  std::u16string ReplacedAll;
  bool operator==(const TOutcome&) const = default;
};

std::u16string Escaped(std::u16string_view text) {
  std::u16string escaped;
  for (const char16_t c : text) {
    if (c == u'\\' || c == u'$') {
      escaped.push_back(u'\\');
    }
    escaped.push_back(c);
  }
  return escaped;
}

void Configure(TPattern& pattern, std::size_t which, const std::u16string& subject) {
  pattern.SetRegEx(Patterns()[which]);
  pattern.SetOptions(preCaseLess);
  pattern.SetSubject(subject);
}

// ReplacedAll runs ReplaceAll with the template and returns the subject it leaves.
std::u16string ReplacedAll(std::size_t which, const std::u16string& subject,
                           const std::u16string& replacement, bool jit, bool& overBudget) {
  TPattern pattern;
  pattern.SetJit(jit);
  Configure(pattern, which, subject);
  pattern.SetReplacement(replacement);
  const bool replaced = pattern.ReplaceAll();
  FuzzCheck(replaced || pattern.Subject() == subject, "a ReplaceAll without a match edited");
  // The loop ends at its first failed search, so that one tells whether the budget ended it.
  overBudget = overBudget || pattern.OverBudget();
  return pattern.Subject();
}

// InsertsSubject tells whether the template inserts the text left or right of the match or the
// whole subject. ReplaceAll expands each match on the subject as already edited, so such a
// template makes the subject grow geometrically with the number of matches, as defined; the
// program's own templates never do, and the fuzzer runs them through one Replace only.
bool InsertsSubject(std::u16string_view replacement) {
  for (std::size_t i = 0; i + 1 < replacement.size(); ++i) {
    const char16_t next = replacement[i + 1];
    if ((replacement[i] == u'\\' || replacement[i] == u'$') &&
        (next == u'`' || next == u'\'' || (replacement[i] == u'$' && next == u'_'))) {
      return true;
    }
  }
  return false;
}

TOutcome Run(std::size_t which, const std::u16string& replacement, const std::u16string& subject,
             bool jit) {
  TOutcome outcome;
  TPattern pattern;
  pattern.SetJit(jit);
  Configure(pattern, which, subject);
  pattern.SetReplacement(replacement);
  FuzzCheck(pattern.Subject() == subject, "Subject does not read back as written");
  FuzzCheck(pattern.Replacement() == replacement, "Replacement does not read back as written");
  try {
    outcome.Matched = pattern.Match();
    outcome.OverBudget = pattern.OverBudget();
  } catch (const ERegularExpressionError& e) {
    // Only the two patterns that cannot compile may raise, and only with their messages.
    const std::string message = e.what();
    FuzzCheck((which == kInvalidPattern &&
               message.starts_with("Error in regular expression at offset ")) ||
                  (which == kEmptyPattern &&
                   message == "A regular expression specified in RegEx is required"),
              "unexpected error: " + message);
    outcome.Error = message;
    return outcome;
  }
  FuzzCheck(which != kInvalidPattern && which != kEmptyPattern, "a bad pattern searched");
  FuzzCheck(!subject.empty() || !outcome.Matched, "the empty subject matched");
  if (outcome.Matched) {
    const std::u16string left = pattern.SubjectLeft();
    const std::u16string right = pattern.SubjectRight();
    FuzzCheck(left + pattern.Groups(0) + right == subject,
              "left, match and right are not the subject");
    FuzzCheck(pattern.GroupCount() >= 0, "negative GroupCount");
    outcome.Expansion = pattern.ComputeReplacement();
    const std::u16string inserted = pattern.Replace();
    FuzzCheck(inserted == outcome.Expansion, "Replace inserted another expansion");
    FuzzCheck(pattern.Subject() == left + inserted + right, "Replace edited outside the match");
    FuzzCheck(!pattern.FoundMatch(), "a match survived Replace");

    TPattern literal;
    literal.SetJit(jit);
    Configure(literal, which, subject);
    literal.SetReplacement(Escaped(replacement));
    literal.Match();
    FuzzCheck(literal.ComputeReplacement() == replacement, "the escaped template is not literal");
  }
  if (!InsertsSubject(replacement)) {
    outcome.ReplacedAll = ReplacedAll(which, subject, replacement, jit, outcome.OverBudget);
  }
  FuzzCheck(ReplacedAll(which, subject, u"\\0", jit, outcome.OverBudget) == subject,
            "\\0 changed the subject");
  FuzzCheck(ReplacedAll(which, subject, u"$&", jit, outcome.OverBudget) == subject,
            "$& changed the subject");
  return outcome;
}

}  // namespace
}  // namespace lexipulse

// The input is a pattern selector byte, then the template and the subject separated by a NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lexipulse;
  if (size == 0) {
    return 0;
  }
  const std::size_t which = data[0] % Patterns().size();
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t nul = rest.find('\0');
  const std::u16string replacement = FuzzUtf16(rest.substr(0, nul));
  const std::u16string subject =
      nul == std::string_view::npos ? std::u16string() : FuzzUtf16(rest.substr(nul + 1));

  const TOutcome jit = Run(which, replacement, subject, true);
  const TOutcome interpreter = Run(which, replacement, subject, false);
  FuzzCheck(jit.OverBudget || interpreter.OverBudget || jit == interpreter,
            "the JIT and the interpreter disagree");
  return 0;
}
