#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexipulse {

// BenchLines returns English prose for the benchmarks, the same on every run: sentences drawn
// from a built-in vocabulary of a few thousand words with a Zipf-like frequency, capitals at
// sentence starts, punctuation and some quotations, in lines of at most 80 characters. The
// lines hold about `characters` UTF-16 code units once joined with CR LF.
std::vector<std::u16string> BenchLines(std::size_t characters);

// JoinLines joins lines with separator: CR LF for a source box, a space for one paragraph.
std::u16string JoinLines(const std::vector<std::u16string>& lines, std::u16string_view separator);

}  // namespace lexipulse
