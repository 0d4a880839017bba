#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/Dictionary.h"
#include "engine/Notation.h"
#include "engine/NotationTable.h"
#include "engine/Resource.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

// Accented is run with the accents of its notation's letters put on.
std::u16string Accented(const std::u16string& run, const TRunNotation& notation) {
  std::u16string text = run;
  ApplyAccents(text, notation.Letters);
  return text;
}

class NotationStylesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
};

TEST(NotationLettersTest, AccentsAreThePrecomposedLettersInTheLettersOwnCase) {
  const struct {
    char16_t Letter;
    char16_t Acute;
    char16_t Grave;
  } kCases[] = {
      {u'a', u'\u00E1', u'\u00E0'}, {u'e', u'\u00E9', u'\u00E8'}, {u'i', u'\u00ED', u'\u00EC'},
      {u'o', u'\u00F3', u'\u00F2'}, {u'u', u'\u00FA', u'\u00F9'}, {u'y', u'\u00FD', u'\u1EF3'},
      {u'A', u'\u00C1', u'\u00C0'}, {u'E', u'\u00C9', u'\u00C8'}, {u'I', u'\u00CD', u'\u00CC'},
      {u'O', u'\u00D3', u'\u00D2'}, {u'U', u'\u00DA', u'\u00D9'}, {u'Y', u'\u00DD', u'\u1EF2'},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.Letter));
    EXPECT_EQ(MarkedLetter(c.Letter, TStressLevel::Primary), c.Acute);
    EXPECT_EQ(MarkedLetter(c.Letter, TStressLevel::Secondary), c.Grave);
    EXPECT_EQ(UnmarkedLetter(c.Acute), c.Letter);
    EXPECT_EQ(UnmarkedLetter(c.Grave), c.Letter);
  }
  // Consonants and letters the notation does not make stay as they are.
  for (const char16_t other : std::u16string(u"bZ\u00E2\u00EF\u00E4-")) {
    EXPECT_EQ(MarkedLetter(other, TStressLevel::Primary), other);
    EXPECT_EQ(UnmarkedLetter(other), other);
  }
}

TEST(NotationLettersTest, StressedLettersReadsAccentedCapitalsAndGraves) {
  EXPECT_EQ(
      StressedLetters(u"ph\u00F2togr\u00C1phic"),
      (std::vector<TStressedLetter>{{2, TStressLevel::Secondary}, {7, TStressLevel::Primary}}));
  EXPECT_EQ(StressedLetters(u"camer\u00D3\u00D3n"),
            (std::vector<TStressedLetter>{{5, TStressLevel::Primary}, {6, TStressLevel::Primary}}));
  // Lowercase acutes and rule capitals are not the display form's marks.
  EXPECT_TRUE(StressedLetters(u"caf\u00E9 STable").empty());
}

TEST(NotationLettersTest, LooksMonosyllabicCountsSpokenVowelGroups) {
  const struct {
    const char16_t* Word;
    bool One;
  } kCases[] = {
      {u"strength", true}, {u"stroke", true},  {u"strokes", true},  {u"jumped", true},
      {u"played", true},   {u"queen", true},   {u"yacht", true},    {u"rhythm", true},
      {u"table", false},   {u"horses", false}, {u"needed", false},  {u"agreed", false},
      {u"photo", false},   {u"yellow", false}, {u"changes", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(LooksMonosyllabic(c.Word), c.One) << Utf16ToUtf8(c.Word);
  }
}

TEST(NotationLettersTest, ForeignLettersBesideARunMakeItPartOfAWord) {
  EXPECT_TRUE(TouchesForeignLetter(u"", u"\u00EFve"));        // na|ïve
  EXPECT_TRUE(TouchesForeignLetter(u"\u00E9", u""));          // é|lan
  EXPECT_TRUE(TouchesForeignLetter(u"", u"\u0301 x"));        // cafe + combining acute
  EXPECT_FALSE(TouchesForeignLetter(u"\u201C", u"\u201D,"));  // typographic quotes
  EXPECT_FALSE(TouchesForeignLetter(u"(", u"),"));
  EXPECT_FALSE(TouchesForeignLetter(u"", u"\u00D7"));  // multiplication sign
}

TEST(NotationTableTest, ParsesLinesAndRefusesValuesThatSpellAnotherWord) {
  const TNotationTable table(
      "cafe=caf\xC3\x89\nphotographic=ph\xC3\xB2togr\xC3\x81phic\r\n\nday=day\n"
      "cafe=c\xC3\x81"
      "fe\n");
  // The first line of a key wins.
  EXPECT_EQ(table.Size(), 3u);
  EXPECT_EQ(table.Find(u"cafe").value_or(u"?"), u"caf\u00C9");
  EXPECT_EQ(table.Find(u"day").value_or(u"?"), u"day");
  EXPECT_FALSE(table.Find(u"caf").has_value());
  for (const char* bad : {"cafe\n", "cafe=cafx\n", "cafe=caf\n", "=\n", "Cafe=caf\xC3\x89\n"}) {
    EXPECT_THROW(TNotationTable{bad}, std::runtime_error) << bad;
  }
}

// The table's index is held to a scan of its lines: every key of the built-in tables, and
// words next to them (a letter more, a letter less, a letter changed), find what the first line
// of the word says, or nothing.
TEST(NotationTableTest, TheIndexFindsWhatAScanOfTheLinesFinds) {
  for (const char* name : {"STRESSLEVELS", "BRITISH"}) {
    SCOPED_TRACE(name);
    const std::string_view bytes = FindResource(name).value();
    const TNotationTable table(bytes);
    const std::u16string text = Utf8ToUtf16(bytes);
    std::map<std::u16string, std::u16string> scanned;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = text.find(u'\n', start);
      if (end == std::u16string::npos) end = text.size();
      std::u16string_view line(text.data() + start, end - start);
      if (line.ends_with(u'\r')) line.remove_suffix(1);
      start = end + 1;
      if (line.empty()) continue;
      const std::size_t equals = line.find(u'=');
      scanned.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    ASSERT_EQ(table.Size(), scanned.size());
    for (const auto& [key, value] : scanned) {
      for (const std::u16string& word :
           {key, key + u"s", key.substr(0, key.size() - 1), u"q" + key.substr(1)}) {
        const auto found = scanned.find(word);
        const std::optional<std::u16string_view> expected =
            found == scanned.end() ? std::nullopt
                                   : std::optional<std::u16string_view>(found->second);
        ASSERT_EQ(table.Find(word), expected) << Utf16ToUtf8(word);
      }
    }
  }
}

TEST(NotationTableTest, LookUpWithEndingTriesTheRadicalOfTheSuffixSplit) {
  const TNotationTable table("garage=g\xC3\x81rage\nballet=b\xC3\x81llet\n");
  EXPECT_EQ(LookUpWithEnding(table, u"garage").value_or(u"?"), u"g\u00C1rage");
  EXPECT_EQ(LookUpWithEnding(table, u"garages").value_or(u"?"), u"g\u00C1rages");
  EXPECT_EQ(LookUpWithEnding(table, u"ballets").value_or(u"?"), u"b\u00C1llets");
  EXPECT_FALSE(LookUpWithEnding(table, u"garages", false).has_value());
  EXPECT_FALSE(LookUpWithEnding(table, u"garageful").has_value());
  EXPECT_FALSE(LookUpWithEnding(table, u"photograph").has_value());
}

TEST(NotationTableTest, TheBuiltInTablesLoad) {
  EXPECT_GT(StressLevelsTable().Size(), 10000u);
  EXPECT_EQ(StressLevelsTable().Find(u"photographic").value_or(u"?"), u"ph\u00F2togr\u00C1phic");
  EXPECT_EQ(StressLevelsTable().Find(u"thought").value_or(u"?"), u"thought");
}

// What the accents style makes of one run, with and without secondary stress, and what the
// classic style shows.
TEST_F(NotationStylesTest, NoteRunMarksThePrimaryNucleusAndTheSecondaryStressAsAsked) {
  const TStressOptions accents{.Style = TNotationStyle::Accents};
  const TStressOptions before{.Style = TNotationStyle::Accents,
                              .Secondary = TSecondaryStress::BeforePrimary};
  const TStressOptions all{.Style = TNotationStyle::Accents, .Secondary = TSecondaryStress::All};
  const struct {
    const char16_t* Run;
    const char16_t* Accents;
    const char16_t* Before;
    const char16_t* All;
  } kCases[] = {
      // A rule's capitals on consonants: the vowel after them is the stressed one.
      {u"acceptable", u"acc\u00E9ptable", u"acc\u00E9ptable", u"acc\u00E9ptable"},
      {u"stable", u"st\u00E1ble", u"st\u00E1ble", u"st\u00E1ble"},
      {u"photographic", u"photogr\u00E1phic", u"ph\u00F2togr\u00E1phic", u"ph\u00F2togr\u00E1phic"},
      {u"photograph", u"ph\u00F3tograph", u"ph\u00F3tograph", u"ph\u00F3togr\u00E0ph"},
      {u"examination", u"examin\u00E1tion", u"ex\u00E0min\u00E1tion", u"ex\u00E0min\u00E1tion"},
      {u"understand", u"underst\u00E1nd", u"\u00F9nderst\u00E1nd", u"\u00F9nderst\u00E1nd"},
      // The nucleus alone: not the silent a of diamond or the u of guy's gu.
      {u"diamond", u"d\u00EDamond", u"d\u00EDamond", u"d\u00EDamond"},
      // One syllable: no mark, whatever the dictionary's form.
      {u"thought", u"thought", u"thought", u"thought"},
      {u"strengths", u"strengths", u"strengths", u"strengths"},
      {u"elephant", u"\u00E9lephant", u"\u00E9lephant", u"\u00E9lephant"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.Run));
    EXPECT_EQ(Utf16ToUtf8(Accented(c.Run, NoteRun(c.Run, accents))), Utf16ToUtf8(c.Accents));
    EXPECT_EQ(Utf16ToUtf8(Accented(c.Run, NoteRun(c.Run, before))), Utf16ToUtf8(c.Before));
    EXPECT_EQ(Utf16ToUtf8(Accented(c.Run, NoteRun(c.Run, all))), Utf16ToUtf8(c.All));
  }
}

TEST_F(NotationStylesTest, ClassicKeepsItsFormAndAddsSecondaryStressAsLowercaseGraves) {
  const struct {
    const char16_t* Run;
    TSecondaryStress Secondary;
    const char16_t* Classic;
  } kCases[] = {
      {u"photographic", TSecondaryStress::None, u"photogr\u00C1phic"},
      {u"photographic", TSecondaryStress::BeforePrimary, u"ph\u00F2togr\u00C1phic"},
      {u"photograph", TSecondaryStress::BeforePrimary, u"ph\u00D3tograph"},
      {u"photograph", TSecondaryStress::All, u"ph\u00D3togr\u00E0ph"},
      // The classic form keeps the dictionary's marks; only the graves are added.
      {u"diamond", TSecondaryStress::All, u"d\u00CD\u00C1mond"},
      {u"acceptable", TSecondaryStress::All, u"aCC\u00C9PTable"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.Run));
    const TRunNotation notation = NoteRun(c.Run, {.Secondary = c.Secondary});
    EXPECT_EQ(Utf16ToUtf8(notation.Classic), Utf16ToUtf8(c.Classic));
    EXPECT_FALSE(notation.British);
  }
  // With the default options nothing is looked up beyond the word record.
  EXPECT_TRUE(NoteRun(u"photographic", {}).Letters.empty());
}

}  // namespace
}  // namespace lexipulse
