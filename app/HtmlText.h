#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Notation.h"

namespace lexipulse {

// HtmlHead is the start of the HTML document of the highlight style (lexipulse-cli --style html,
// a formatted copy), up to the element that holds the text; HtmlTail closes it. The text goes in
// between as AppendHtml writes it, line breaks and spaces as typed (the element keeps white space).
std::string_view HtmlHead();
std::string_view HtmlTail();

// AppendHtml appends text (UTF-16) to out as UTF-8 HTML: &, <, > and " escaped, control
// characters other than tab, line feed and carriage return as character references, and the
// stressed letters wrapped, adjacent letters of one level together: primary stress in
// <span class="p"> (bold, underlined), secondary in <span class="s"> (underlined). Letters
// are positions in text, in ascending order.
void AppendHtml(std::u16string_view text, const std::vector<TStressedLetter>& letters,
                std::string& out);

}  // namespace lexipulse
