#include "tests/support/StressProperty.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pattern/Utf.h"

namespace lexipulse {

namespace {

// The helper keeps its own split and case rules, so a fault in the pipeline's cannot hide
// itself in the check.
constexpr std::size_t kShortItemLength = 4;

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t delimiter) {
  std::vector<std::u16string_view> items;
  if (text.empty()) {
    return items;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == delimiter) {
      items.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return items;
}

bool IsWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

// Unstressed maps a character of a stressed run back to the lowercase letter it marks.
char16_t Unstressed(char16_t c) {
  switch (c) {
    case u'\u00C1':
      return u'a';
    case u'\u00C9':
      return u'e';
    case u'\u00CD':
      return u'i';
    case u'\u00D3':
      return u'o';
    case u'\u00DA':
      return u'u';
    case u'\u00DD':
      return u'y';
    default:
      return LowerAscii(c);
  }
}

std::string CodeUnit(std::u16string_view text, std::size_t at) {
  if (at >= text.size()) {
    return "end of item";
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(text[at]));
  return buffer;
}

std::string Where(std::size_t paragraph, std::size_t item) {
  return "paragraph " + std::to_string(paragraph) + ", item " + std::to_string(item);
}

// CompareItem checks one item against what the pipeline may make of it; runBegin..runEnd is
// the part of expected that may come back stressed (empty when none may).
std::optional<std::string> CompareItem(std::u16string_view expected, std::u16string_view actual,
                                       std::size_t runBegin, std::size_t runEnd) {
  const std::size_t common = std::min(expected.size(), actual.size());
  for (std::size_t i = 0; i < common; ++i) {
    const bool inRun = i >= runBegin && i < runEnd;
    const char16_t got = inRun ? Unstressed(actual[i]) : actual[i];
    if (got != expected[i]) {
      return "position " + std::to_string(i) + ": expected " + CodeUnit(expected, i) + ", got " +
             CodeUnit(actual, i) + (inRun ? " in the stressed run" : "");
    }
  }
  if (expected.size() != actual.size()) {
    return "position " + std::to_string(common) + ": expected " + CodeUnit(expected, common) +
           ", got " + CodeUnit(actual, common) + " (length " + std::to_string(expected.size()) +
           " in, " + std::to_string(actual.size()) + " out)";
  }
  return std::nullopt;
}

std::optional<std::string> CheckParagraph(std::u16string_view input, std::u16string_view result,
                                          std::size_t p) {
  const std::vector<std::u16string_view> inItems = Split(input, u' ');
  const std::vector<std::u16string_view> outItems = Split(result, u' ');
  if (inItems.size() != outItems.size()) {
    return "paragraph " + std::to_string(p) + ": " + std::to_string(inItems.size()) +
           " word items in, " + std::to_string(outItems.size()) + " out";
  }
  std::size_t processed = 0;
  for (std::size_t q = 0; q < inItems.size(); ++q) {
    if (inItems[q].size() > kShortItemLength) {
      processed = q + 1;
    }
  }
  for (std::size_t q = 0; q < inItems.size(); ++q) {
    std::u16string expected(inItems[q]);
    std::size_t runBegin = 0;
    std::size_t runEnd = 0;
    if (q < processed) {
      std::ranges::transform(expected, expected.begin(), LowerAscii);
      if (expected.size() > kShortItemLength) {
        runBegin =
            static_cast<std::size_t>(std::ranges::find_if(expected, IsWordChar) - expected.begin());
        runEnd = runBegin;
        while (runEnd < expected.size() && IsWordChar(expected[runEnd])) {
          ++runEnd;
        }
      }
    }
    if (auto difference = CompareItem(expected, outItems[q], runBegin, runEnd)) {
      return Where(p, q) + ", " + *difference;
    }
  }
  return std::nullopt;
}

// TLines are the lines of a text and the break (CR LF, CR or LF) after each but the last.
// The checker cuts lines itself rather than with the pipeline's SplitLines on purpose: it links
// only the pattern library, so a fault in the pipeline's helpers cannot hide from the check.
struct TLines {
  std::vector<std::u16string_view> Lines;
  std::vector<std::u16string_view> Breaks;
};

TLines SplitLines(std::u16string_view text) {
  TLines split;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') {
      continue;
    }
    split.Lines.push_back(text.substr(start, i - start));
    const std::size_t breakLength =
        (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
    split.Breaks.push_back(text.substr(i, breakLength));
    i += breakLength - 1;
    start = i + 1;
  }
  split.Lines.push_back(text.substr(start));
  return split;
}

std::u16string JoinWithCrLf(const std::vector<std::u16string_view>& lines) {
  std::u16string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      text += u"\r\n";
    }
    text += lines[i];
  }
  return text;
}

}  // namespace

std::string CheckStressProperty(std::u16string_view input, std::u16string_view result) {
  const std::vector<std::u16string_view> inParagraphs = Split(input, u'\n');
  const std::vector<std::u16string_view> outParagraphs = Split(result, u'\n');
  if (inParagraphs.size() != outParagraphs.size()) {
    return std::to_string(inParagraphs.size()) + " paragraphs in, " +
           std::to_string(outParagraphs.size()) + " out";
  }
  for (std::size_t p = 0; p < inParagraphs.size(); ++p) {
    if (auto difference = CheckParagraph(inParagraphs[p], outParagraphs[p], p)) {
      return *difference;
    }
  }
  return "";
}

std::string CheckConsoleProperty(std::string_view input, std::string_view output) {
  if (const auto bad = FindInvalidUtf8(input)) {
    return "the input is not UTF-8 (byte offset " + std::to_string(bad->Offset) + ")";
  }
  if (const auto bad = FindInvalidUtf8(output)) {
    return "the output is not UTF-8 (byte offset " + std::to_string(bad->Offset) + ")";
  }
  const std::u16string inText = Utf8ToUtf16(input);
  const std::u16string outText = Utf8ToUtf16(output);
  const TLines in = SplitLines(inText);
  const TLines out = SplitLines(outText);
  const std::size_t common = std::min(in.Breaks.size(), out.Breaks.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (in.Breaks[i] != out.Breaks[i]) {
      return "line " + std::to_string(i) + ": its line break changed";
    }
  }
  if (in.Breaks.size() != out.Breaks.size()) {
    return std::to_string(in.Lines.size()) + " lines in, " + std::to_string(out.Lines.size()) +
           " out";
  }
  // The console hands the pipeline its lines joined with CR LF, so paragraph p is line p.
  return CheckStressProperty(JoinWithCrLf(in.Lines), JoinWithCrLf(out.Lines));
}

std::int32_t WordItemCount(std::u16string_view input) {
  std::int32_t total = 0;
  for (const std::u16string_view paragraph : Split(input, u'\n')) {
    total += static_cast<std::int32_t>(Split(paragraph, u' ').size());
  }
  return total;
}

}  // namespace lexipulse
