#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

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
  std::size_t Size() const { return _Values.size(); }

 private:
  // The decoded text, shared by copies; the map's keys and values are views into it.
  std::shared_ptr<const std::u16string> _Text;
  std::unordered_map<std::u16string_view, std::u16string_view> _Values;
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
