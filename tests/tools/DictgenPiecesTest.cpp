#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "tools/CmuSource.h"
#include "tools/DictFormat.h"
#include "tools/DictionaryBuilder.h"

namespace lexipulse {
namespace {

TEST(CmuSourceTest, KeepsFirstPronunciationOfEligibleWordsOnly) {
  const TCmuSource source = ReadCmuSource(
      "export const dictionary = {\n"
      "  \"'bout\": \"B AW1 T\",\n"
      "  \"a\": \"AH0\",\n"
      "  \"a(2)\": \"EY1\",\n"
      "  \"a.d.\": \"EY2 D IY1\",\n"
      "  \"aalborg\": \"AO1 L B AO0 R G # place, danish\",\n"
      "  \"aalborg(2)\": \"AA1 L B AO0 R G\",\n"
      "  \"abc123\": \"EY1\",\n"
      "  \"carnegie-mellon\": \"K AA1 R\",\n"
      "  \"pneumonoultramicroscopic\": \"N UW1\",\n"
      "  \"zoo\": \"Z UW1\"\n"
      "}\n");
  ASSERT_EQ(source.Entries.size(), 2u);
  EXPECT_EQ(source.Entries[0].Word, "aalborg");
  EXPECT_EQ(source.Entries[0].Phonemes,
            (std::vector<std::string>{"AO1", "L", "B", "AO0", "R", "G"}));
  EXPECT_EQ(source.Entries[1].Word, "zoo");
  EXPECT_EQ(source.Skipped.at("later pronunciation of a word"), 2u);
  EXPECT_EQ(source.Skipped.at("not letters a-z only"), 4u);
  EXPECT_EQ(source.Skipped.at("fewer than 2 or more than 21 letters"), 2u);
  // Later pronunciations stay aside for the tools that compare readings.
  ASSERT_EQ(source.Later.size(), 2u);
  EXPECT_EQ(source.Later.at("a"), (std::vector<std::vector<std::string>>{{"EY1"}}));
  EXPECT_EQ(source.Later.at("aalborg").at(0).front(), "AA1");
}

TEST(CmuSourceTest, RefusesMemberLinesItCannotRead) {
  const char* const broken[] = {
      "  \"abc\": AH0,\n",                       // value not quoted
      "  \"abc\" \"AH0\",\n",                    // no colon
      "  \"abc\": \"AH0\n",                      // unterminated
      "  \"abc\": \"\",\n",                      // no phonemes
      "  \"abc\": \"A\\\"H0\",\n",               // escape
      "  \"abc\": \"ah0\",\n",                   // lowercase phoneme
      "  \"ab\": \"AH0\",\n  \"ab\": \"B\",\n",  // the same word twice
  };
  for (const char* text : broken) {
    EXPECT_THROW(ReadCmuSource(text), std::runtime_error) << text;
  }
}

// The generator must split a word exactly where the program's SplitWord splits it, or the stem
// keys it writes would never be looked up. Known splits first, then every ASCII key of the
// embedded dictionary (words and stems of every shape).
TEST(SplitEndingTest, SplitsAsTheProgramDoes) {
  struct TCase {
    const char* Word;
    const char* Radical;
    const char* Ending;
  };
  const TCase cases[] = {
      {"developed", "develop", "ed"},   {"customers", "customer", "s"},
      {"reportedly", "reported", "ly"}, {"bring", "br", "ing"},
      {"final", "fin", "al"},           {"sing", "sing", ""},
      {"examine", "examine", ""},       {"secondary", "second", "ary"},
      {"auxiliary", "auxili", "ary"},   {"cities", "citie", "s"},
  };
  const auto expectAsTheProgram = [](const std::string& word) {
    TWordToStress record(std::u16string(word.begin(), word.end()));
    record.SplitWord();
    const auto [radical, ending] = SplitEnding(word);
    EXPECT_EQ(std::u16string(radical.begin(), radical.end()), record.Radical()) << word;
    EXPECT_EQ(std::u16string(ending.begin(), ending.end()), record.Ending()) << word;
  };
  for (const TCase& c : cases) {
    const auto [radical, ending] = SplitEnding(c.Word);
    EXPECT_EQ(radical, c.Radical) << c.Word;
    EXPECT_EQ(ending, c.Ending) << c.Word;
    expectAsTheProgram(c.Word);
  }
  LoadDictionary();
  std::size_t compared = 0;
  for (const std::u16string& line : Dictionary) {
    const std::u16string key = line.substr(0, line.find(u'='));
    if (std::ranges::all_of(key, [](char16_t c) { return c < 0x80; })) {
      expectAsTheProgram(std::string(key.begin(), key.end()));
      ++compared;
    }
  }
  EXPECT_GT(compared, std::size_t{100000}) << "the embedded dictionary was compared";
  FreeDictionary();
}

TEST(BuildDictionaryTest, AddsStemKeysAndResolvesCollisionsByMajorityThenFirstWord) {
  const std::vector<TMarkedWord> words = {
      {"abdicated", u"\u00C1bdicated"},
      {"abdicating", u"\u00C1bdicating"},
      // Two words mark "admir" one way, one the other: the majority wins.
      {"admiral", u"\u00C1dmiral"},
      {"admired", u"adm\u00CDred"},
      {"admiring", u"adm\u00CDring"},
      // One word each: the tie goes to the word first in byte order.
      {"gamal", u"gam\u00C1l"},
      {"gaming", u"g\u00C1ming"},
      // The radical "accent" is a word of its own, so its own line stands.
      {"accent", u"\u00C1ccent"},
      {"accented", u"acc\u00C9nted"},
      {"city", u"c\u00CDty"},
      {"cities", u"c\u00CDties"},
  };
  const TBuiltDictionary built = BuildDictionary(words);
  std::vector<std::string> keys;
  std::map<std::string, std::u16string> values;
  for (const TDictionaryLine& line : built.Lines) {
    keys.push_back(line.Key);
    values[line.Key] = line.Value;
  }
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
  EXPECT_EQ(built.WordKeys, words.size());
  EXPECT_EQ(values.at("abdicat"), u"\u00C1bdicat");
  EXPECT_EQ(values.at("admir"), u"adm\u00CDr");
  EXPECT_EQ(values.at("gam"), u"gam");
  EXPECT_EQ(values.at("accent"), u"\u00C1ccent");
  EXPECT_EQ(values.at("citie"), u"c\u00CDtie");
  EXPECT_EQ(built.StemKeys, 4u);
  EXPECT_EQ(built.Collisions.size(), 2u);
}

TEST(DictFormatTest, LineProblemNamesEveryBrokenRule) {
  struct TCase {
    std::u16string Line;
    bool WellFormed;
  };
  const TCase cases[] = {
      {u"about=ab\u00D3\u00DAt", true},
      {u"infra=infra", true},
      {u"zymotic=zym\u00D3tic", true},
      {u"aa=\u00C1\u00C1", true},
      {u"a=\u00C1", false},                                       // key too short
      {u"abcdefghijklmnopqrstuv=abcdefghijklmnopqrstuv", false},  // 22 letters
      {u"about", false},                                          // no '='
      {u"about=ab=out", false},                                   // two '='
      {u"About=ab\u00D3\u00DAt", false},                          // capital in key
      {u"coon=racc\u00D3\u00D3n", false},                         // not the key's letters
      {u"facade=fa[,c]\u00C1de", false},                          // brackets
      {u"family=n\u00C1tural f\u00C1mily", false},                // phrase
      {u"about=abOUt", false},                                    // ASCII capitals
      {u"about=", false},                                         // empty value
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(LineProblem(c.Line).empty(), c.WellFormed)
        << std::string(c.Line.begin(), c.Line.end()) << ": " << LineProblem(c.Line);
  }
}

TEST(DictFormatTest, EncodesWindows1252WithCrLfBetweenLinesOnlyAndDecodesBack) {
  const std::vector<TDictionaryLine> lines = {{"about", u"ab\u00D3\u00DAt"},
                                              {"rhythm", u"rh\u00DDthm"}};
  const std::string bytes = EncodeDictionary(lines);
  EXPECT_EQ(bytes, "about=ab\xD3\xDAt\r\nrhythm=rh\xDDthm");
  EXPECT_EQ(DecodeDictionary(bytes),
            (std::vector<std::u16string>{u"about=ab\u00D3\u00DAt", u"rhythm=rh\u00DDthm"}));
  EXPECT_THROW(EncodeDictionary({{"caf", u"caf\u00E9"}}), std::invalid_argument);
  EXPECT_THROW(DecodeDictionary("a=b\nc=d"), std::invalid_argument);
  EXPECT_THROW(DecodeDictionary("a=b\rc=d"), std::invalid_argument);
  EXPECT_THROW(DecodeDictionary("caf=caf\xE9"), std::invalid_argument);
}

TEST(DictFormatTest, DataProblemsCatchOrderAndDuplicates) {
  EXPECT_TRUE(DataProblems({u"ab=\u00C1b", u"abc=abc"}).empty());
  EXPECT_EQ(DataProblems({u"abc=abc", u"ab=ab"}).size(), 1u);
  EXPECT_EQ(DataProblems({u"ab=ab", u"ab=\u00C1b"}).size(), 1u);
  EXPECT_EQ(DataProblems({u"ab=ab", u"x", u"ac=ac"}).size(), 1u);
}

}  // namespace
}  // namespace lexipulse
