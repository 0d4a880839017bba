#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lexipulse {

// RunConsole is lexipulse-cli: it parses args (the arguments after the program name), reads
// UTF-8 text from the named files or from in, stresses it and writes the result to out with
// every line ending as it came in. Messages go to err. Returns the exit status: 0 on success,
// 1 when an input cannot be read or is not UTF-8 or the output cannot be written, 2 for a
// usage error.
int RunConsole(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace lexipulse
