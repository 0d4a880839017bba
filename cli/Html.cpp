#include "cli/Html.h"

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

void AppendEscaped(std::u16string_view text, std::string& out) {
  std::size_t plain = 0;
  auto flush = [&](std::size_t end) {
    if (end > plain) out += Utf16ToUtf8(text.substr(plain, end - plain));
    plain = end + 1;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const char* entity = nullptr;
    switch (c) {
      case u'&':
        entity = "&amp;";
        break;
      case u'<':
        entity = "&lt;";
        break;
      case u'>':
        entity = "&gt;";
        break;
      case u'"':
        entity = "&quot;";
        break;
      default:
        break;
    }
    const bool control = (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0x7F ||
                         (c >= 0x80 && c <= 0x9F);
    if (entity == nullptr && !control) continue;
    flush(i);
    if (entity != nullptr) {
      out += entity;
    } else {
      char reference[16];
      std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(c));
      out += reference;
    }
  }
  flush(text.size());
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
