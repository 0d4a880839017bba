#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexipulse {

// DecodeDictionaryBytes turns raw dictionary data into text: UTF-8 or UTF-16 after a byte-order
// mark, Windows-1252 otherwise. Raises std::runtime_error for UTF-8 or UTF-16 that does not
// decode.
std::u16string DecodeDictionaryBytes(std::string_view bytes);

// FindUnpairedSurrogate returns the position of the first surrogate without its partner, or
// npos.
std::size_t FindUnpairedSurrogate(std::u16string_view text);

}  // namespace lexipulse
