#include "cli/ConsoleHost.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/HtmlText.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

// The progress bar learns the word count this often, which keeps the clock off the hot path.
constexpr std::int64_t kProgressStride = 256;

}  // namespace

void TConsoleHost::SetWordProgress(int, int) {
  if (++_Words % kProgressStride == 0 && _Progress != nullptr) {
    _Progress->Update(_WordsBefore + _Words);
  }
}

void TConsoleHost::SetResultText(const TResultText& text) {
  if (!text.Complete()) {
    return;
  }
  // The result has one paragraph per input line; anything else would lose or invent text.
  if (text.ParagraphCount() != _Breaks.size() + 1) {
    throw std::logic_error("the result has " + std::to_string(text.ParagraphCount()) +
                           " lines for an input of " + std::to_string(_Breaks.size() + 1));
  }
  _Output.clear();
  for (std::size_t p = 0; p < text.ParagraphCount(); ++p) {
    std::u16string_view line = text.Paragraph(p);
    // The CR of the CR LF join stays on every paragraph but the last.
    if (p < _Breaks.size() && line.ends_with(u'\r')) {
      line.remove_suffix(1);
    }
    if (_Html) {
      AppendHtml(line, text.Letters(p), _Output);
    } else {
      _Output += Utf16ToUtf8(line);
    }
    if (p < _Breaks.size()) {
      _Output += Utf16ToUtf8(_Breaks[p]);
    }
  }
}

}  // namespace lexipulse
