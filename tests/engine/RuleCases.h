#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {

// TRuleCase is one word through one rule: what the rule leaves in WordStressed and the trace
// it returns. Texts are UTF-8 so that failures print readably.
struct TRuleCase {
  const char* Word;
  const char* Stressed;
  const char* Trace;
};

// ExpectRuleCases calls rule on a fresh record for every case, as its chain would (with
// BaseWord), and checks the trace, WordStressed and that the rule left the rest alone.
inline void ExpectRuleCases(const char* ruleName, TWordToStress::TRule rule,
                            std::span<const TRuleCase> cases) {
  for (const TRuleCase& c : cases) {
    SCOPED_TRACE(std::string(ruleName) + " on " + c.Word);
    const std::u16string word = Utf8ToUtf16(c.Word);
    TWordToStress record(word);
    const std::u16string trace = (record.*rule)(record.BaseWord());
    EXPECT_EQ(Utf16ToUtf8(trace), c.Trace);
    EXPECT_EQ(Utf16ToUtf8(record.WordStressed()), c.Stressed);
    EXPECT_EQ(record.BaseWord(), word);
    EXPECT_FALSE(record.DoneStressed());
    EXPECT_TRUE(record.Radical().empty() && record.Ending().empty());
  }
}

}  // namespace lexipulse
