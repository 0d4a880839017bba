#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Dictionary.h"
#include "engine/FixedPatterns.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Pattern.h"
#include "pattern/Utf.h"
#include "tests/support/WordCorpus.h"

namespace lexipulse {
namespace {

// Every match of a ReplaceAll loop over the subject, each as the byte offsets of all groups.
using TMatchTrace = std::vector<std::vector<int>>;

// A search that runs out of budget shows as a trace of its own, so that no corpus word may
// come near the budget unnoticed.
const std::vector<int> kOverBudget = {-2};

TMatchTrace TraceMatches(TPattern& pattern, const std::u16string& subject) {
  TMatchTrace trace;
  pattern.SetSubject(subject);
  // A word subject holds few matches; the bound keeps a faulty loop from running away.
  for (bool found = pattern.Match(); found && trace.size() <= subject.size() + 1;
       found = pattern.MatchAgain()) {
    std::vector<int> offsets;
    for (int group = 0; group <= pattern.GroupCount(); ++group) {
      offsets.push_back(pattern.GroupOffset(group));
      offsets.push_back(pattern.GroupEnd(group));
    }
    trace.push_back(std::move(offsets));
  }
  if (pattern.OverBudget()) trace.push_back(kOverBudget);
  return trace;
}

std::string Shown(const TMatchTrace& trace) {
  std::string text = trace.empty() ? "no match" : "";
  for (const auto& match : trace) {
    text += "[";
    for (const int offset : match) text += std::to_string(offset) + " ";
    text += "]";
  }
  return text;
}

// The JIT must give exactly the interpreter's answer for every pattern the program uses, on
// every dictionary key and a large generated set of words around them; so must the anchored
// search that the rules use on runs of word characters.
TEST(JitDifferential, EveryFixedPatternMatchesAsTheInterpreterDoes) {
  LoadDictionary();
  const std::vector<std::u16string> corpus = DifferentialCorpus(Dictionary, 100000, 20261210);
  ASSERT_GT(corpus.size(), Dictionary.size() + 100000 - 1);
  FreeDictionary();

  std::size_t differences = 0;
  for (const TFixedPattern& fixed : FixedPatterns()) {
    TPattern jit;
    TPattern interpreter;
    for (TPattern* pattern : {&jit, &interpreter}) {
      pattern->SetRegEx(fixed.Text);
      pattern->SetOptions(preCaseLess);
    }
    interpreter.SetJit(false);
    for (const std::u16string& word : corpus) {
      const TMatchTrace expected = TraceMatches(interpreter, word);
      const TMatchTrace actual = TraceMatches(jit, word);
      jit.SetOptions(SearchOptions(fixed.Text, word));
      const TMatchTrace fast = TraceMatches(jit, word);
      jit.SetOptions(preCaseLess);
      const bool overBudget = !expected.empty() && expected.back() == kOverBudget;
      // A pattern the rules skip on this word must find nothing in it.
      const bool wronglySkipped = !MayMatch(fixed, word) && !expected.empty();
      if ((actual != expected || fast != expected || overBudget || wronglySkipped) &&
          ++differences <= 20) {
        ADD_FAILURE() << Utf16ToUtf8(fixed.Name) << " on \"" << Utf16ToUtf8(word) << "\": JIT "
                      << Shown(actual) << ", as the rules search " << Shown(fast)
                      << ", interpreter " << Shown(expected)
                      << (wronglySkipped ? ", though the rules skip it" : "");
      }
    }
  }
  EXPECT_EQ(differences, 0u);
}

// Rule searches reuse one pattern object per pattern and thread. Stressing the same words in
// the opposite order gives the same forms: no search sees what an earlier one left behind.
TEST(JitDifferential, ReusedMatchersGiveTheSameFormsInAnyOrder) {
  if (Dictionary.empty()) LoadDictionary();
  const std::vector<std::u16string> all = DifferentialCorpus(Dictionary, 20000, 7);
  const std::vector<std::u16string> words(all.end() - 30000, all.end());
  const auto formsOf = [&words](bool reverse) {
    std::vector<std::u16string> forms(words.size());
    for (std::size_t n = 0; n < words.size(); ++n) {
      const std::size_t i = reverse ? words.size() - 1 - n : n;
      TWordToStress word(AsciiLowerCase(words[i]));
      word.Process();
      forms[i] = word.WordStressed();
    }
    return forms;
  };
  EXPECT_TRUE(formsOf(true) == formsOf(false));
}

}  // namespace
}  // namespace lexipulse
