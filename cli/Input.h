#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lexipulse {

// TInputError is an input that cannot be read or decoded, reported with exit status 1.
class TInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// kLongestLineBytes is the longest line the console takes, in bytes: a longer one is refused
// rather than held in memory.
inline constexpr std::size_t kLongestLineBytes = std::size_t{256} << 20;

// TTextPlace is where a piece of an input starts: its line (1-based) and byte offset. Pieces
// always start at the start of a line.
struct TTextPlace {
  std::size_t Line = 1;
  std::size_t Offset = 0;
};

// FindTextProblem tells why bytes are no UTF-8 text, or nothing when they are: either that
// they look like UTF-16 (a byte-order mark, or a zero byte in most pairs, always on the same
// side) with the command that converts them, or where the first invalid byte is, by line
// (lines end at CR LF, lone CR and lone LF), column (in characters) and byte offset.
std::optional<std::string> FindTextProblem(std::string_view bytes);

// FindUtf16Problem is the UTF-16 half of FindTextProblem, for the first bytes of an input (the
// guess looks at 4096 bytes at most).
std::optional<std::string> FindUtf16Problem(std::string_view inputStart);

// FindTextProblemAt is the UTF-8 half of FindTextProblem, for a piece of an input that starts
// at place.
std::optional<std::string> FindTextProblemAt(std::string_view bytes, TTextPlace place);

// CheckText raises TInputError "<name>: <problem>" when FindTextProblem finds one; name is
// echoed with its control characters escaped.
void CheckText(std::string_view bytes, const std::string& name);

}  // namespace lexipulse
