#include "app/StressSourceText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/Delimited.h"
#include "engine/FixedPatterns.h"
#include "engine/Notation.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Pattern.h"

namespace lexipulse {

namespace {

constexpr char16_t kParagraphDelimiter = u'\n';
constexpr char16_t kWordDelimiter = u' ';
constexpr char16_t kFinalLine[] = u"\u00A0";

using TFormCache = std::unordered_map<std::u16string, TRunNotation>;

std::u16string Decimal(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// Noted is NoteRun, remembered per run when a cache is given (else kept in scratch).
const TRunNotation& Noted(const std::u16string& run, TStressOptions options, TFormCache* cache,
                          TRunNotation& scratch) {
  if (cache == nullptr) {
    scratch = NoteRun(run, options);
    return scratch;
  }
  auto cached = cache->find(run);
  if (cached == cache->end()) {
    cached = cache->emplace(run, NoteRun(run, options)).first;
  }
  return cached->second;
}

// StressItem puts the display form in place of the first word-character run of a long item.
// The form is spliced in between the text left and right of the match rather than expanded
// as a replacement template, so a form holding a backslash or a dollar sign goes in as it is.
std::u16string StressItem(const std::u16string& lowercasedItem, TStressOptions options,
                          TFormCache* cache) {
  if (lowercasedItem.size() <= kShortItemLength) {
    return lowercasedItem;
  }
  std::optional<TWordRun> found = FindWordRun(lowercasedItem, !options.Literal);
  if (!found) {
    return lowercasedItem;
  }
  TRunNotation scratch;
  return found->Left + Noted(found->Run, options, cache, scratch).Classic + found->Right;
}

// NoteItemInPlace is NoteItem on the item itself: in the accents style it puts the accents on
// item, and it appends the stressed letters to letters, their positions moved by offset.
void NoteItemInPlace(std::u16string& item, std::size_t offset, TStressOptions options,
                     TFormCache* cache, std::vector<TStressedLetter>& letters) {
  if (item.size() <= kShortItemLength) {
    return;
  }
  const std::optional<TWordRun> found = FindWordRun(AsciiLowerCase(item), !options.Literal);
  if (!found || TouchesForeignLetter(found->Left, found->Right)) {
    return;
  }
  TRunNotation scratch;
  const TRunNotation& notation = Noted(found->Run, options, cache, scratch);
  const std::size_t start = found->Left.size();
  if (options.Style == TNotationStyle::Accents) {
    ApplyAccents(item, notation.Letters, start);
  }
  for (const TStressedLetter& letter : notation.Letters) {
    letters.push_back({offset + start + letter.Position, letter.Level});
  }
}

std::u16string StatusText(int paragraph, int word) {
  return u"Processing paragraph " + Decimal(paragraph) + u", word #" + Decimal(word);
}

}  // namespace

std::optional<TWordRun> FindWordRun(const std::u16string& item, bool jit) {
  TPattern pattern;
  pattern.SetJit(jit);
  pattern.SetRegEx(FixedPatternText(TFixedPatternId::WordRun));
  pattern.SetOptions(preCaseLess);
  pattern.SetSubject(item);
  if (!pattern.Match()) {
    return std::nullopt;
  }
  return TWordRun{pattern.SubjectLeft(), pattern.Groups(1), pattern.SubjectRight()};
}

std::u16string StressedItem(const std::u16string& lowercasedItem, TStressOptions options) {
  return StressItem(lowercasedItem, options, nullptr);
}

TNotedItem NoteItem(const std::u16string& item, TStressOptions options) {
  TNotedItem noted{item, {}};
  NoteItemInPlace(noted.Text, 0, options, nullptr, noted.Letters);
  return noted;
}

std::int32_t StressSourceText(const std::u16string& sourceText, TStressHost& host,
                              TStressOptions options) {
  host.ClearResult();
  const std::u16string savedCaption = host.GetCaption();

  std::vector<std::u16string> paragraphs = SplitDelimited(sourceText, kParagraphDelimiter);
  TResultText result(paragraphs);
  // The engine is a pure function of the word and the options, so one run may remember what it
  // computed.
  TFormCache cache;
  TFormCache* const cacheInUse = options.Literal ? nullptr : &cache;
  std::int32_t wordTotal = 0;
  // The accents and highlight styles keep every item as typed and note its stressed letters.
  const bool styled = options.Style != TNotationStyle::Classic;
  std::vector<std::vector<TStressedLetter>> letters(styled ? paragraphs.size() : 0);
  result.SetLetters(styled ? &letters : nullptr);

  const int paragraphCount = static_cast<int>(paragraphs.size());
  for (int p = 0; p < paragraphCount; ++p) {
    std::vector<std::u16string> words = SplitDelimited(paragraphs[p], kWordDelimiter);
    host.SetParagraphProgress(p + 1, paragraphCount);

    // Items before `settled` hold their final form. A short item only shows lowercased when a
    // long item follows it, so short items are lowercased when the next long item arrives and
    // those after the last long item keep the case they were typed in.
    std::size_t settled = 0;
    std::size_t itemStart = 0;
    const int wordCount = static_cast<int>(words.size());
    for (int q = 0; q < wordCount; ++q) {
      host.SetWordProgress(q + 1, wordCount);
      ++wordTotal;
      host.PumpEvents();
      const std::u16string status = StatusText(p, q);
      host.SetStatus(status);
      host.SetCaption(status);
      host.PumpEvents();
      std::u16string& item = words[q];
      host.ShowWord(item);
      if (styled) {
        if (item.size() > kShortItemLength) {
          NoteItemInPlace(item, itemStart, options, cacheInUse, letters[p]);
          settled = static_cast<std::size_t>(q) + 1;
        }
        itemStart += item.size() + 1;
      } else if (item.size() > kShortItemLength) {
        for (; settled < static_cast<std::size_t>(q); ++settled) {
          words[settled] = AsciiLowerCase(words[settled]);
        }
        item = StressItem(AsciiLowerCase(item), options, cacheInUse);
        settled = static_cast<std::size_t>(q) + 1;
      }
    }
    // Rebuilding once from the items as they stood after the last long item gives the same
    // paragraph as rebuilding after every long item, in time linear in the paragraph.
    if (settled > 0) {
      paragraphs[p] = JoinDelimited(words, kWordDelimiter);
    }
    result.SetParagraphsDone(static_cast<std::size_t>(p) + 1);
    host.SetResultText(result);
  }

  host.AppendResultLine(kFinalLine);
  host.SetStatus(u"Lexipulse processed a total of " + Decimal(wordTotal) + u" words.");
  host.SetCaption(savedCaption);
  host.ShowWord(u"");
  host.ResetProgress();
  return wordTotal;
}

}  // namespace lexipulse
