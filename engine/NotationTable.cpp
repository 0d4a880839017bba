#include "engine/NotationTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/Notation.h"
#include "engine/Resource.h"
#include "pattern/Lines.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

constexpr std::size_t kSplitMinLength = 5;
// The endings of the program's suffix split; the first that ends a word is the one split off.
constexpr std::array<std::u16string_view, 6> kEndings = {u"s", u"ly", u"ed", u"al", u"ing", u"ary"};

bool IsLowercaseLetter(char16_t c) { return c >= u'a' && c <= u'z'; }

// ValueFits tells whether value spells key, each letter plain or marked.
bool ValueFits(std::u16string_view key, std::u16string_view value) {
  if (key.empty() || key.size() != value.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (!IsLowercaseLetter(key[i])) return false;
    const char16_t plain = UnmarkedLetter(value[i]);
    if (plain != key[i] && !(plain >= u'A' && plain <= u'Z' && plain + (u'a' - u'A') == key[i])) {
      return false;
    }
  }
  return true;
}

// HashOf is FNV-1a over the key's code units; the keys are short lowercase words.
std::uint64_t HashOf(std::u16string_view key) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char16_t c : key) {
    hash = (hash ^ c) * 1099511628211ULL;
  }
  return hash ^ (hash >> 29);
}

TNotationTable LoadTable(std::string_view name) {
  const std::optional<std::string_view> bytes = FindResource(name);
  if (!bytes) throw std::runtime_error("Resource " + std::string(name) + " not found");
  return TNotationTable(*bytes);
}

}  // namespace

TNotationTable::TNotationTable(std::string_view utf8)
    : _Text(std::make_shared<const std::u16string>(Utf8ToUtf16(utf8))) {
  const std::u16string& text = *_Text;
  if (text.size() > UINT32_MAX) throw std::runtime_error("notation table too large");
  std::vector<TSlot> lines;
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < text.size();) {
    const TLineBreak found = FindLineBreak(std::u16string_view(text), start);
    const std::u16string_view line(text.data() + start, found.Position - start);
    const std::size_t lineStart = start;
    start = found.Position + found.Length;
    ++lineNumber;
    if (line.empty()) continue;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos ||
        !ValueFits(line.substr(0, equals), line.substr(equals + 1))) {
      throw std::runtime_error("notation table line " + std::to_string(lineNumber) +
                               " is not key=value: " + Utf16ToUtf8(line));
    }
    lines.push_back({static_cast<std::uint32_t>(lineStart), static_cast<std::uint32_t>(equals)});
  }
  // At most half the slots are taken, so a probe ends soon at a free slot.
  std::size_t slots = 16;
  while (slots < 2 * lines.size()) slots *= 2;
  _Slots.resize(slots);
  for (const TSlot& line : lines) {
    const std::u16string_view key(text.data() + line.Offset, line.Length);
    TSlot& slot = _Slots[SlotOf(key)];
    // The first line of a key wins, as in the dictionary.
    if (slot.Length == 0) {
      slot = line;
      ++_Size;
    }
  }
}

std::size_t TNotationTable::SlotOf(std::u16string_view key) const {
  const std::size_t mask = _Slots.size() - 1;
  for (std::size_t at = HashOf(key) & mask;; at = (at + 1) & mask) {
    const TSlot& slot = _Slots[at];
    if (slot.Length == 0 || std::u16string_view(_Text->data() + slot.Offset, slot.Length) == key) {
      return at;
    }
  }
}

std::optional<std::u16string_view> TNotationTable::Find(std::u16string_view key) const {
  if (_Slots.empty() || key.empty()) return std::nullopt;
  const TSlot& slot = _Slots[SlotOf(key)];
  if (slot.Length == 0) return std::nullopt;
  return std::u16string_view(_Text->data() + slot.Offset + slot.Length + 1, slot.Length);
}

const TNotationTable& StressLevelsTable() {
  static const TNotationTable kTable = LoadTable("STRESSLEVELS");
  return kTable;
}

const TNotationTable& BritishTable() {
  static const TNotationTable kTable = LoadTable("BRITISH");
  return kTable;
}

std::optional<std::u16string> LookUpWithEnding(const TNotationTable& table,
                                               std::u16string_view word, bool lookUpRadical) {
  if (const auto whole = table.Find(word)) return std::u16string(*whole);
  if (!lookUpRadical || word.size() < kSplitMinLength) return std::nullopt;
  for (const std::u16string_view ending : kEndings) {
    if (!word.ends_with(ending)) continue;
    const std::u16string_view radical = word.substr(0, word.size() - ending.size());
    if (const auto found = table.Find(radical))
      return std::u16string(*found) + std::u16string(ending);
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace lexipulse
