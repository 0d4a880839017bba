#include "app/HtmlText.h"

#include <cstddef>
#include <cstdio>

#include "pattern/Utf.h"

namespace lexipulse {

namespace {

constexpr std::string_view kHead =
    "<!DOCTYPE html>\n"
    "<html lang=\"en\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title>Lexipulse</title>\n"
    "<style>\n"
    ".text { white-space: pre-wrap; line-height: 1.6; }\n"
    ".p { font-weight: bold; text-decoration: underline; }\n"
    ".s { text-decoration: underline; }\n"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<div class=\"text\">";
constexpr std::string_view kTail =
    "</div>\n"
    "</body>\n"
    "</html>\n";

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// AppendEscaped appends text as UTF-8 with what HTML needs escaped, straight into out.
void AppendEscaped(std::u16string_view text, std::string& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      switch (c) {
        case u'&':
          out += "&amp;";
          continue;
        case u'<':
          out += "&lt;";
          continue;
        case u'>':
          out += "&gt;";
          continue;
        case u'"':
          out += "&quot;";
          continue;
        default:
          break;
      }
      if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0x7F) {
        char reference[16];
        std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(c));
        out += reference;
      } else {
        out += static_cast<char>(c);
      }
    } else if (c <= 0x9F) {
      char reference[16];
      std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(c));
      out += reference;
    } else if (IsSurrogate(c)) {
      // A pair is encoded together; Utf16ToUtf8 also keeps a lone one as the converter does.
      const std::size_t length =
          i + 1 < text.size() && c < 0xDC00 && IsSurrogate(text[i + 1]) && text[i + 1] >= 0xDC00
              ? 2
              : 1;
      out += Utf16ToUtf8(text.substr(i, length));
      i += length - 1;
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

}  // namespace

std::string_view HtmlHead() { return kHead; }
std::string_view HtmlTail() { return kTail; }

void AppendHtml(std::u16string_view text, const std::vector<TStressedLetter>& letters,
                std::string& out) {
  std::size_t done = 0;
  for (std::size_t k = 0; k < letters.size();) {
    const std::size_t begin = letters[k].Position;
    if (begin < done || begin >= text.size()) {
      ++k;
      continue;
    }
    const TStressLevel level = letters[k].Level;
    std::size_t end = begin + 1;
    ++k;
    while (k < letters.size() && letters[k].Position == end && letters[k].Level == level &&
           end < text.size()) {
      ++end;
      ++k;
    }
    AppendEscaped(text.substr(done, begin - done), out);
    out += level == TStressLevel::Primary ? "<span class=\"p\">" : "<span class=\"s\">";
    AppendEscaped(text.substr(begin, end - begin), out);
    out += "</span>";
    done = end;
  }
  AppendEscaped(text.substr(done), out);
}

}  // namespace lexipulse
