#include "app/WordContext.h"

#include <optional>

#include "pattern/CaseMapping.h"

namespace lexipulse {

namespace {

bool IsWordCharacter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

bool IsApostrophe(char16_t c) { return c == u'\'' || c == u'\u2019'; }

// IsBreak tells whether c ends a phrase, so that the words on either side do not bear on
// each other.
bool IsBreak(char16_t c) {
  switch (c) {
    case u'.':
    case u',':
    case u';':
    case u':':
    case u'!':
    case u'?':
    case u'(':
    case u')':
    case u'[':
    case u']':
    case u'{':
    case u'}':
    case u'-':
    case u'\u2013':
    case u'\u2014':
    case u'\u2026':
    case u'\r':
    case u'\t':
      return true;
    default:
      return false;
  }
}

bool HasBreak(std::u16string_view text) {
  for (const char16_t c : text) {
    if (IsBreak(c)) return true;
  }
  return false;
}

// TWordSpan is a word of an item: letters, digits and apostrophes inside them, from Begin to
// End.
struct TWordSpan {
  std::size_t Begin = 0;
  std::size_t End = 0;
};

std::optional<TWordSpan> FirstWord(std::u16string_view item) {
  std::size_t i = 0;
  while (i < item.size() && !IsWordCharacter(item[i])) ++i;
  if (i == item.size()) return std::nullopt;
  TWordSpan span{i, i};
  while (span.End < item.size() && (IsWordCharacter(item[span.End]) ||
                                    (IsApostrophe(item[span.End]) && span.End + 1 < item.size() &&
                                     IsWordCharacter(item[span.End + 1])))) {
    ++span.End;
  }
  return span;
}

std::optional<TWordSpan> LastWord(std::u16string_view item) {
  std::size_t end = item.size();
  while (end > 0 && !IsWordCharacter(item[end - 1])) --end;
  if (end == 0) return std::nullopt;
  TWordSpan span{end, end};
  while (span.Begin > 0 && (IsWordCharacter(item[span.Begin - 1]) ||
                            (IsApostrophe(item[span.Begin - 1]) && span.Begin > 1 &&
                             IsWordCharacter(item[span.Begin - 2])))) {
    --span.Begin;
  }
  // A plural's possessive apostrophe belongs to the word (the parents' record).
  if (span.End < item.size() && IsApostrophe(item[span.End]) && item[span.End - 1] == u's') {
    ++span.End;
  }
  return span;
}

std::u16string Lowered(std::u16string_view text) {
  std::u16string word(text);
  for (char16_t& c : word) {
    if (c == u'\u2019') c = u'\'';
  }
  return AsciiLowerCase(word);
}

// WordBefore is the last word of the nearest item before position q that has one, or empty
// when a phrase ends between.
std::u16string WordBefore(std::span<const std::u16string_view> items, std::size_t q) {
  while (q > 0) {
    --q;
    const std::u16string_view item = items[q];
    const std::optional<TWordSpan> word = LastWord(item);
    if (!word) {
      if (HasBreak(item)) return u"";
      continue;
    }
    if (HasBreak(item.substr(word->End))) return u"";
    return Lowered(item.substr(word->Begin, word->End - word->Begin));
  }
  return u"";
}

}  // namespace

TWordContext ContextOfItem(const std::vector<std::u16string>& items, std::size_t q) {
  const std::vector<std::u16string_view> views(items.begin(), items.end());
  return ContextOfItem(std::span<const std::u16string_view>(views), q);
}

TWordContext ContextOfItem(std::span<const std::u16string_view> items, std::size_t q) {
  TWordContext context;
  if (q >= items.size()) return context;
  const std::u16string_view item = items[q];
  const std::optional<TWordSpan> word = FirstWord(item);
  if (!word) return context;
  if (!HasBreak(item.substr(0, word->Begin))) {
    context.Previous = WordBefore(items, q);
    context.Capitalized = !context.Previous.empty() && word->End - word->Begin > 1 &&
                          item[word->Begin] >= u'A' && item[word->Begin] <= u'Z' &&
                          item[word->Begin + 1] >= u'a' && item[word->Begin + 1] <= u'z';
    if (!context.Previous.empty()) {
      std::size_t p = q;
      while (p > 0 && !LastWord(items[p - 1])) --p;
      if (p > 0) context.BeforePrevious = WordBefore(items, p - 1);
    }
  }
  const std::u16string_view right = item.substr(word->End);
  if (HasBreak(right) || FirstWord(right)) return context;
  for (std::size_t n = q + 1; n < items.size(); ++n) {
    const std::u16string_view next = items[n];
    const std::optional<TWordSpan> nextWord = FirstWord(next);
    if (!nextWord) {
      if (HasBreak(next)) break;
      continue;
    }
    if (!HasBreak(next.substr(0, nextWord->Begin))) {
      context.Next = Lowered(next.substr(nextWord->Begin, nextWord->End - nextWord->Begin));
    }
    break;
  }
  return context;
}

std::vector<std::u16string_view> SplitItemViews(std::u16string_view line) {
  std::vector<std::u16string_view> items;
  if (line.empty()) return items;
  std::size_t start = 0;
  while (true) {
    const std::size_t space = line.find(u' ', start);
    if (space == std::u16string_view::npos) {
      items.push_back(line.substr(start));
      return items;
    }
    items.push_back(line.substr(start, space - start));
    start = space + 1;
  }
}

bool IsAccentedCapital(char16_t c) {
  return c == u'\u00C1' || c == u'\u00C9' || c == u'\u00CD' || c == u'\u00D3' || c == u'\u00DA' ||
         c == u'\u00DD';
}

bool AlreadyStressed(std::u16string_view item) {
  std::size_t first = 0;
  while (first < item.size() && !IsWordCharacter(item[first])) ++first;
  if (first == item.size()) return false;
  const auto inRun = [](char16_t c) { return IsWordCharacter(c) || IsAccentedCapital(c); };
  std::size_t begin = first;
  while (begin > 0 && inRun(item[begin - 1])) --begin;
  for (std::size_t i = begin; i < item.size() && inRun(item[i]); ++i) {
    if (IsAccentedCapital(item[i])) return true;
  }
  return false;
}

bool HoldsStressMarks(std::string_view text) {
  // The marks are C3 81, C3 89, C3 8D, C3 93, C3 9A and C3 9D in UTF-8.
  const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) != 0xC3) continue;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second != 0x81 && second != 0x89 && second != 0x8D && second != 0x93 && second != 0x9A &&
        second != 0x9D) {
      continue;
    }
    const bool letterBefore = i > 0 && isLetter(text[i - 1]);
    const bool letterAfter = i + 2 < text.size() && isLetter(text[i + 2]);
    if (letterBefore || letterAfter) return true;
  }
  return false;
}

}  // namespace lexipulse
