#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/Heteronyms.h"
#include "pattern/Utf.h"
#include "tools/CmuSource.h"
#include "tools/HeteronymTable.h"

namespace lexipulse {
namespace {

TEST(HeteronymTableTest, VowelGroupsFollowTheDictionarysMarks) {
  const struct {
    const char* Word;
    int Group;
    const char* Marked;
  } kCases[] = {
      {"record", 1,
       "r\xC3\x89"
       "cord"},
      {"record", 2, "rec\xC3\x93rd"},
      {"increase", 2, "incr\xC3\x89\xC3\x81se"},
      {"intrigue", 2, "intr\xC3\x8Dgue"},
      {"frequent", 2, "frequ\xC3\x89nt"},
      {"survey", 2, "surv\xC3\x89\xC3\x9D"},
      {"surveyed", 2,
       "surv\xC3\x89\xC3\x9D"
       "ed"},
      {"yard", 1, "y\xC3\x81rd"},
      {"interchange", 3, "interch\xC3\x81nge"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Utf16ToUtf8(MarkVowelGroup(c.Word, c.Group)), c.Marked) << c.Word;
  }
  EXPECT_THROW(MarkVowelGroup("record", 3), std::out_of_range);
  EXPECT_THROW(MarkVowelGroup("record", 0), std::out_of_range);
}

TEST(HeteronymTableTest, TheHandListIsCheckedLineByLine) {
  const std::vector<THeteronymListing> list = ReadHeteronymList(
      "# comment\nrecord\t1\t2\t-\tnoun\tcontext\n\nminute\t1\t1\t2\tnoun\tfixed\n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Stress, (std::array<int, 3>{1, 2, 0}));
  EXPECT_EQ(list[1].Decided, "fixed");
  const char* kBad[] = {
      "record\t1\t2\t-\tnoun\n",                                           // five fields
      "Record\t1\t2\t-\tnoun\tcontext\n",                                  // not a-z
      "record\tone\t2\t-\tnoun\tcontext\n",                                // no number
      "record\t0\t2\t-\tnoun\tcontext\n",                                  // group 0
      "record\t1\t2\t-\tadjective\tcontext\n",                             // default it lacks
      "record\t1\t2\t-\tnoun\tmaybe\n",                                    // unknown decision
      "record\t1\t2\t-\tnoun\tcontext\nrecord\t1\t2\t-\tnoun\tcontext\n",  // twice
  };
  for (const char* text : kBad) {
    EXPECT_THROW(ReadHeteronymList(text), std::runtime_error) << text;
  }
}

TEST(HeteronymTableTest, InflectedFormsAreTheSourcesOwnSpellings) {
  const std::vector<std::string> words = {"permits",  "permitted", "permitting", "record",
                                          "recorded", "recording", "records",    "refused",
                                          "refuses",  "refusing"};
  const struct {
    const char* Form;
    const char* Ending;
    const char* Inflected;
  } kCases[] = {
      {"record", "s", "records"},
      {"record", "ed", "recorded"},
      {"record", "ing", "recording"},
      {"permit", "ed", "permitted"},
      {"permit", "ing", "permitting"},
      {"refuse", "ed", "refused"},
      {"refuse", "ing", "refusing"},
      {"refuse", "s", "refuses"},
      {"export", "s", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(InflectedForm(c.Form, c.Ending, words), c.Inflected) << c.Form << " " << c.Ending;
  }
}

TEST(HeteronymTableTest, TheTableMarksEachReadingAndTellsWhereItCameFrom) {
  const TCmuSource source = ReadCmuSource(
      "{\n"
      "  \"export\": \"EH1 K S P AO0 R T\",\n"
      "  \"exported\": \"IH0 K S P AO1 R T AH0 D\",\n"
      "  \"exports\": \"EH1 K S P AO0 R T S\",\n"
      "  \"minute\": \"M IH1 N AH0 T\",\n"
      "  \"minute(2)\": \"M AY0 N UW1 T\",\n"
      "  \"minutes\": \"M IH1 N AH0 T S\",\n"
      "  \"record\": \"R AH0 K AO1 R D\",\n"
      "  \"record(2)\": \"R EH1 K ER0 D\",\n"
      "  \"recorded\": \"R AH0 K AO1 R D AH0 D\",\n"
      "  \"research\": \"R IY0 S ER1 CH\",\n"
      "  \"research(2)\": \"R IY1 S ER0 CH\"\n"
      "}\n");
  const THeteronymTable table =
      BuildHeteronymTable(ReadHeteronymList("export\t1\t2\t-\tnoun\tcontext\n"
                                            "minute\t1\t1\t2\tnoun\tcontext\n"
                                            "record\t1\t2\t-\tnoun\tcontext\n"),
                          source);
  std::vector<std::string> forms;
  for (const THeteronymLine& line : table.Lines) forms.push_back(line.Form);
  // minutes keeps one stress in both readings and is left to the dictionary.
  EXPECT_EQ(forms, (std::vector<std::string>{"export", "exported", "exports", "minute", "record",
                                             "recorded"}));
  EXPECT_EQ(table.FromCmu, 6u);
  EXPECT_EQ(table.ByHand, 1u) << "the verb export, which CMU stresses on the first syllable only";
  EXPECT_EQ(table.LeftOut, std::vector<std::string>{"research"});

  // The written table reads back into the engine's entries.
  const std::vector<THeteronym> entries = ParseHeteronymTable(EncodeHeteronymTable(table));
  ASSERT_EQ(entries.size(), table.Lines.size());
  EXPECT_EQ(entries[1].Form, u"exported");
  EXPECT_EQ(entries[1].Verb, u"exp\u00D3rted");
  EXPECT_EQ(entries[1].Decided, THeteronymDecided::Form);
  EXPECT_EQ(entries[3].Adjective, u"min\u00DAte");
  EXPECT_EQ(entries[4].Noun, u"r\u00C9cord");
  EXPECT_EQ(entries[4].Verb, u"rec\u00D3rd");
}

}  // namespace
}  // namespace lexipulse
