#include "cli/Input.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "app/Delimited.h"
#include "cli/Escape.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

// UTF-16 is recognised from this many bytes at the start of an input.
constexpr std::size_t kUtf16SampleBytes = 4096;

// Utf16Source is the iconv name of the UTF-16 form bytes look like, or nullptr. Text of
// Latin letters in UTF-16 has a zero byte in nearly every pair, on the side of the high byte.
const char* Utf16Source(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return "UTF-16";
  }
  const std::size_t pairs = std::min(bytes.size(), kUtf16SampleBytes) / 2;
  std::size_t zerosFirst = 0;
  std::size_t zerosSecond = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    zerosFirst += bytes[2 * i] == '\0' ? 1 : 0;
    zerosSecond += bytes[2 * i + 1] == '\0' ? 1 : 0;
  }
  const auto oneSided = [pairs](std::size_t high, std::size_t low) {
    return pairs > 0 && 2 * high >= pairs && 4 * low < high;
  };
  if (oneSided(zerosSecond, zerosFirst)) {
    return "UTF-16LE";
  }
  if (oneSided(zerosFirst, zerosSecond)) {
    return "UTF-16BE";
  }
  return nullptr;
}

// Where is the line, column and byte offset of offset, which follows valid UTF-8, in a piece
// of an input that starts at place.
std::string Where(std::string_view bytes, std::size_t offset, TTextPlace place) {
  const std::string_view before = bytes.substr(0, offset);
  std::size_t line = place.Line;
  std::size_t lineStart = 0;
  for (TLineBreak found = FindLineBreak(before, 0); found.Length > 0;
       found = FindLineBreak(before, found.Position + found.Length)) {
    ++line;
    lineStart = found.Position + found.Length;
  }
  // Every character has exactly one byte that is not a continuation byte.
  const std::size_t column =
      1 + static_cast<std::size_t>(std::ranges::count_if(before.substr(lineStart), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
      }));
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + " (byte offset " +
         std::to_string(place.Offset + offset) + ")";
}

}  // namespace

std::optional<std::string> FindTextProblem(std::string_view bytes) {
  if (std::optional<std::string> problem = FindUtf16Problem(bytes)) {
    return problem;
  }
  return FindTextProblemAt(bytes, TTextPlace{});
}

std::optional<std::string> FindUtf16Problem(std::string_view inputStart) {
  if (const char* source = Utf16Source(inputStart)) {
    return std::string("looks like UTF-16; convert it to UTF-8, e.g. with iconv -f ") + source +
           " -t UTF-8";
  }
  return std::nullopt;
}

std::optional<std::string> FindTextProblemAt(std::string_view bytes, TTextPlace place) {
  if (const std::optional<TUtf8Error> bad = FindInvalidUtf8(bytes)) {
    return "invalid UTF-8 at " + Where(bytes, bad->Offset, place);
  }
  return std::nullopt;
}

void CheckText(std::string_view bytes, const std::string& name) {
  if (const std::optional<std::string> problem = FindTextProblem(bytes)) {
    throw TInputError(EscapeControls(name) + ": " + *problem);
  }
}

}  // namespace lexipulse
