#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexipulse {

// TNotationTable is a table of key=value lines whose values write the letters of the key with
// the stressed vowel letters of the nucleus marked: accented capitals (Á É Í Ó Ú Ý) for primary
// stress, lowercase grave vowels (à è ì ò ù ỳ) for secondary. A value without any mark is a
// word of one syllable. The data is UTF-8, one line per key, LF or CR LF between lines.
class TNotationTable {
 public:
  TNotationTable() = default;
  // The text is parsed whole; raises std::runtime_error naming the first line that is not
  // key=value with a value of the key's own letters.
  explicit TNotationTable(std::string_view utf8);

  // Find returns the value of key, or nothing.
  std::optional<std::u16string_view> Find(std::u16string_view key) const;
  std::size_t Size() const { return _Size; }

 private:
  // A slot of the open-addressing index names one line by where its key starts in the text and
  // how long it is; the value follows the key and its '=' and has the key's length. Length 0
  // marks a free slot. The index is a few bytes a key, so a look-up touches a slot and the
  // line, not the nodes of a hash map spread over the heap.
  struct TSlot {
    std::uint32_t Offset = 0;
    std::uint32_t Length = 0;
  };

  std::size_t SlotOf(std::u16string_view key) const;

  // The decoded text, shared by copies.
  std::shared_ptr<const std::u16string> _Text;
  std::vector<TSlot> _Slots;
  std::size_t _Size = 0;
};

// StressLevelsTable is the table built into the program from the pronunciation dictionary's
// three stress levels: the primary stress on the nucleus only, the secondary stress, and the
// words of one syllable, for every word where these differ from the dictionary's own marks.
// It is read from its resource at the first call.
const TNotationTable& StressLevelsTable();

// BritishTable is the table of the words whose British primary stress differs from the
// dictionary's, with their British primary and secondary stress; read at the first call.
const TNotationTable& BritishTable();

// LookUpWithEnding finds word in table, or else, when lookUpRadical allows, the radical left
// by the suffix split (s, ly, ed, ing, al, ary off a word of five letters or more) followed by
// the split-off ending unmarked. Nothing when neither has a line.
std::optional<std::u16string> LookUpWithEnding(const TNotationTable& table,
                                               std::u16string_view word, bool lookUpRadical = true);

}  // namespace lexipulse
