#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/Dictionary.h"
#include "engine/Resource.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Pattern.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

using TLines = std::vector<std::u16string>;

// Every test here changes the process-wide dictionary; it is put back.
class DictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override { _SavedDictionary = Dictionary; }
  void TearDown() override { SetDictionaryLines(_SavedDictionary); }

 private:
  TLines _SavedDictionary;
};

std::string Name(const std::u16string& word) { return "word \"" + Utf16ToUtf8(word) + "\""; }

struct TLookupCase {
  std::u16string Word;
  std::u16string Expected;
};

const TLines kSmallDictionary = {
    u"aerialness=\u00C1\u00C9rialness",
    u"final=f\u00CDnal",
    u"final=fin\u00C1l",
    u"FAMILY=n\u00C1tural f\u00C1mily",
    u"family=f\u00C1mily",
    u"facade=fa[,c]\u00C1de",
    u"pop=s\u00D3da pop",
    u"quip=\"q\"u\u00CDp",
    u"r2d2=r2d2 unit",
    u"snake_case=sn\u00C1ke",
    u"zymotic=zym\u00D3tic",
};

const std::vector<TLookupCase> kSmallDictionaryCases = {
    {u"aerialness", u"\u00C1\u00C9rialness"},
    {u"final", u"f\u00CDnal"},
    {u"FINAL", u"f\u00CDnal"},
    {u"Final", u"f\u00CDnal"},
    {u"family", u"n\u00C1tural f\u00C1mily"},
    {u"facade", u"fa[,c]\u00C1de"},
    {u"pop", u"s\u00D3da pop"},
    {u"quip", u"`q`u\u00CDp"},
    {u"R2D2", u"r2d2 unit"},
    {u"snake_case", u"sn\u00C1ke"},
    {u"zymotic", u"zym\u00D3tic"},
    {u"fin", u"fin"},
    {u"fina", u"fina"},
    {u"finals", u"finals"},
    {u"nal", u"nal"},
    {u"case", u"case"},
    {u"unit", u"unit"},
};

enum class TLookupPath { Index, ScanFallback, Literal };

class LookupPathTest : public DictionaryTest, public ::testing::WithParamInterface<TLookupPath> {
 protected:
  // InstallDictionary installs the lines so that lookups take the path under test.
  void InstallDictionary(TLines lines) {
    if (GetParam() == TLookupPath::ScanFallback) {
      // A key with a hyphen breaks the index's properties without changing the cases looked up.
      lines.push_back(u"zz-top=zz t\u00D3p");
    }
    SetDictionaryLines(std::move(lines));
    ASSERT_EQ(DictionaryIndexed(), GetParam() != TLookupPath::ScanFallback);
  }
  // Literal is whether the lookups under test ask for the literal path.
  bool Literal() const { return GetParam() == TLookupPath::Literal; }
};

TEST_P(LookupPathTest, FindsTheFirstLineWhoseKeyEqualsTheWord) {
  InstallDictionary(kSmallDictionary);
  for (const auto& c : kSmallDictionaryCases) {
    EXPECT_EQ(LookUpDictionary(c.Word, Literal()), c.Expected) << Name(c.Word);
    // The scan is the reference behaviour, whatever path the lookup takes.
    EXPECT_EQ(ScanDictionary(c.Word), c.Expected) << Name(c.Word);
  }
}

TEST_P(LookupPathTest, EmptyDictionaryGivesTheWordBack) {
  InstallDictionary({});
  for (const std::u16string word : {u"final", u"a", u"x_1"}) {
    EXPECT_EQ(LookUpDictionary(word, Literal()), word) << Name(word);
  }
}

// Texts that are not runs of word characters would be read as pattern syntax by the scan
// ("a(" does not compile) or match inside a line (the empty word finds the first value).
TEST_P(LookupPathTest, TextsThatAreNotWordsComeBackUnchanged) {
  InstallDictionary({u"abc=FIRST", u"x=X"});
  for (const std::u16string word :
       {u"", u"a(", u".*", u"\\w+", u"a|x", u"abc=", u"x ", u" x", u"x\u00E9", u"x\u2028"}) {
    EXPECT_EQ(LookUpDictionary(word, Literal()), word) << Name(word);
    EXPECT_EQ(ScanDictionary(word), word) << Name(word);
  }
}

INSTANTIATE_TEST_SUITE_P(AllPaths, LookupPathTest,
                         ::testing::Values(TLookupPath::Index, TLookupPath::ScanFallback,
                                           TLookupPath::Literal),
                         [](const auto& info) {
                           switch (info.param) {
                             case TLookupPath::Index:
                               return "Index";
                             case TLookupPath::ScanFallback:
                               return "ScanFallback";
                             case TLookupPath::Literal:
                               return "Literal";
                           }
                           return "Unknown";
                         });

// A scan builds its pattern from the word looked up; those patterns must not pile up in the
// cache of compiled fixed patterns, however many distinct words are looked up.
TEST_F(DictionaryTest, ScansKeepNoCompiledPatternOfTheirOwn) {
  SetDictionaryLines({u"ab-cd=HYPHEN", u"final=f\u00CDnal"});
  ASSERT_FALSE(DictionaryIndexed());
  EXPECT_EQ(LookUpDictionary(u"final"), u"f\u00CDnal");
  const std::size_t cached = TPattern::SharedCodeCount();
  for (int i = 0; i < 2000; ++i) {
    const std::u16string word = u"word" + Utf8ToUtf16(std::to_string(i));
    EXPECT_EQ(LookUpDictionary(word), word);
  }
  EXPECT_EQ(TPattern::SharedCodeCount(), cached);
}

struct TUnindexableCase {
  const char* Name;
  TLines Lines;
  std::u16string Word;
  std::u16string Expected;
};

// Each dictionary breaks one property the index relies on; the lookup must then give what the
// scan finds, which here differs from what an index of first lines would give.
TEST_F(DictionaryTest, DataThatBreaksTheIndexPropertiesIsScanned) {
  const std::vector<TUnindexableCase> cases = {
      {"key with a hyphen", {u"ab-cd=HYPHEN"}, u"cd", u"HYPHEN"},
      {"key with a space", {u"ab cd=SPACE"}, u"cd", u"SPACE"},
      {"key with a letter outside ASCII", {u"\u00C9caf=CAFE"}, u"caf", u"CAFE"},
      {"value with a second equals sign", {u"ab=cd=EQUALS"}, u"cd", u"EQUALS"},
      {"value with a second equals sign found by key", {u"ab=cd=x"}, u"ab", u"cd=x"},
      {"empty value", {u"ab=", u"ab=SECOND"}, u"ab", u"SECOND"},
      {"line separator in a value", {u"ab=x\u2028y"}, u"ab", u"x"},
      {"vertical tab in a value", {u"ab=x\u000By"}, u"ab", u"x"},
      {"form feed in a value", {u"ab=x\u000Cy"}, u"ab", u"x"},
      {"next line in a value", {u"ab=x\u0085y"}, u"ab", u"x"},
      {"paragraph separator in a key", {u"ab\u2029cd=P"}, u"cd", u"P"},
      {"line feed inside a line", {u"xy=1\ncd=LF"}, u"cd", u"LF"},
      {"line without an equals sign", {u"cd", u"cd=SECOND"}, u"cd", u"SECOND"},
      {"empty key", {u"=x", u"cd=SECOND"}, u"cd", u"SECOND"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const bool literal : {false, true}) {
      SetDictionaryLines(c.Lines);
      EXPECT_FALSE(DictionaryIndexed());
      EXPECT_EQ(LookUpDictionary(c.Word, literal), c.Expected) << "literal " << literal;
    }
  }
}

TEST_F(DictionaryTest, KeysOfWordCharactersAreIndexed) {
  SetDictionaryLines({u"abc=x", u"A_1=y", u"007=z", u"Mixed=\u00C1 [^\u00C9] -/~,"});
  EXPECT_TRUE(DictionaryIndexed());
  const std::optional<std::u16string_view> value = FindIndexedValue(u"MIXED");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, u"\u00C1 [^\u00C9] -/~,");
  EXPECT_FALSE(FindIndexedValue(u"mixe").has_value());
}

TEST_F(DictionaryTest, FreeDictionaryEmptiesTheList) {
  SetDictionaryLines(kSmallDictionary);
  FreeDictionary();
  EXPECT_TRUE(Dictionary.empty());
  EXPECT_EQ(LookUpDictionary(u"final"), u"final");
  EXPECT_EQ(ScanDictionary(u"final"), u"final");
}

struct TLoadCase {
  const char* Name;
  std::string_view Bytes;
  TLines Lines;
};

TEST_F(DictionaryTest, LoaderDecodesAndSplitsLines) {
  using namespace std::string_view_literals;
  const std::vector<TLoadCase> cases = {
      {"empty", ""sv, {}},
      {"CR LF", "a=b\r\nc=d"sv, {u"a=b", u"c=d"}},
      {"lone CR", "a=b\rc=d"sv, {u"a=b", u"c=d"}},
      {"lone LF", "a=b\nc=d"sv, {u"a=b", u"c=d"}},
      {"LF CR is two breaks", "a=b\n\rc=d"sv, {u"a=b", u"", u"c=d"}},
      {"CR CR LF", "a=b\r\r\nc=d"sv, {u"a=b", u"", u"c=d"}},
      {"final CR LF adds no line", "a=b\r\n"sv, {u"a=b"}},
      {"final lone CR adds no line", "a=b\r"sv, {u"a=b"}},
      {"two final breaks add one empty line", "a=b\n\n"sv, {u"a=b", u""}},
      {"only a break", "\r\n"sv, {u""}},
      {"NUL ends the text", "a=b\r\nc=d\0e=f\r\n"sv, {u"a=b", u"c=d"}},
      {"NUL right after a break", "a=b\r\n\0junk"sv, {u"a=b"}},
      {"NUL first", "\0a=b"sv, {}},
      {"Windows-1252 accents",
       "abc=\xC1\x62\xC9\xCD\xD3\xDA\xDD"sv,
       {u"abc=\u00C1b\u00C9\u00CD\u00D3\u00DA\u00DD"}},
      {"Windows-1252 0x80-0x9F",
       "k=\x80\x81\x85\x8D\x8F\x90\x92\x9D\x9F"sv,
       {u"k=\u20AC\u0081\u2026\u008D\u008F\u0090\u2019\u009D\u0178"}},
      {"UTF-8 bytes without a mark are Windows-1252", "k=\xC3\x81"sv, {u"k=\u00C3\u0081"}},
      {"UTF-8 mark", "\xEF\xBB\xBFk=\xC3\x81\r\nz=\xE2\x82\xAC"sv, {u"k=\u00C1", u"z=\u20AC"}},
      {"UTF-8 mark and NUL", "\xEF\xBB\xBFk=v\0\xFF"sv, {u"k=v"}},
      {"UTF-16 LE mark",
       "\xFF\xFEk\0=\0\xC1\0\r\0\n\0z\0=\0\xAC\x20"sv,
       {u"k=\u00C1", u"z=\u20AC"}},
      {"UTF-16 BE mark", "\xFE\xFF\0k\0=\0\xC1\0\n\x20\xAC"sv, {u"k=\u00C1", u"\u20AC"}},
      {"UTF-16 surrogate pair", "\xFF\xFEk\0=\0\x3D\xD8\x00\xDE"sv, {u"k=\U0001F600"}},
      {"UTF-16 NUL", "\xFF\xFEk\0\0\0\xFF"sv, {u"k"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    LoadDictionaryFromBytes(c.Bytes);
    EXPECT_EQ(Dictionary, c.Lines);
  }
}

TEST_F(DictionaryTest, EveryWindows1252ByteGivesOneCharacter) {
  for (int byte = 1; byte < 256; ++byte) {
    if (byte == '\r' || byte == '\n') {
      continue;
    }
    LoadDictionaryFromBytes(std::string("k=") + static_cast<char>(byte));
    ASSERT_EQ(Dictionary.size(), 1u) << "byte " << byte;
    ASSERT_EQ(Dictionary[0].size(), 3u) << "byte " << byte;
    const char16_t decoded = Dictionary[0][2];
    if (byte < 0x80 || byte > 0x9F) {
      EXPECT_EQ(decoded, byte) << "byte " << byte;
    } else {
      // The defined bytes of this range decode outside Latin-1; the undefined five keep
      // their value.
      const bool undefined =
          byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
      EXPECT_EQ(decoded == byte, undefined) << "byte " << byte;
    }
  }
}

TEST_F(DictionaryTest, LoadedLinesAreLookedUpWithoutTheirBreaks) {
  LoadDictionaryFromBytes(
      "final=f\xCDnal\r\nfinal=fin\xC1l\r\nquip=\"q\"uip\r\nzymotic=zym\xD3tic");
  ASSERT_TRUE(DictionaryIndexed());
  const std::vector<TLookupCase> cases = {
      {u"final", u"f\u00CDnal"}, {u"quip", u"`q`uip"}, {u"zymotic", u"zym\u00D3tic"}};
  for (const auto& c : cases) {
    EXPECT_EQ(LookUpDictionary(c.Word), c.Expected) << Name(c.Word);
    EXPECT_EQ(ScanDictionary(c.Word), c.Expected) << Name(c.Word);
  }
}

struct TBadDataCase {
  const char* Name;
  std::string_view Bytes;
};

TEST_F(DictionaryTest, UndecodableDataIsRefusedAndTheListKept) {
  using namespace std::string_view_literals;
  const std::vector<TBadDataCase> cases = {
      {"UTF-8 with a stray continuation byte", "\xEF\xBB\xBFk=\x81"sv},
      {"UTF-8 with a Windows-1252 accent", "\xEF\xBB\xBFk=\xC1\r\n"sv},
      {"UTF-8 with an encoded surrogate", "\xEF\xBB\xBFk=\xED\xA0\x80"sv},
      {"UTF-16 with an odd byte at the end", "\xFF\xFEk\0=\0v"sv},
      {"UTF-16 with a lone high surrogate", "\xFF\xFEk\0=\0\x3D\xD8v\0"sv},
      {"UTF-16 with a lone low surrogate", "\xFE\xFF\xDE\x00"sv},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    SetDictionaryLines(kSmallDictionary);
    EXPECT_THROW(LoadDictionaryFromBytes(c.Bytes), std::runtime_error);
    EXPECT_EQ(Dictionary, kSmallDictionary);
    EXPECT_EQ(LookUpDictionary(u"final"), u"f\u00CDnal");
  }
}

TEST_F(DictionaryTest, UnknownResourceIsReportedByName) {
  SetDictionaryLines(kSmallDictionary);
  for (const std::string name : {"NOPE", "X", ""}) {
    try {
      LoadDictionary(name);
      ADD_FAILURE() << "no error for resource \"" << name << "\"";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), ("Resource " + name + " not found").c_str());
    }
    EXPECT_EQ(Dictionary, kSmallDictionary);
  }
}

TEST_F(DictionaryTest, EmbeddedDictionaryLoadsWithItsIndex) {
  const auto bytes = FindResource("DICT");
  ASSERT_TRUE(bytes.has_value());
  ASSERT_FALSE(bytes->empty());
  LoadDictionary();
  ASSERT_GT(Dictionary.size(), 2u);
  EXPECT_TRUE(DictionaryIndexed());
  // The first line, a line from the middle and the last line (which has no line break in the
  // data) are found whole by the index and by the scan alike, whatever the case of the word.
  for (const std::u16string& line :
       {Dictionary.front(), Dictionary[Dictionary.size() / 2], Dictionary.back()}) {
    const auto equals = line.find(u'=');
    ASSERT_NE(equals, std::u16string::npos) << Name(line);
    const std::u16string key = line.substr(0, equals);
    const std::u16string value = line.substr(equals + 1);
    EXPECT_EQ(LookUpDictionary(key), value) << Name(key);
    EXPECT_EQ(LookUpDictionary(AsciiUpperCase(key)), value) << Name(key);
    EXPECT_EQ(ScanDictionary(key), value) << Name(key);
  }
  EXPECT_EQ(LookUpDictionary(u"abdicat"), u"\u00C1bdicat");
  EXPECT_EQ(LookUpDictionary(u"qqzxv"), u"qqzxv");
  EXPECT_EQ(ScanDictionary(u"qqzxv"), u"qqzxv");
}

// The index against the scan over the whole embedded data. Every key is looked up through the
// index and checked against the first line of that key found by walking the list in order (the
// scan's meaning, in one pass); the scan itself answers for every key that occurs more than
// once, and for a spread of the others, in both cases of the word.
TEST_F(DictionaryTest, EmbeddedIndexAnswersAsTheScanForEveryKey) {
  LoadDictionary();
  ASSERT_TRUE(DictionaryIndexed());
  std::unordered_map<std::u16string, std::u16string> firstValue;
  std::unordered_map<std::u16string, int> occurrences;
  for (const std::u16string& line : Dictionary) {
    const auto equals = line.find(u'=');
    ASSERT_NE(equals, std::u16string::npos) << Name(line);
    const std::u16string key = AsciiLowerCase(line.substr(0, equals));
    firstValue.try_emplace(key, line.substr(equals + 1));
    ++occurrences[key];
  }
  std::size_t scanned = 0;
  std::size_t position = 0;
  for (const auto& [key, value] : firstValue) {
    ASSERT_EQ(LookUpDictionary(key), value) << Name(key);
    if (occurrences[key] > 1 || position++ % 97 == 0) {
      ASSERT_EQ(ScanDictionary(key), value) << Name(key);
      ASSERT_EQ(ScanDictionary(AsciiUpperCase(key)), value) << Name(key);
      ++scanned;
    }
  }
  EXPECT_GT(scanned, firstValue.size() / 100);
}

}  // namespace
}  // namespace lexipulse
