#include "pattern/Utf.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lexipulse {

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

struct TDecoded {
  char32_t CodePoint;
  std::size_t Length;  // 0 when the bytes at the position are no sequence
};

// DecodeAt reads one sequence at pos. It accepts the three-byte encoding of a surrogate only
// when allowSurrogates is set; overlong forms and values above U+10FFFF are always rejected.
TDecoded DecodeAt(std::string_view text, std::size_t pos, bool allowSurrogates) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    return {lead, 1};
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    codePoint = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    codePoint = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    codePoint = lead & 0x07;
    minimum = 0x10000;
  } else {
    return {0, 0};
  }
  if (text.size() - pos < length) return {0, 0};
  for (std::size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(text[pos + k]);
    if (!IsContinuation(byte)) return {0, 0};
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF) return {0, 0};
  if (!allowSurrogates && (IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint))) {
    return {0, 0};
  }
  return {codePoint, length};
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      // An unpaired surrogate gets its own three-byte form so that decoding restores it.
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const TDecoded decoded = DecodeAt(text, pos, true);
    if (decoded.Length == 0) {
      // Only foreign bytes get here; each stands for one replacement character.
      out += kReplacementCharacter;
      ++pos;
      continue;
    }
    if (decoded.CodePoint >= 0x10000) {
      const char32_t offset = decoded.CodePoint - 0x10000;
      out += static_cast<char16_t>(0xD800 + (offset >> 10));
      out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    } else {
      out += static_cast<char16_t>(decoded.CodePoint);
    }
    pos += decoded.Length;
  }
  return out;
}

std::optional<TUtf8Error> FindInvalidUtf8(std::string_view text) {
  // Runs of ASCII, the bulk of any text, are passed over eight bytes at a time; the line and
  // column are worked out only for the byte that is wrong.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::uint64_t eight = 0;
    while (pos + sizeof eight <= text.size() &&
           (std::memcpy(&eight, text.data() + pos, sizeof eight), (eight & kHighBits) == 0)) {
      pos += sizeof eight;
    }
    if (pos == text.size()) break;
    const TDecoded decoded = DecodeAt(text, pos, false);
    if (decoded.Length == 0) {
      const std::string_view before = text.substr(0, pos);
      const std::size_t lastBreak = before.rfind('\n');
      const std::size_t lineStart = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
      return TUtf8Error{pos, 1 + static_cast<std::size_t>(std::ranges::count(before, '\n')),
                        pos - lineStart + 1};
    }
    pos += decoded.Length;
  }
  return std::nullopt;
}

}  // namespace lexipulse
