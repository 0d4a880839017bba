#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexipulse {

// TDictionaryIndex maps keys to the value of their first line: views into the dictionary's
// lines, in an open-addressing table of entry numbers at most half full. Building it copies no
// text and allocates two arrays, not a node per key. Keys are hashed and compared with ASCII
// case folded, so a lookup needs no lowercased copy of the word.
class TDictionaryIndex {
 public:
  // Build indexes lines, which must outlive the index, and tells whether the index answers
  // every lookup as the scan would (see SplitIndexableLine); when not, the index stays empty.
  bool Build(const std::vector<std::u16string>& lines);
  std::optional<std::u16string_view> Find(std::u16string_view word) const;

 private:
  void Reserve(std::size_t count);
  // Insert keeps the value already there for a key that occurs more than once.
  void Insert(std::u16string_view key, std::u16string_view value);

  struct TEntry {
    std::u16string_view Key;
    std::u16string_view Value;
  };
  std::vector<TEntry> _Entries;
  std::vector<std::uint32_t> _Slots;  // entry number + 1; 0 is an empty slot
};

// SplitIndexableLine returns the position of the "=" of a line that the scan can only find
// from its start, through its whole key: exactly one "=", a non-empty key of ASCII word
// characters, and a non-empty value with no line break and no unpaired surrogate (which would
// make the subject invalid for the pattern engine). Any other line returns npos.
std::size_t SplitIndexableLine(std::u16string_view line);

// IsAsciiWordChar tells whether c is a word character of the pattern engine (ASCII letters,
// digits and the underscore).
bool IsAsciiWordChar(char16_t c);

}  // namespace lexipulse
