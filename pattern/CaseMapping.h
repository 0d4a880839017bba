#pragma once

#include <string>

namespace lexipulse {

// AsciiUpperCase maps a-z to A-Z and leaves every other code unit as it is.
std::u16string AsciiUpperCase(const std::u16string& text);
// AsciiLowerCase maps A-Z to a-z and leaves every other code unit as it is.
std::u16string AsciiLowerCase(const std::u16string& text);
// UnicodeUpperCase maps every code unit through simple Unicode case mapping, one unit to one
// unit, so the length never changes (é becomes É; surrogates stay as they are).
std::u16string UnicodeUpperCase(const std::u16string& text);
// UnicodeLowerCase is the lower-case counterpart of UnicodeUpperCase.
std::u16string UnicodeLowerCase(const std::u16string& text);

}  // namespace lexipulse
