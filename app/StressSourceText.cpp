#include "app/StressSourceText.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/Delimited.h"
#include "app/WordContext.h"
#include "engine/FixedPatterns.h"
#include "engine/Heteronyms.h"
#include "engine/Notation.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Pattern.h"

namespace lexipulse {

namespace {

constexpr char16_t kParagraphDelimiter = u'\n';
constexpr char16_t kWordDelimiter = u' ';
constexpr char16_t kFinalLine[] = u"\u00A0";

std::u16string Decimal(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// TLine gives the context of an item from the items of its line as they were read; they are
// cut from the line only when a word of the heteronym table needs them.
class TLine {
 public:
  explicit TLine(const std::u16string* paragraph = nullptr) : _Paragraph(paragraph) {}

  TWordContext ContextOf(std::size_t q) {
    if (_Paragraph == nullptr) return {};
    if (!_Items) _Items = SplitItemViews(*_Paragraph);
    return ContextOfItem(std::span<const std::u16string_view>(*_Items), q);
  }

 private:
  const std::u16string* _Paragraph;
  std::optional<std::vector<std::u16string_view>> _Items;
};

// Remember keeps a notation in the cache, which starts afresh when full.
TStressCache::iterator Remember(TStressCache& cache, const std::u16string& key,
                                TRunNotation notation) {
  if (cache.size() >= kStressCacheEntries) cache.clear();
  return cache.emplace(key, std::move(notation)).first;
}

// Noted is how the run of item q of line is written: NoteRun, with the context of the item
// for a word of the heteronym table in the dictionary-first order, remembered in the cache when
// one is given (else kept in scratch).
const TRunNotation& Noted(const std::u16string& run, TStressOptions options, TStressCache* cache,
                          TLine& line, std::size_t q, TRunNotation& scratch) {
  const bool heteronyms = options.Order == TStressingOrder::DictionaryFirst && options.Heteronyms;
  if (cache == nullptr) {
    TWordContext context;
    if (heteronyms && FindHeteronym(run) != nullptr) {
      context = line.ContextOf(q);
    }
    scratch = NoteRun(run, options, std::move(context));
    return scratch;
  }
  // Every word is looked up once by its run, so a word outside the heteronym table costs no
  // more than before. A heteronym is remembered there with an empty form, which no word's
  // form is, and its notations under its run and context class.
  auto cached = cache->find(run);
  if (cached == cache->end()) {
    const bool heteronym = heteronyms && FindHeteronym(run) != nullptr;
    cached = Remember(*cache, run, heteronym ? TRunNotation{} : NoteRun(run, options));
  }
  if (!cached->second.Classic.empty()) {
    return cached->second;
  }
  TWordContext context = line.ContextOf(q);
  // Runs hold word characters only, so the separator cannot occur in a word.
  std::u16string key = run;
  key += u'\x1f';
  key += static_cast<char16_t>(ContextClass(context));
  auto decided = cache->find(key);
  if (decided == cache->end()) {
    decided = Remember(*cache, key, NoteRun(run, options, std::move(context)));
  }
  return decided->second;
}

std::optional<TWordRun> WordRunOf(const std::u16string& item, TStressOptions options) {
  return options.Literal ? FindWordRun(item, false) : ScanWordRun(item);
}

// StressItem puts the display form in place of the first word-character run of a long item.
// The form is spliced in between the text left and right of the match rather than expanded
// as a replacement template, so a form holding a backslash or a dollar sign goes in as it is.
std::u16string StressItem(const std::u16string& lowercasedItem, TStressOptions options,
                          TStressCache* cache, TLine& line, std::size_t q) {
  if (lowercasedItem.size() <= kShortItemLength) {
    return lowercasedItem;
  }
  const std::optional<TWordRun> found = WordRunOf(lowercasedItem, options);
  if (!found) {
    return lowercasedItem;
  }
  TRunNotation scratch;
  return found->Left + Noted(found->Run, options, cache, line, q, scratch).Classic + found->Right;
}

// NoteItemInPlace is NoteItem on the item itself: in the accents style it puts the accents on
// item, and it appends the stressed letters to letters, their positions moved by offset.
void NoteItemInPlace(std::u16string& item, std::size_t offset, TStressOptions options,
                     TStressCache* cache, TLine& line, std::size_t q,
                     std::vector<TStressedLetter>& letters) {
  if (item.size() <= kShortItemLength) {
    return;
  }
  const std::optional<TWordRun> found = WordRunOf(AsciiLowerCase(item), options);
  if (!found || TouchesForeignLetter(found->Left, found->Right)) {
    return;
  }
  TRunNotation scratch;
  const TRunNotation& notation = Noted(found->Run, options, cache, line, q, scratch);
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

std::optional<TWordRun> ScanWordRun(const std::u16string& item) {
  // Without Unicode properties \w is the ASCII word characters and \b the edge of a run of
  // them, so the first match is the first maximal run; any other unit, a lone surrogate
  // included, is no word character.
  const auto isWord = [](char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
  };
  const auto start = std::ranges::find_if(item, isWord);
  if (start == item.end()) {
    return std::nullopt;
  }
  const auto end = std::find_if_not(start, item.end(), isWord);
  return TWordRun{std::u16string(item.begin(), start), std::u16string(start, end),
                  std::u16string(end, item.end())};
}

std::u16string StressedItem(const std::u16string& lowercasedItem, TStressOptions options) {
  TLine noLine;
  return StressItem(lowercasedItem, options, nullptr, noLine, 0);
}

TNotedItem NoteItem(const std::u16string& item, TStressOptions options) {
  TNotedItem noted{item, {}};
  TLine noLine;
  NoteItemInPlace(noted.Text, 0, options, nullptr, noLine, 0, noted.Letters);
  return noted;
}

std::int32_t StressSourceText(const std::u16string& sourceText, TStressHost& host,
                              TStressOptions options, TStressCache* cache) {
  host.ClearResult();
  const std::u16string savedCaption = host.GetCaption();

  std::vector<std::u16string> paragraphs = SplitDelimited(sourceText, kParagraphDelimiter);
  TResultText result(paragraphs);
  // The engine is a pure function of the word and the options, so one run may remember what it
  // computed.
  TStressCache ownCache;
  TStressCache* const cacheInUse = options.Literal ? nullptr : cache != nullptr ? cache : &ownCache;
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
    TLine line(&paragraphs[p]);
    const bool keepMarked = options.Order == TStressingOrder::DictionaryFirst;
    const int wordCount = static_cast<int>(words.size());
    // A host that shows nothing word by word is spared the status texts and the calls.
    const bool followsWords = host.FollowsWords();
    for (int q = 0; q < wordCount; ++q) {
      host.SetWordProgress(q + 1, wordCount);
      ++wordTotal;
      std::u16string& item = words[q];
      if (followsWords) {
        host.PumpEvents();
        const std::u16string status = StatusText(p, q);
        host.SetStatus(status);
        host.SetCaption(status);
        host.PumpEvents();
        host.ShowWord(item);
      }
      if (styled) {
        if (item.size() > kShortItemLength && !(keepMarked && AlreadyStressed(item))) {
          NoteItemInPlace(item, itemStart, options, cacheInUse, line, static_cast<std::size_t>(q),
                          letters[p]);
          settled = static_cast<std::size_t>(q) + 1;
        }
        itemStart += item.size() + 1;
      } else if (item.size() > kShortItemLength) {
        for (; settled < static_cast<std::size_t>(q); ++settled) {
          words[settled] = AsciiLowerCase(words[settled]);
        }
        // A word the text already marks is left as it is, so stressing twice changes nothing.
        if (!(keepMarked && AlreadyStressed(item))) {
          item = StressItem(AsciiLowerCase(item), options, cacheInUse, line,
                            static_cast<std::size_t>(q));
        }
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
