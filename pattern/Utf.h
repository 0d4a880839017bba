#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lexipulse {

// Utf16ToUtf8 encodes UTF-16 as UTF-8. An unpaired surrogate is encoded as its own three-byte
// sequence, so Utf8ToUtf16 restores it exactly; the pattern engine never matches such bytes.
std::string Utf16ToUtf8(std::u16string_view text);
// Utf8ToUtf16 decodes what Utf16ToUtf8 produced (and any valid UTF-8); it never fails.
std::u16string Utf8ToUtf16(std::string_view text);

// TUtf8Error locates the first byte of a text that is not valid UTF-8.
struct TUtf8Error {
  std::size_t Offset;  // byte offset from the start of the text
  std::size_t Line;    // 1-based line of that byte (lines end at LF)
  std::size_t Column;  // 1-based byte offset within the line
};
// FindInvalidUtf8 returns the first invalid byte of a text that must be strict UTF-8
// (no surrogates, no overlong forms), or nothing when the text is valid.
std::optional<TUtf8Error> FindInvalidUtf8(std::string_view text);

}  // namespace lexipulse
