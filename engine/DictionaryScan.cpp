#include "engine/DictionaryScan.h"

#include <algorithm>
#include <string_view>

#include "engine/DictionaryIndex.h"

namespace lexipulse {

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kScanPrefix = u"\\b";
constexpr std::u16string_view kScanSuffix = u"=(.+)";

bool IsWordRun(std::u16string_view word) {
  return !word.empty() && std::ranges::all_of(word, IsAsciiWordChar);
}

// A scan pattern is made of the word, so it is never kept in the cache of fixed patterns, and
// the scan is linear in the joined text, which far exceeds a word's budget.
void SetUpScan(TPattern& pattern, const std::vector<std::u16string>& lines) {
  pattern.SetOptions(preCaseLess);
  pattern.SetShared(false);
  pattern.SetBudgeted(false);
  pattern.SetSubject(JoinDictionaryLines(lines));
}

}  // namespace

std::u16string JoinDictionaryLines(const std::vector<std::u16string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + kLineEnd.size();
  }
  std::u16string joined;
  joined.reserve(size);
  for (const auto& line : lines) {
    joined += line;
    joined += kLineEnd;
  }
  return joined;
}

std::u16string TDictionaryScanner::Scan(const std::vector<std::u16string>& lines,
                                        const std::u16string& word, bool literal) {
  // Any other text would be read as pattern syntax or match inside a line; it is not looked up.
  if (!IsWordRun(word)) {
    return word;
  }
  std::u16string regEx(kScanPrefix);
  regEx += word;
  regEx += kScanSuffix;
  TPattern literalPattern;
  if (literal) {
    literalPattern.SetJit(false);
    SetUpScan(literalPattern, lines);
  } else if (!_Pattern) {
    _Pattern = std::make_unique<TPattern>();
    SetUpScan(*_Pattern, lines);
  }
  TPattern& pattern = literal ? literalPattern : *_Pattern;
  pattern.SetRegEx(regEx);
  std::u16string result = pattern.Match() ? pattern.Groups(1) : word;
  std::ranges::replace(result, u'"', u'`');
  return result;
}

}  // namespace lexipulse
