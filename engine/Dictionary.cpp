#include "engine/Dictionary.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Resource.h"
#include "pattern/Pattern.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

// The lines themselves; everyone else reads them through the const Dictionary, so nothing can
// change them behind the index's back.
std::vector<std::u16string> dictionaryLines;

}  // namespace

const std::vector<std::u16string>& Dictionary = dictionaryLines;

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
std::uint64_t Mix(std::uint64_t x) {
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// FoldedHash takes four code units at a time. Or-ing 0x20 into every unit maps A-Z onto a-z
// (and joins a few other pairs, which costs only a comparison), so keys equal but for ASCII
// case hash alike.
std::uint64_t FoldedHash(std::u16string_view text) {
  constexpr std::uint64_t kFoldFour = 0x0020002000200020ull;
  std::uint64_t hash = text.size();
  std::size_t i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    std::uint64_t four;
    std::memcpy(&four, text.data() + i, sizeof four);
    hash = Mix(hash ^ (four | kFoldFour));
  }
  std::uint64_t rest = 0;
  for (; i < text.size(); ++i) {
    rest = (rest << 16) | (text[i] | 0x20u);
  }
  return Mix(hash ^ rest);
}

bool FoldedEqual(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b, {}, AsciiFold, AsciiFold);
}

// TIndex maps keys to the value of their first line: views into Dictionary's lines, in an
// open-addressing table of entry numbers at most half full. Building it copies no text and
// allocates two arrays, not a node per key.
class TIndex {
 public:
  void Reserve(std::size_t count) {
    _Entries.reserve(count);
    _Slots.assign(std::bit_ceil(std::max<std::size_t>(2 * count, 16)), 0);
  }

  // Insert keeps the value already there for a key that occurs more than once.
  void Insert(std::u16string_view key, std::u16string_view value) {
    const std::size_t mask = _Slots.size() - 1;
    for (std::size_t slot = FoldedHash(key) & mask;; slot = (slot + 1) & mask) {
      if (_Slots[slot] == 0) {
        _Entries.push_back({key, value});
        _Slots[slot] = static_cast<std::uint32_t>(_Entries.size());
        return;
      }
      if (FoldedEqual(_Entries[_Slots[slot] - 1].Key, key)) {
        return;
      }
    }
  }

  std::optional<std::u16string_view> Find(std::u16string_view word) const {
    if (_Slots.empty()) {
      return std::nullopt;
    }
    const std::size_t mask = _Slots.size() - 1;
    for (std::size_t slot = FoldedHash(word) & mask; _Slots[slot] != 0; slot = (slot + 1) & mask) {
      const TEntry& entry = _Entries[_Slots[slot] - 1];
      if (FoldedEqual(entry.Key, word)) {
        return entry.Value;
      }
    }
    return std::nullopt;
  }

 private:
  struct TEntry {
    std::u16string_view Key;
    std::u16string_view Value;
  };
  std::vector<TEntry> _Entries;
  std::vector<std::uint32_t> _Slots;  // entry number + 1; 0 is an empty slot
};

// What the lookups read besides Dictionary itself, rebuilt whenever Dictionary is replaced. The
// scanner holds the joined text as its subject, encoded once when a scan first needs it, since
// indexed data never does; each scan only sets its pattern.
struct TDictionaryState {
  bool Indexable = true;
  TIndex Index;
  std::unique_ptr<TPattern> Scanner;
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
  std::size_t equals = 0;
  while (equals < line.size() && IsAsciiWordChar(line[equals])) {
    ++equals;
  }
  if (equals == 0 || equals + 1 >= line.size() || line[equals] != u'=') {
    return std::u16string_view::npos;
  }
  const std::u16string_view value = line.substr(equals + 1);
  if (std::ranges::any_of(value, [](char16_t c) { return c == u'=' || IsLineBreakChar(c); }) ||
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
  state.Index.Reserve(lines.size());
  for (const std::u16string_view line : lines) {
    const std::size_t equals = SplitIndexableLine(line);
    if (equals == std::u16string_view::npos) {
      state.Indexable = false;
      state.Index = TIndex();
      return state;
    }
    state.Index.Insert(line.substr(0, equals), line.substr(equals + 1));
  }
  return state;
}

TPattern& Scanner() {
  std::unique_ptr<TPattern>& scanner = State().Scanner;
  if (!scanner) {
    auto created = std::make_unique<TPattern>();
    created->SetOptions(preCaseLess);
    // A lookup pattern is made of the word, so it is never kept in the cache of fixed patterns.
    created->SetShared(false);
    // The scan is linear in the joined text, which far exceeds a word's budget.
    created->SetBudgeted(false);
    created->SetSubject(JoinLines(Dictionary));
    scanner = std::move(created);
  }
  return *scanner;
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
  lines.reserve(static_cast<std::size_t>(std::ranges::count(text, u'\n')) + 1);
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
  // The index holds views into the lines, so it is built over them where they will live; the
  // strings keep their place when the vector is moved, should the build fail.
  std::vector<std::u16string> previous = std::exchange(dictionaryLines, std::move(lines));
  try {
    State() = BuildState(Dictionary);
  } catch (...) {
    dictionaryLines = std::move(previous);
    throw;
  }
}

void FreeDictionary() {
  dictionaryLines = std::vector<std::u16string>();
  State() = TDictionaryState();
}

bool DictionaryIndexed() { return State().Indexable; }

std::optional<std::u16string_view> FindIndexedValue(std::u16string_view word) {
  return State().Index.Find(word);
}

std::u16string ScanDictionary(const std::u16string& word, bool literal) {
  // Any other text would be read as pattern syntax or match inside a line; it is not looked up.
  if (!IsWordRun(word)) {
    return word;
  }
  std::u16string regEx(kScanPrefix);
  regEx += word;
  regEx += kScanSuffix;
  // The literal lookup joins the list anew and searches it with the interpreter; otherwise the
  // scanner's subject, encoded once, serves.
  TPattern literalPattern;
  TPattern& pattern = literal ? literalPattern : Scanner();
  if (literal) {
    literalPattern.SetOptions(preCaseLess);
    literalPattern.SetJit(false);
    literalPattern.SetShared(false);
    literalPattern.SetBudgeted(false);
    literalPattern.SetSubject(JoinLines(Dictionary));
  }
  pattern.SetRegEx(regEx);
  std::u16string result = pattern.Match() ? pattern.Groups(1) : word;
  std::ranges::replace(result, u'"', u'`');
  return result;
}

}  // namespace lexipulse
