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

std::u16string DisplayForm(const std::u16string& run, TStressOptions options,
                           TWordContext context = {}) {
  TWordToStress word(run, options, std::move(context));
  word.Process();
  return CapitalsToAccents(word.WordStressed());
}

// Remember keeps a form in the cache, which starts afresh when full.
TStressCache::iterator Remember(TStressCache& cache, const std::u16string& key,
                                std::u16string form) {
  if (cache.size() >= kStressCacheEntries) cache.clear();
  return cache.emplace(key, std::move(form)).first;
}

// StressItem puts the display form in place of the first word-character run of a long item.
// The form is spliced in between the text left and right of the match rather than expanded
// as a replacement template, so a form holding a backslash or a dollar sign goes in as it is.
// In the dictionary-first order a word of the heteronym table takes the context of item q of
// line; the cache then keeps its form per word and context class.
std::u16string StressItem(const std::u16string& lowercasedItem, TStressOptions options,
                          TStressCache* cache, TLine& line, std::size_t q) {
  if (lowercasedItem.size() <= kShortItemLength) {
    return lowercasedItem;
  }
  std::optional<TWordRun> found =
      options.Literal ? FindWordRun(lowercasedItem, false) : ScanWordRun(lowercasedItem);
  if (!found) {
    return lowercasedItem;
  }
  const bool heteronyms = options.Order == TStressingOrder::DictionaryFirst && options.Heteronyms;
  if (cache == nullptr) {
    TWordContext context;
    if (heteronyms && FindHeteronym(found->Run) != nullptr) {
      context = line.ContextOf(q);
    }
    return found->Left + DisplayForm(found->Run, options, std::move(context)) + found->Right;
  }
  // Every word is looked up once by its run, so a word outside the heteronym table costs no
  // more than before. A heteronym is remembered there with an empty form, which no word's
  // form is, and its forms under its run and context class.
  auto cached = cache->find(found->Run);
  if (cached == cache->end()) {
    const bool heteronym = heteronyms && FindHeteronym(found->Run) != nullptr;
    cached = Remember(*cache, found->Run, heteronym ? u"" : DisplayForm(found->Run, options));
  }
  if (!cached->second.empty()) {
    return found->Left + cached->second + found->Right;
  }
  TWordContext context = line.ContextOf(q);
  // Runs hold word characters only, so the separator cannot occur in a word.
  std::u16string key = found->Run;
  key += u'\x1f';
  key += static_cast<char16_t>(ContextClass(context));
  auto decided = cache->find(key);
  if (decided == cache->end()) {
    decided = Remember(*cache, key, DisplayForm(found->Run, options, std::move(context)));
  }
  return found->Left + decided->second + found->Right;
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

  const int paragraphCount = static_cast<int>(paragraphs.size());
  for (int p = 0; p < paragraphCount; ++p) {
    std::vector<std::u16string> words = SplitDelimited(paragraphs[p], kWordDelimiter);
    host.SetParagraphProgress(p + 1, paragraphCount);

    // Items before `settled` hold their final form. A short item only shows lowercased when a
    // long item follows it, so short items are lowercased when the next long item arrives and
    // those after the last long item keep the case they were typed in.
    std::size_t settled = 0;
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
