#include "pattern/Lines.h"

namespace lexipulse {

std::vector<std::u16string> SplitLines(std::u16string_view text,
                                       std::vector<std::u16string>* breaks) {
  std::vector<std::u16string> lines;
  if (breaks != nullptr) {
    breaks->clear();
  }
  if (text.empty()) {
    return lines;
  }
  for (std::size_t start = 0;;) {
    const TLineBreak found = FindLineBreak(text, start);
    lines.emplace_back(text.substr(start, found.Position - start));
    if (found.Length == 0) {
      return lines;
    }
    if (breaks != nullptr) {
      breaks->emplace_back(text.substr(found.Position, found.Length));
    }
    start = found.Position + found.Length;
  }
}

}  // namespace lexipulse
