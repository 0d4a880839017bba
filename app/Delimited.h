#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pattern/Lines.h"

namespace lexipulse {

// SplitDelimited cuts text at every delimiter: an empty text gives no items, k delimiters
// give k + 1 items. Nothing is trimmed or quoted.
std::vector<std::u16string> SplitDelimited(std::u16string_view text, char16_t delimiter);
// JoinDelimited is the exact inverse of SplitDelimited.
std::u16string JoinDelimited(const std::vector<std::u16string>& items, char16_t delimiter);

}  // namespace lexipulse
