#include "app/Delimited.h"

#include <cstddef>

namespace lexipulse {

std::vector<std::u16string> SplitDelimited(std::u16string_view text, char16_t delimiter) {
  std::vector<std::u16string> items;
  if (text.empty()) {
    return items;
  }
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(delimiter, start);
    if (end == std::u16string_view::npos) {
      items.emplace_back(text.substr(start));
      return items;
    }
    items.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::u16string JoinDelimited(const std::vector<std::u16string>& items, char16_t delimiter) {
  std::u16string joined;
  if (items.empty()) {
    return joined;
  }
  std::size_t size = items.size() - 1;
  for (const auto& item : items) {
    size += item.size();
  }
  joined.reserve(size);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) {
      joined.push_back(delimiter);
    }
    joined += items[i];
  }
  return joined;
}

}  // namespace lexipulse
