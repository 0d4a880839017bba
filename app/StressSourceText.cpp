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
  // items, when given, are the paragraph's items already cut (the styles read them so).
  explicit TLine(const std::u16string* paragraph = nullptr,
                 const std::vector<std::u16string_view>* items = nullptr)
      : _Paragraph(paragraph), _Given(items) {}

  TWordContext ContextOf(std::size_t q) {
    if (_Paragraph == nullptr) return {};
    if (_Given == nullptr && !_Items) _Items = SplitItemViews(*_Paragraph);
    return ContextOfItem(std::span<const std::u16string_view>(_Given ? *_Given : *_Items), q);
  }

 private:
  const std::u16string* _Paragraph;
  const std::vector<std::u16string_view>* _Given;
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

// IsWordUnit tells whether c is a word character of the pipeline's word run: without Unicode
// properties \w is the ASCII word characters, and any other unit, a lone surrogate included,
// is none.
bool IsWordUnit(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

// TRunBounds is where the first run of word characters of an item lies.
struct TRunBounds {
  std::size_t Start = 0;
  std::size_t End = 0;
};

// ScanRunBounds finds the first maximal run of word characters of item, as \b\w+\b does.
std::optional<TRunBounds> ScanRunBounds(std::u16string_view item) {
  const auto start = std::ranges::find_if(item, IsWordUnit);
  if (start == item.end()) {
    return std::nullopt;
  }
  const auto end = std::find_if_not(start, item.end(), IsWordUnit);
  return TRunBounds{static_cast<std::size_t>(start - item.begin()),
                    static_cast<std::size_t>(end - item.begin())};
}

// NoteItemAt is NoteItem for the item of a paragraph that starts at offset: it appends the
// stressed letters to letters, their positions counted in the paragraph, and leaves the
// accents to the caller. run is the caller's buffer for the lowercased word run, so an item
// costs no allocation of its own once the run is cached.
void NoteItemAt(std::u16string_view item, std::size_t offset, TStressOptions options,
                TStressCache* cache, TLine& line, std::size_t q, std::u16string& run,
                std::vector<TStressedLetter>& letters) {
  if (item.size() <= kShortItemLength) {
    return;
  }
  std::optional<TRunBounds> bounds;
  if (options.Literal) {
    if (const auto found = FindWordRun(AsciiLowerCase(std::u16string(item)), false)) {
      bounds = TRunBounds{found->Left.size(), found->Left.size() + found->Run.size()};
    }
  } else {
    bounds = ScanRunBounds(item);
  }
  if (!bounds || TouchesForeignLetter(item.substr(0, bounds->Start), item.substr(bounds->End))) {
    return;
  }
  run.assign(item.substr(bounds->Start, bounds->End - bounds->Start));
  for (char16_t& c : run) {
    if (c >= u'A' && c <= u'Z') c += u'a' - u'A';
  }
  TRunNotation scratch;
  const TRunNotation& notation = Noted(run, options, cache, line, q, scratch);
  for (const TStressedLetter& letter : notation.Letters) {
    letters.push_back({offset + bounds->Start + letter.Position, letter.Level});
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
  const std::optional<TRunBounds> bounds = ScanRunBounds(item);
  if (!bounds) {
    return std::nullopt;
  }
  return TWordRun{item.substr(0, bounds->Start),
                  item.substr(bounds->Start, bounds->End - bounds->Start),
                  item.substr(bounds->End)};
}

std::u16string StressedItem(const std::u16string& lowercasedItem, TStressOptions options) {
  TLine noLine;
  return StressItem(lowercasedItem, options, nullptr, noLine, 0);
}

TNotedItem NoteItem(const std::u16string& item, TStressOptions options) {
  // Written out plainly, with the pattern's word run and no cache: the pipeline's reading of
  // items in place is held to it.
  TNotedItem noted{item, {}};
  if (item.size() <= kShortItemLength) {
    return noted;
  }
  const std::optional<TWordRun> found = FindWordRun(AsciiLowerCase(item), false);
  if (!found || TouchesForeignLetter(found->Left, found->Right)) {
    return noted;
  }
  for (const TStressedLetter& letter : NoteRun(found->Run, options).Letters) {
    noted.Letters.push_back({found->Left.size() + letter.Position, letter.Level});
  }
  if (options.Style == TNotationStyle::Accents) {
    ApplyAccents(noted.Text, noted.Letters);
  }
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
  std::u16string runBuffer;

  const int paragraphCount = static_cast<int>(paragraphs.size());
  for (int p = 0; p < paragraphCount; ++p) {
    // The classic style rewrites items; the other styles keep the paragraph as typed and only
    // note its stressed letters, so they read the items in place.
    std::vector<std::u16string> words;
    std::vector<std::u16string_view> views;
    if (styled) {
      views = SplitItemViews(paragraphs[p]);
      letters[p].reserve(views.size());
    } else {
      words = SplitDelimited(paragraphs[p], kWordDelimiter);
    }
    host.SetParagraphProgress(p + 1, paragraphCount);

    // Items before `settled` hold their final form. A short item only shows lowercased when a
    // long item follows it, so short items are lowercased when the next long item arrives and
    // those after the last long item keep the case they were typed in.
    std::size_t settled = 0;
    std::size_t itemStart = 0;
    TLine line(&paragraphs[p], styled ? &views : nullptr);
    const bool keepMarked = options.Order == TStressingOrder::DictionaryFirst;
    const int wordCount = static_cast<int>(styled ? views.size() : words.size());
    // A host that shows nothing word by word is spared the status texts and the calls.
    const bool followsWords = host.FollowsWords();
    for (int q = 0; q < wordCount; ++q) {
      host.SetWordProgress(q + 1, wordCount);
      ++wordTotal;
      if (followsWords) {
        host.PumpEvents();
        const std::u16string status = StatusText(p, q);
        host.SetStatus(status);
        host.SetCaption(status);
        host.PumpEvents();
        host.ShowWord(styled ? std::u16string(views[q]) : words[q]);
      }
      if (styled) {
        const std::u16string_view item = views[q];
        if (item.size() > kShortItemLength && !(keepMarked && AlreadyStressed(item))) {
          NoteItemAt(item, itemStart, options, cacheInUse, line, static_cast<std::size_t>(q),
                     runBuffer, letters[p]);
        }
        itemStart += item.size() + 1;
        continue;
      }
      std::u16string& item = words[q];
      if (item.size() > kShortItemLength) {
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
    if (styled) {
      // The accents go on once the paragraph's items are read, as the neighbours of a
      // heteronym are read from the paragraph as typed.
      if (options.Style == TNotationStyle::Accents) {
        ApplyAccents(paragraphs[p], letters[p]);
      }
    } else if (settled > 0) {
      // Rebuilding once from the items as they stood after the last long item gives the same
      // paragraph as rebuilding after every long item, in time linear in the paragraph.
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
