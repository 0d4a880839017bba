#pragma once

#include <string>
#include <string_view>

namespace lexipulse {

// EscapeControls makes text (UTF-8, or bytes that should be) safe to echo on a terminal and
// to put in a tab-separated field: a backslash becomes \\, a tab, line feed and carriage
// return become \t, \n and \r, any other control character becomes \xHH (C0 and DEL) or
// \u0080 to \u009F (C1), and a byte that is not part of valid UTF-8 becomes \xHH. Everything
// else passes through unchanged.
std::string EscapeControls(std::string_view text);

}  // namespace lexipulse
