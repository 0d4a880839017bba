#include "engine/Dictionary.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/Resource.h"
#include "pattern/LiteralMode.h"
#include "pattern/Pattern.h"
#include "pattern/Utf.h"

namespace lexipulse {

std::vector<std::u16string> Dictionary;

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five bytes it leaves undefined map
// to the C1 control of the same value, as the platform's converter does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kScanPrefix = u"\\b";
constexpr std::u16string_view kScanSuffix = u"=(.+)";

bool IsAsciiWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

// The characters that end a line for the pattern engine's newline convention, so that '.' of
// the scan never crosses them.
bool IsLineBreakChar(char16_t c) {
  return c == u'\r' || c == u'\n' || c == 0x000B || c == 0x000C || c == 0x0085 || c == 0x2028 ||
         c == 0x2029;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// FindUnpairedSurrogate returns the position of the first surrogate without its partner.
std::size_t FindUnpairedSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      return i;
    }
  }
  return std::u16string_view::npos;
}

char16_t AsciiFold(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

// The index hashes and compares keys with ASCII case folded, so a lookup needs no lowercased
// copy of the word.
struct TFoldedHash {
  using is_transparent = void;
  std::size_t operator()(std::u16string_view text) const {
    std::uint64_t hash = 14695981039346656037ull;
    for (char16_t c : text) {
      hash = (hash ^ AsciiFold(c)) * 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
  }
};

struct TFoldedEqual {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    return std::ranges::equal(a, b, {}, AsciiFold, AsciiFold);
  }
};

using TIndex = std::unordered_map<std::u16string, std::u16string, TFoldedHash, TFoldedEqual>;

// What the lookups read besides Dictionary itself, rebuilt whenever Dictionary is replaced.
struct TDictionaryState {
  bool Indexable = true;
  TIndex Index;
  std::u16string Joined;
};

TDictionaryState& State() {
  static TDictionaryState state;
  return state;
}

// SplitIndexableLine returns the position of the "=" of a line that the scan can only find
// from its start, through its whole key: exactly one "=", a non-empty key of ASCII word
// characters, and a non-empty value with no line break and no unpaired surrogate (which would
// make the subject invalid for the pattern engine). Any other line returns npos.
std::size_t SplitIndexableLine(std::u16string_view line) {
  const std::size_t equals = line.find(u'=');
  if (equals == 0 || equals == std::u16string_view::npos || equals + 1 == line.size() ||
      line.find(u'=', equals + 1) != std::u16string_view::npos) {
    return std::u16string_view::npos;
  }
  const std::u16string_view key = line.substr(0, equals);
  const std::u16string_view value = line.substr(equals + 1);
  if (!std::ranges::all_of(key, IsAsciiWordChar) || std::ranges::any_of(value, IsLineBreakChar) ||
      FindUnpairedSurrogate(value) != std::u16string_view::npos) {
    return std::u16string_view::npos;
  }
  return equals;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
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

TDictionaryState BuildState(const std::vector<std::u16string>& lines) {
  TDictionaryState state;
  state.Joined = JoinLines(lines);
  state.Index.reserve(lines.size());
  for (const auto& line : lines) {
    const std::size_t equals = SplitIndexableLine(line);
    if (equals == std::u16string_view::npos) {
      state.Indexable = false;
      state.Index.clear();
      break;
    }
    // try_emplace keeps the first line of a key that occurs more than once.
    state.Index.try_emplace(line.substr(0, equals), line.substr(equals + 1));
  }
  return state;
}

std::u16string DecodeWindows1252(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    text.push_back(value >= 0x80 && value <= 0x9F ? kWindows1252High[value - 0x80]
                                                  : static_cast<char16_t>(value));
  }
  return text;
}

std::u16string DecodeUtf8(std::string_view bytes) {
  if (const auto error = FindInvalidUtf8(bytes)) {
    throw std::runtime_error("Dictionary data is not valid UTF-8 at line " +
                             std::to_string(error->Line) + ", column " +
                             std::to_string(error->Column));
  }
  return Utf8ToUtf16(bytes);
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit =
        static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    if (unit == 0) {
      break;
    }
    text.push_back(unit);
  }
  if (i + 1 == bytes.size()) {
    throw std::runtime_error("Dictionary data in UTF-16 ends in half a character");
  }
  if (const std::size_t at = FindUnpairedSurrogate(text); at != std::u16string_view::npos) {
    throw std::runtime_error("Dictionary data in UTF-16 holds an unpaired surrogate at character " +
                             std::to_string(at));
  }
  return text;
}

// DecodeDictionaryBytes honours a byte-order mark and otherwise reads Windows-1252. The text
// ends at the first NUL; for the byte encodings the bytes are cut there before decoding, so
// whatever follows is never judged.
std::u16string DecodeDictionaryBytes(std::string_view bytes) {
  const auto untilNul = [](std::string_view data) { return data.substr(0, data.find('\0')); };
  if (bytes.starts_with(kUtf8Bom)) {
    return DecodeUtf8(untilNul(bytes.substr(kUtf8Bom.size())));
  }
  if (bytes.starts_with(kUtf16LeBom)) {
    return DecodeUtf16(bytes.substr(kUtf16LeBom.size()), false);
  }
  if (bytes.starts_with(kUtf16BeBom)) {
    return DecodeUtf16(bytes.substr(kUtf16BeBom.size()), true);
  }
  return DecodeWindows1252(untilNul(bytes));
}

// SplitLines breaks at CR LF, lone CR and lone LF; a break at the very end adds no empty line.
std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') {
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
    }
    start = i + 1;
  }
  if (start < text.size()) {
    lines.emplace_back(text.substr(start));
  }
  return lines;
}

bool IsWordRun(std::u16string_view word) {
  return !word.empty() && std::ranges::all_of(word, IsAsciiWordChar);
}

}  // namespace

void LoadDictionary(const std::string& resourceName) {
  const auto bytes = FindResource(resourceName);
  if (!bytes) {
    throw std::runtime_error("Resource " + resourceName + " not found");
  }
  LoadDictionaryFromBytes(*bytes);
}

void LoadDictionaryFromBytes(std::string_view bytes) {
  SetDictionaryLines(SplitLines(DecodeDictionaryBytes(bytes)));
}

void SetDictionaryLines(std::vector<std::u16string> lines) {
  TDictionaryState state = BuildState(lines);
  Dictionary = std::move(lines);
  State() = std::move(state);
}

void FreeDictionary() {
  Dictionary = std::vector<std::u16string>();
  State() = TDictionaryState();
}

bool DictionaryIndexed() { return State().Indexable && !LiteralMode(); }

const std::u16string* FindIndexedValue(std::u16string_view word) {
  const TIndex& index = State().Index;
  const auto found = index.find(word);
  return found == index.end() ? nullptr : &found->second;
}

std::u16string ScanDictionary(const std::u16string& word) {
  // Any other text would be read as pattern syntax or match inside a line; it is not looked up.
  if (!IsWordRun(word)) {
    return word;
  }
  // The unoptimised lookup joins the list anew for every word; otherwise the text joined at
  // load serves.
  const bool literal = LiteralMode();
  const std::u16string freshJoined = literal ? JoinLines(Dictionary) : std::u16string();
  const std::u16string& subject = literal ? freshJoined : State().Joined;

  TPattern pattern;
  std::u16string regEx(kScanPrefix);
  regEx += word;
  regEx += kScanSuffix;
  pattern.SetRegEx(regEx);
  pattern.SetOptions(preCaseLess);
  pattern.SetSubject(subject);
  std::u16string result = pattern.Match() ? pattern.Groups(1) : word;
  std::ranges::replace(result, u'"', u'`');
  return result;
}

}  // namespace lexipulse
