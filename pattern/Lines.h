#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexipulse {

// The one line splitter of the program: the pipeline, the console and the dictionary loader
// all cut text at CR LF, lone CR and lone LF with it.

// TLineBreak is a line break found in a text: where it starts and how many characters it
// takes (2 for CR LF, 1 for a lone CR or LF, 0 when the text ends without one).
struct TLineBreak {
  std::size_t Position;
  std::size_t Length;
};

// FindLineBreak finds the first line break at or after from, in the sense of a text box:
// CR LF, a lone CR and a lone LF are one break each. Without one it gives the end of the text
// with length 0. It serves UTF-16 text and UTF-8 bytes alike.
template <typename TChar>
TLineBreak FindLineBreak(std::basic_string_view<TChar> text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == TChar('\n')) {
      return {i, 1};
    }
    if (text[i] == TChar('\r')) {
      return {i, i + 1 < text.size() && text[i + 1] == TChar('\n') ? std::size_t{2} : 1};
    }
  }
  return {text.size(), 0};
}

// SplitLines cuts text into lines at CR LF, lone CR and lone LF, as a text box shows it: an
// empty text gives no lines, k breaks give k + 1 lines (a text ending with a break has an
// empty last line). When breaks is given it receives the break after each line but the last.
std::vector<std::u16string> SplitLines(std::u16string_view text,
                                       std::vector<std::u16string>* breaks = nullptr);

}  // namespace lexipulse
