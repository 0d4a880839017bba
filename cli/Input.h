#pragma once

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

// ReadStandardInput reads in to its end; a failed read raises TInputError naming standard
// input and the system's reason, never a short text.
std::string ReadStandardInput(std::istream& in);

// ReadInputs reads the named files in order into one text, "-" being in; each input must be
// UTF-8 text (see FindTextProblem), else TInputError names it and tells why.
std::string ReadInputs(const std::vector<std::string>& inputs, std::istream& in);

// FindTextProblem tells why bytes are no UTF-8 text, or nothing when they are: either that
// they look like UTF-16 (a byte-order mark, or a zero byte in most pairs, always on the same
// side) with the command that converts them, or where the first invalid byte is, by line
// (lines end at CR LF, lone CR and lone LF), column (in characters) and byte offset.
std::optional<std::string> FindTextProblem(std::string_view bytes);

// CheckText raises TInputError "<name>: <problem>" when FindTextProblem finds one; name is
// echoed with its control characters escaped.
void CheckText(std::string_view bytes, const std::string& name);

}  // namespace lexipulse
