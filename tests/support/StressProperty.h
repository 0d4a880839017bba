#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexipulse {

// CheckStressProperty tells whether result is what the pipeline may make of input (both
// UTF-16, paragraphs joined with LF, the result without its closing no-break-space line): every
// character as in the input, except that each item up to the last item longer than four code
// units of its paragraph is ASCII-lowercased and, in a long item, the first run of ASCII word
// characters may carry capitals and the accented capitals of its vowels. Returns the empty
// string when it holds, otherwise a description of the first difference.
std::string CheckStressProperty(std::u16string_view input, std::u16string_view result);

// CheckConsoleProperty is the same promise for the console: the output (UTF-8) keeps every
// line break of the input (UTF-8) as it came, and its lines are the pipeline's result for the
// input's lines.
std::string CheckConsoleProperty(std::string_view input, std::string_view output);

// WordItemCount is the word total a run reports for input: one per word item of every
// non-empty paragraph.
std::int32_t WordItemCount(std::u16string_view input);

}  // namespace lexipulse
