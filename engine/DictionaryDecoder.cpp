#include "engine/DictionaryDecoder.h"

#include <array>
#include <stdexcept>
#include <string>

#include "pattern/Utf.h"

namespace lexipulse {

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

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

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

}  // namespace

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

}  // namespace lexipulse
