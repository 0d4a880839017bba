#include "cli/Escape.h"

#include <cstddef>
#include <cstdio>

#include "pattern/Utf.h"

namespace lexipulse {

namespace {

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%s%0*X", prefix, digits, value);
  out += buffer;
}

// SequenceLength is the length of the valid UTF-8 sequence that starts text, or 0.
std::size_t SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (lead >= 0x80 && lead < 0xC0) {
    return 0;
  }
  if (length > text.size() || FindInvalidUtf8(text.substr(0, length))) {
    return 0;
  }
  return length;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text[0]);
    const std::size_t length = SequenceLength(text);
    if (length == 0) {
      AppendHex(out, "\\x", byte, 2);
      text.remove_prefix(1);
      continue;
    }
    if (byte == '\\') {
      out += "\\\\";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendHex(out, "\\x", byte, 2);
    } else if (byte == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
      AppendHex(out, "\\u", static_cast<unsigned char>(text[1]), 4);
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return out;
}

}  // namespace lexipulse
