#include "cli/Blocks.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/Delimited.h"
#include "app/StressSourceText.h"
#include "cli/ConsoleHost.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

std::u16string JoinWithCrLf(const std::vector<std::u16string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + 2;
  }
  std::u16string text;
  text.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      text += u"\r\n";
    }
    text += lines[i];
  }
  return text;
}

// StressBlock stresses whole lines of UTF-8 text and returns them as UTF-8; it counts the
// word items it visited into words. The pipeline gets the lines joined with CR LF, as the
// window hands them over, and each line gets its own break back.
std::string StressBlock(std::string_view bytes, TStressOptions options, TProgressBar* progress,
                        std::int64_t& words) {
  std::vector<std::u16string> breaks;
  const std::vector<std::u16string> lines = SplitLines(Utf8ToUtf16(bytes), &breaks);
  TConsoleHost host(breaks, progress, words);
  // The console draws the highlight style as HTML.
  host.SetHtml(options.Style == TNotationStyle::Highlight);
  StressSourceText(JoinWithCrLf(lines), host, options);
  words += host.Words();
  return host.Output();
}

// BlockEnd is where the block that starts at start ends: just after the first line break
// at or past start + blockBytes (a CR LF kept whole), or at the end of the text.
std::size_t BlockEnd(std::string_view text, std::size_t start, std::size_t blockBytes) {
  const TLineBreak found = FindLineBreak(text, start + std::max<std::size_t>(blockBytes, 1) - 1);
  return found.Position + found.Length;
}

}  // namespace

void StressInBlocks(std::string_view text, TStressOptions options, std::size_t blockBytes,
                    TProgressBar* progress, const std::function<void(std::string_view)>& write) {
  std::int64_t words = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = BlockEnd(text, start, blockBytes);
    write(StressBlock(text.substr(start, end - start), options, progress, words));
    start = end;
  }
}

std::int64_t CountWordItems(std::string_view text) {
  return static_cast<std::int64_t>(std::ranges::count(text, ' ') + std::ranges::count(text, '\n') +
                                   1);
}

}  // namespace lexipulse
