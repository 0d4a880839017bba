#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Delimited.h"
#include "app/QuietHost.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "engine/Dictionary.h"
#include "engine/Notation.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"
#include "tests/support/WordCorpus.h"

namespace lexipulse {
namespace {

// ReferenceClassic is the classic result written out step by step: each item up to the last
// long one of its paragraph lowercased, the first word-character run of a long item replaced
// by the display form of the word record.
std::u16string ReferenceClassic(const std::u16string& source) {
  std::vector<std::u16string> paragraphs = SplitDelimited(source, u'\n');
  for (std::u16string& paragraph : paragraphs) {
    std::vector<std::u16string> items = SplitDelimited(paragraph, u' ');
    std::optional<std::size_t> lastLong;
    for (std::size_t q = 0; q < items.size(); ++q) {
      if (items[q].size() > kShortItemLength) lastLong = q;
    }
    if (!lastLong) continue;
    for (std::size_t q = 0; q <= *lastLong; ++q) {
      items[q] = AsciiLowerCase(items[q]);
      if (items[q].size() <= kShortItemLength) continue;
      const std::optional<TWordRun> found = FindWordRun(items[q], false);
      if (!found) continue;
      TWordToStress word(found->Run);
      word.Process();
      items[q] = found->Left + CapitalsToAccents(word.WordStressed()) + found->Right;
    }
    paragraph = JoinDelimited(items, u' ');
  }
  return JoinDelimited(paragraphs, u'\n');
}

// GeneratedProse is lines of dictionary words and others in every case, with punctuation,
// quotes, digits, accented letters and runs of spaces, the same for every run.
std::u16string GeneratedProse(std::size_t words) {
  const std::vector<std::u16string> keys = DictionaryKeys(Dictionary);
  const std::u16string kExtras[] = {u"caf\u00E9",
                                    u"na\u00EFve",
                                    u"\u00E9lan",
                                    u"fianc\u00E9e",
                                    u"cafe\u0301",
                                    u"1998,",
                                    u"well-known",
                                    u"it's,",
                                    u"\"Quoted\"",
                                    u"(hello),",
                                    u"\u2021x\u2021",
                                    u"-----",
                                    u"R\u00E9SUM\u00C9",
                                    u"\u201CPhotograph\u201D",
                                    u"a\tb"};
  TCorpusRandom random(15);
  std::u16string text;
  for (std::size_t n = 0; n < words; ++n) {
    std::u16string word;
    if (random.Below(8) == 0) {
      word = kExtras[random.Below(std::size(kExtras))];
    } else {
      word = keys[random.Below(keys.size())];
      switch (random.Below(4)) {
        case 0:
          word = AsciiUpperCase(word);
          break;
        case 1:
          word[0] = AsciiUpperCase(word.substr(0, 1))[0];
          break;
        default:
          break;
      }
      if (random.Below(5) == 0) word += std::u16string(1, u".,;:!?"[random.Below(6)]);
    }
    text += word;
    const std::size_t gap = random.Below(12);
    text += gap == 0 ? u"\r\n" : gap == 1 ? u"  " : gap == 2 ? u"\r\n\r\n" : u" ";
  }
  return text;
}

class NotationPropertyTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }

  static std::vector<std::pair<const char*, std::u16string>> Texts() {
    return {
        {"sample", SampleText()},
        {"generated prose", GeneratedProse(6000)},
        {"worked example", u"Big  ELEPHANT,\r\n\r\nI am OK"},
        {"rule capitals and case", u"ACCEPTABLE Acceptable acceptable STABLE Cameroon ELEPHANT"},
        {"short words after the last long one", u"Big ELEPHANT and ME\r\nWord\r\nWord"},
        {"accented letters already there",
         u"Caf\u00E9 na\u00EFve \u00C9LAN fianc\u00E9e cafe\u0301s r\u00E9sum\u00E9s"},
        {"punctuation around runs", u"well-known it's, (hello), 1998, Snake_Case -----"},
    };
  }
};

TEST_F(NotationPropertyTest, ClassicIsTheStepByStepResult) {
  const TStressOptions classic{.Style = TNotationStyle::Classic,
                               .Secondary = TSecondaryStress::None,
                               .Variant = TVariant::American};
  for (const auto& [name, source] : Texts()) {
    SCOPED_TRACE(name);
    TFinalParagraphsHost host;
    StressSourceText(source, host, classic);
    EXPECT_EQ(JoinDelimited(host.Paragraphs, u'\n'), ReferenceClassic(source));
    for (const auto& letters : host.Letters) EXPECT_TRUE(letters.empty());
  }
}

// The accents style changes the text only where it notes a stressed letter, and there only by
// the accent of that letter's level on an ASCII vowel letter, so removing the accents gives
// the input back; the highlight style gives the input back as it is, with the same letters.
TEST_F(NotationPropertyTest, AccentsAndHighlightGiveTheInputBackOnceTheMarksAreRemoved) {
  for (const TSecondaryStress secondary :
       {TSecondaryStress::None, TSecondaryStress::BeforePrimary, TSecondaryStress::All}) {
    for (const TVariant variant : {TVariant::American, TVariant::British}) {
      for (const auto& [name, source] : Texts()) {
        SCOPED_TRACE(std::string(name) + ", secondary " + std::to_string(int(secondary)) +
                     ", variant " + std::to_string(int(variant)));
        const std::vector<std::u16string> input = SplitDelimited(source, u'\n');
        TFinalParagraphsHost accents;
        StressSourceText(
            source, accents,
            {.Style = TNotationStyle::Accents, .Secondary = secondary, .Variant = variant});
        TFinalParagraphsHost highlight;
        StressSourceText(
            source, highlight,
            {.Style = TNotationStyle::Highlight, .Secondary = secondary, .Variant = variant});
        ASSERT_EQ(accents.Paragraphs.size(), input.size());
        EXPECT_EQ(highlight.Paragraphs, input);
        EXPECT_EQ(highlight.Letters, accents.Letters);
        std::size_t marked = 0;
        for (std::size_t p = 0; p < input.size(); ++p) {
          const std::u16string& in = input[p];
          std::u16string out = accents.Paragraphs[p];
          ASSERT_EQ(out.size(), in.size()) << Utf16ToUtf8(in);
          for (const TStressedLetter& letter : accents.Letters[p]) {
            ASSERT_LT(letter.Position, in.size());
            const char16_t typed = in[letter.Position];
            ASSERT_NE(std::u16string_view(u"aeiouyAEIOUY").find(typed), std::u16string_view::npos)
                << Utf16ToUtf8(in) << " at " << letter.Position;
            EXPECT_EQ(out[letter.Position], MarkedLetter(typed, letter.Level));
            out[letter.Position] = UnmarkedLetter(out[letter.Position]);
            ++marked;
          }
          EXPECT_EQ(Utf16ToUtf8(out), Utf16ToUtf8(in));
        }
        if (std::string_view(name) != "punctuation around runs" &&
            std::string_view(name) != "accented letters already there") {
          EXPECT_GT(marked, 0u);
        }
      }
    }
  }
}

// The pipeline reads the items of a paragraph in place, finds their runs by a scan and keeps
// the notations in a cache; item by item through NoteItem, with the pattern and no cache, the
// result is the same text and the same letters.
TEST_F(NotationPropertyTest, StylesReadInPlaceGiveTheItemByItemResult) {
  const std::u16string source = GeneratedProse(30000);
  const std::vector<std::u16string> input = SplitDelimited(source, u'\n');
  const TStressOptions kOptions[] = {
      {.Style = TNotationStyle::Accents},
      {.Style = TNotationStyle::Highlight, .Secondary = TSecondaryStress::All},
      {.Order = TStressingOrder::DictionaryFirst,
       .Style = TNotationStyle::Accents,
       .Secondary = TSecondaryStress::BeforePrimary,
       .Variant = TVariant::British,
       .Heteronyms = false},
  };
  for (const TStressOptions& options : kOptions) {
    SCOPED_TRACE("style " + std::to_string(int(options.Style)));
    TFinalParagraphsHost host;
    StressSourceText(source, host, options);
    ASSERT_EQ(host.Paragraphs.size(), input.size());
    for (std::size_t p = 0; p < input.size(); ++p) {
      std::vector<std::u16string> items = SplitDelimited(input[p], u' ');
      std::vector<TStressedLetter> letters;
      std::size_t offset = 0;
      for (std::u16string& item : items) {
        const TNotedItem noted = NoteItem(item, options);
        for (const TStressedLetter& letter : noted.Letters) {
          letters.push_back({offset + letter.Position, letter.Level});
        }
        offset += item.size() + 1;
        item = noted.Text;
      }
      ASSERT_EQ(Utf16ToUtf8(host.Paragraphs[p]), Utf16ToUtf8(JoinDelimited(items, u' ')));
      ASSERT_EQ(host.Letters[p], letters) << Utf16ToUtf8(input[p]);
    }
  }
}

// Secondary stress in the classic style only turns plain vowel letters of the classic result
// into their lowercase grave letters.
TEST_F(NotationPropertyTest, ClassicSecondaryStressOnlyAddsGraves) {
  for (const auto& [name, source] : Texts()) {
    SCOPED_TRACE(name);
    TFinalParagraphsHost classic;
    StressSourceText(source, classic, {});
    TFinalParagraphsHost secondary;
    StressSourceText(source, secondary, {.Secondary = TSecondaryStress::All});
    ASSERT_EQ(secondary.Paragraphs.size(), classic.Paragraphs.size());
    std::size_t graves = 0;
    for (std::size_t p = 0; p < classic.Paragraphs.size(); ++p) {
      const std::u16string& before = classic.Paragraphs[p];
      const std::u16string& after = secondary.Paragraphs[p];
      ASSERT_EQ(after.size(), before.size());
      for (std::size_t i = 0; i < before.size(); ++i) {
        if (after[i] == before[i]) continue;
        EXPECT_EQ(after[i], MarkedLetter(before[i], TStressLevel::Secondary))
            << Utf16ToUtf8(after) << " at " << i;
        EXPECT_NE(std::u16string_view(u"aeiouy").find(before[i]), std::u16string_view::npos);
        ++graves;
      }
    }
    if (std::string_view(name) == "sample" || std::string_view(name) == "generated prose") {
      EXPECT_GT(graves, 0u);
    }
  }
}

TEST_F(NotationPropertyTest, TheStylesOnWordsThatMatter) {
  const struct {
    const char16_t* Source;
    TStressOptions Options;
    const char16_t* Accents;
  } kCases[] = {
      {u"acceptable aCCEPTABLE", {}, u"acc\u00E9ptable aCC\u00C9PTABLE"},
      {u"ELEPHANT, Elephant elephant", {}, u"\u00C9LEPHANT, \u00C9lephant \u00E9lephant"},
      // Short words keep their case wherever they stand; only the stressed letters change.
      {u"Big ELEPHANT and ME", {}, u"Big \u00C9LEPHANT and ME"},
      // A run that a letter above U+007F cuts from its word is left alone.
      {u"Caf\u00E9s na\u00EFve NA\u00CFVE r\u00E9sum\u00E9s",
       {},
       u"Caf\u00E9s na\u00EFve NA\u00CFVE r\u00E9sum\u00E9s"},
      {u"Photographic", {.Secondary = TSecondaryStress::BeforePrimary}, u"Ph\u00F2togr\u00E1phic"},
      {u"PHOTOGRAPHS", {.Secondary = TSecondaryStress::All}, u"PH\u00D3TOGR\u00C0PHS"},
      {u"Thought strength", {}, u"Thought strength"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.Source));
    TStressOptions options = c.Options;
    options.Style = TNotationStyle::Accents;
    TFinalParagraphsHost host;
    StressSourceText(c.Source, host, options);
    EXPECT_EQ(Utf16ToUtf8(JoinDelimited(host.Paragraphs, u'\n')), Utf16ToUtf8(c.Accents));
  }
}

}  // namespace
}  // namespace lexipulse
