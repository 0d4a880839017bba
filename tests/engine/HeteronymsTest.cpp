#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Context.h"
#include "engine/Heteronyms.h"
#include "engine/Resource.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

bool IsMark(char16_t c) {
  return c == u'\u00C1' || c == u'\u00C9' || c == u'\u00CD' || c == u'\u00D3' || c == u'\u00DA' ||
         c == u'\u00DD';
}

// Unmarked turns the stress marks back into the small vowel letters they stand for.
std::u16string Unmarked(std::u16string form) {
  const std::u16string marks = u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD";
  for (char16_t& c : form) {
    const std::size_t at = marks.find(c);
    if (at != std::u16string::npos) c = u"aeiouy"[at];
  }
  return form;
}

TEST(HeteronymsTest, EveryEmbeddedFormIsItsOwnLettersWithOneStressedGroup) {
  for (const std::u16string form : {u"record", u"records", u"recorded", u"minute", u"upset"}) {
    ASSERT_NE(FindHeteronym(form), nullptr) << Utf16ToUtf8(form);
  }
  EXPECT_EQ(FindHeteronym(u"photograph"), nullptr);
  EXPECT_EQ(FindHeteronym(u"Record"), nullptr) << "the table holds lowercased runs";

  const THeteronym* record = FindHeteronym(u"record");
  EXPECT_EQ(record->Noun, u"r\u00C9cord");
  EXPECT_EQ(record->Verb, u"rec\u00D3rd");
  const THeteronym* recorded = FindHeteronym(u"recorded");
  EXPECT_EQ(recorded->Verb, u"rec\u00D3rded");
  EXPECT_EQ(recorded->Decided, THeteronymDecided::Form);
}

// CountMarkedGroups counts the runs of stress marks in a form.
std::size_t CountMarkedGroups(const std::u16string& form) {
  std::size_t groups = 0;
  for (std::size_t i = 0; i < form.size(); ++i) {
    if (IsMark(form[i]) && (i == 0 || !IsMark(form[i - 1]))) ++groups;
  }
  return groups;
}

TEST(HeteronymsTest, EveryReadingOfTheTableMarksOneGroupOfItsOwnLetters) {
  const std::optional<std::string_view> bytes = FindResource("HETERONYMS");
  ASSERT_TRUE(bytes.has_value());
  const std::vector<THeteronym> table = ParseHeteronymTable(*bytes);
  ASSERT_GT(table.size(), 300u);
  for (const THeteronym& entry : table) {
    SCOPED_TRACE(Utf16ToUtf8(entry.Form));
    ASSERT_NE(FindHeteronym(entry.Form), nullptr);
    std::size_t readings = 0;
    for (const std::u16string* form : {&entry.Noun, &entry.Verb, &entry.Adjective}) {
      if (form->empty()) continue;
      ++readings;
      EXPECT_EQ(Unmarked(*form), entry.Form) << Utf16ToUtf8(*form);
      EXPECT_EQ(CountMarkedGroups(*form), 1u) << Utf16ToUtf8(*form);
    }
    if (entry.Decided == THeteronymDecided::Form) {
      EXPECT_EQ(readings, 1u);
      EXPECT_FALSE(entry.Verb.empty());
    } else if (entry.Decided == THeteronymDecided::Context) {
      // A word decided by context has two readings stressed apart.
      std::vector<std::u16string> distinct;
      for (const std::u16string* form : {&entry.Noun, &entry.Verb, &entry.Adjective}) {
        if (!form->empty() && std::ranges::find(distinct, *form) == distinct.end()) {
          distinct.push_back(*form);
        }
      }
      EXPECT_GE(distinct.size(), 2u);
    }
  }
}

TEST(HeteronymsTest, TheTableTextIsCheckedLineByLine) {
  const std::string good =
      "# comment\nrecord\tr\xC3\x89"
      "cord\trec\xC3\x93rd\t-\tnoun\tcontext\n";
  const std::vector<THeteronym> parsed = ParseHeteronymTable(good);
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].Form, u"record");
  EXPECT_EQ(parsed[0].Adjective, u"");
  EXPECT_EQ(parsed[0].Default, THeteronymReading::Noun);

  const struct {
    const char* Name;
    std::string Text;
  } kBad[] = {
      {"too few fields", "record\trecord\t-\t-\tnoun\n"},
      {"too many fields", "record\tr\tr\t-\tnoun\tcontext\tx\n"},
      {"unknown reading", "record\tr\tr\t-\tadverb\tcontext\n"},
      {"unknown way of deciding", "record\tr\tr\t-\tnoun\tguess\n"},
      {"default without a form", "record\t-\tr\t-\tnoun\tcontext\n"},
  };
  for (const auto& c : kBad) {
    EXPECT_THROW(ParseHeteronymTable(c.Text), std::runtime_error) << c.Name;
  }
}

TWordContext Ctx(std::u16string previous, std::u16string before = u"", std::u16string next = u"",
                 bool capitalized = false) {
  return {std::move(previous), std::move(before), std::move(next), capitalized};
}

// Each cue once towards the noun and once towards the verb, or towards the adjective.
TEST(HeteronymsTest, EachCueChoosesItsReading) {
  const struct {
    const char* Word;
    TWordContext Context;
    THeteronymReading Reading;
    const char16_t* Reason;
  } kCases[] = {
      {"record", Ctx(u"the"), THeteronymReading::Noun, u"after \"the\""},
      {"record", Ctx(u"their"), THeteronymReading::Noun, u"after \"their\""},
      {"record", Ctx(u"john's"), THeteronymReading::Noun, u"after \"john's\""},
      {"record", Ctx(u"several"), THeteronymReading::Noun, u"after \"several\""},
      {"record", Ctx(u"without"), THeteronymReading::Noun, u"after \"without\""},
      {"record", Ctx(u"to"), THeteronymReading::Verb, u"after \"to\""},
      {"record", Ctx(u"will"), THeteronymReading::Verb, u"after \"will\""},
      {"record", Ctx(u"didn't"), THeteronymReading::Verb, u"after \"didn't\""},
      {"record", Ctx(u"not"), THeteronymReading::Verb, u"after \"not\""},
      {"record", Ctx(u"they"), THeteronymReading::Verb, u"after \"they\""},
      {"record", Ctx(u"usually"), THeteronymReading::Verb, u"after \"usually\""},
      {"record", Ctx(u"which"), THeteronymReading::Verb, u"after \"which\""},
      {"minute", Ctx(u"was"), THeteronymReading::Adjective, u"after \"was\""},
      {"minute", Ctx(u"a", u"", u"change"), THeteronymReading::Adjective, u"before \"change\""},
      {"minute", Ctx(u"a", u"", u"to"), THeteronymReading::Noun, u"after \"a\""},
      {"minute", Ctx(u"the"), THeteronymReading::Noun, u"after \"the\""},
      {"minute", Ctx(u"ten", u"", u"walk"), THeteronymReading::Noun, u"after \"ten\""},
      {"minute", Ctx(u"10", u"", u"walk"), THeteronymReading::Noun, u"after \"10\""},
      {"record", Ctx(u"a", u"", u"label"), THeteronymReading::Noun, u"after \"a\""},
      {"present", Ctx(u"not", u"is"), THeteronymReading::Adjective, u"after \"is not\""},
      {"record", Ctx(u"not", u"did"), THeteronymReading::Verb, u"after \"not\""},
      {"record", Ctx(u"", u"", u"the"), THeteronymReading::Verb, u"before \"the\""},
      {"record", Ctx(u"", u"", u"it"), THeteronymReading::Verb, u"before \"it\""},
      {"conduct", Ctx(u"", u"", u"of"), THeteronymReading::Noun, u"before \"of\""},
      {"record", Ctx(u"broke", u"", u"of"), THeteronymReading::Noun, u"before \"of\""},
      {"record", Ctx(u"world"), THeteronymReading::Noun, u"more frequent reading"},
      {"decrease", Ctx(u"significant"), THeteronymReading::Noun, u"after \"significant\""},
      {"decrease", Ctx(u"growing"), THeteronymReading::Noun, u"after \"growing\""},
      {"decrease", Ctx(u"26"), THeteronymReading::Noun, u"after \"26\""},
      {"decrease", Ctx(u"ant"), THeteronymReading::Verb, u"more frequent reading"},
      {"refuse", Ctx(u""), THeteronymReading::Verb, u"more frequent reading"},
      {"record", Ctx(u"new", u"", u"", true), THeteronymReading::Noun,
       u"capitalized inside a line"},
      {"recorded", Ctx(u"the"), THeteronymReading::Verb, u"-ed form"},
      {"recording", Ctx(u"a"), THeteronymReading::Verb, u"-ing form"},
      {"jesus", Ctx(u"to"), THeteronymReading::Noun, u"more frequent reading"},
      // A reading the word lacks gives way to the one stressed alike.
      {"frequent", Ctx(u"the"), THeteronymReading::Adjective, u"after \"the\""},
      {"record", Ctx(u"is"), THeteronymReading::Noun, u"after \"is\""},
  };
  for (const auto& c : kCases) {
    const THeteronym* entry = FindHeteronym(Utf8ToUtf16(c.Word));
    ASSERT_NE(entry, nullptr) << c.Word;
    const THeteronymDecision decision = DecideHeteronym(*entry, c.Context);
    EXPECT_EQ(decision.Reading, c.Reading) << c.Word << " " << Utf16ToUtf8(c.Context.Previous);
    EXPECT_EQ(decision.Reason, c.Reason) << c.Word << " " << Utf16ToUtf8(c.Context.Previous);
  }
}

// The pipeline keeps one form per word and context class, so two contexts of one class must
// give every form of the table the same reading.
TEST(HeteronymsTest, OneContextClassGivesOneReadingForEveryForm) {
  const std::vector<std::u16string> neighbours = {
      u"",    u"the", u"my",    u"john's",   u"many",  u"of",   u"to",    u"will", u"don't",
      u"not", u"we",  u"often", u"is",       u"was",   u"that", u"world", u"and",  u"it",
      u"him", u"big", u"into",  u"parents'", u"never", u"been", u"a",     u"which"};
  const std::vector<std::u16string> forms = {u"record",  u"records", u"present", u"minute",
                                             u"upset",   u"refuse",  u"content", u"frequent",
                                             u"invalid", u"jesus",   u"recorded"};
  std::map<std::uint16_t, TWordContext> firstOfClass;
  for (const std::u16string& before : neighbours) {
    for (const std::u16string& previous : neighbours) {
      for (const std::u16string& next : neighbours) {
        for (const bool capitalized : {false, true}) {
          const TWordContext context{previous, before, next, capitalized};
          const auto [first, inserted] = firstOfClass.emplace(ContextClass(context), context);
          if (inserted) continue;
          for (const std::u16string& form : forms) {
            const THeteronym* entry = FindHeteronym(form);
            ASSERT_NE(entry, nullptr);
            ASSERT_EQ(DecideHeteronym(*entry, context).Reading,
                      DecideHeteronym(*entry, first->second).Reading)
                << Utf16ToUtf8(form) << " after " << Utf16ToUtf8(before) << " "
                << Utf16ToUtf8(previous) << " before " << Utf16ToUtf8(next);
          }
        }
      }
    }
  }
  EXPECT_GT(firstOfClass.size(), 20u);
}

TEST(HeteronymsTest, OnlyTheDictionaryFirstOrderReadsTheContext) {
  const TWordContext afterTo = Ctx(u"to");
  const TWordContext afterThe = Ctx(u"the");
  const auto stressed = [](const char16_t* word, TStressingOrder order,
                           const TWordContext& context) {
    TWordToStress record(word, {.Order = order}, context);
    record.Process();
    return record.WordStressed();
  };
  EXPECT_EQ(stressed(u"record", TStressingOrder::DictionaryFirst, afterTo), u"rec\u00D3rd");
  EXPECT_EQ(stressed(u"record", TStressingOrder::DictionaryFirst, afterThe), u"r\u00C9cord");
  EXPECT_EQ(stressed(u"record", TStressingOrder::RulesFirst, afterTo),
            stressed(u"record", TStressingOrder::RulesFirst, {}));
  EXPECT_EQ(stressed(u"record", TStressingOrder::RulesFirst, afterThe),
            stressed(u"record", TStressingOrder::RulesFirst, {}));
  for (const char16_t* word : {u"photograph", u"developed", u"elephant", u"hello"}) {
    EXPECT_EQ(stressed(word, TStressingOrder::DictionaryFirst, afterTo),
              stressed(word, TStressingOrder::DictionaryFirst, {}))
        << Utf16ToUtf8(word);
  }
  // Without heteronyms the order looks the word up like any other.
  TWordToStress looked(u"record", {.Order = TStressingOrder::DictionaryFirst, .Heteronyms = false},
                       afterThe);
  looked.Process();
  EXPECT_FALSE(looked.Heteronym().has_value());
  EXPECT_EQ(looked.WordStressed(), LookUpDictionary(u"record"));
  TWordToStress plain(u"photograph", {.Order = TStressingOrder::DictionaryFirst}, afterTo);
  plain.Process();
  EXPECT_FALSE(plain.Heteronym().has_value());
  TWordToStress heteronym(u"record", {.Order = TStressingOrder::DictionaryFirst}, afterTo);
  heteronym.Process();
  ASSERT_TRUE(heteronym.Heteronym().has_value());
  EXPECT_EQ(heteronym.Heteronym()->Reason, u"after \"to\"");
}

}  // namespace
}  // namespace lexipulse
