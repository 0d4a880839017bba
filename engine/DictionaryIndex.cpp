#include "engine/DictionaryIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/DictionaryDecoder.h"

namespace lexipulse {

namespace {

// The characters that end a line for the pattern engine's newline convention, so that '.' of
// the scan never crosses them.
bool IsLineBreakChar(char16_t c) {
  return c == u'\r' || c == u'\n' || c == 0x000B || c == 0x000C || c == 0x0085 || c == 0x2028 ||
         c == 0x2029;
}

char16_t AsciiFold(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

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

}  // namespace

bool IsAsciiWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

void TDictionaryIndex::Reserve(std::size_t count) {
  _Entries.reserve(count);
  _Slots.assign(std::bit_ceil(std::max<std::size_t>(2 * count, 16)), 0);
}

void TDictionaryIndex::Insert(std::u16string_view key, std::u16string_view value) {
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

std::optional<std::u16string_view> TDictionaryIndex::Find(std::u16string_view word) const {
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

bool TDictionaryIndex::Build(const std::vector<std::u16string>& lines) {
  *this = TDictionaryIndex();
  Reserve(lines.size());
  for (const std::u16string_view line : lines) {
    const std::size_t equals = SplitIndexableLine(line);
    if (equals == std::u16string_view::npos) {
      *this = TDictionaryIndex();
      return false;
    }
    Insert(line.substr(0, equals), line.substr(equals + 1));
  }
  return true;
}

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

}  // namespace lexipulse
