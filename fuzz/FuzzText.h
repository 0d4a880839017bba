#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace lexipulse {

// FuzzUtf16 turns fuzz bytes into UTF-16 that is mostly ASCII, so words and punctuation are
// common, yet reaches every code unit, lone surrogates included: a byte below 0x80 is that
// character, any other byte takes the next two bytes as one code unit.
inline std::u16string FuzzUtf16(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      text.push_back(byte);
    } else if (i + 2 < bytes.size()) {
      text.push_back(static_cast<char16_t>((static_cast<unsigned char>(bytes[i + 1]) << 8) |
                                           static_cast<unsigned char>(bytes[i + 2])));
      i += 2;
    }
  }
  return text;
}

// FuzzCheck stops the run with the broken property named, which libFuzzer reports as a crash
// and saves the input for.
inline void FuzzCheck(bool holds, const std::string& what) {
  if (!holds) {
    std::fprintf(stderr, "Property broken: %s\n", what.c_str());
    std::abort();
  }
}

}  // namespace lexipulse
