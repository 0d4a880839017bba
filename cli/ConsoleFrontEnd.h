#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/InputReader.h"
#include "cli/ProgressBar.h"

namespace lexipulse {

// TConsoleSettings are what RunConsole needs to know about its surroundings.
struct TConsoleSettings {
  // ErrorIsTerminal tells whether err shows on a terminal, where a long run draws progress.
  bool ErrorIsTerminal = false;
  // An input of more than ProgressMinBytes bytes shows progress.
  std::size_t ProgressMinBytes = std::size_t{256} << 10;
  // The text is stressed in blocks of whole lines of about BlockBytes bytes, each written out
  // before the next starts, so the working copies stay the size of a block.
  std::size_t BlockBytes = std::size_t{512} << 10;
  // A line longer than LongestLine bytes is refused.
  std::size_t LongestLine = kLongestLineBytes;
  TProgressBar::TClock Clock = std::chrono::steady_clock::now;
};

// RunConsole is lexipulse-cli: it parses args (the arguments after the program name), reads
// UTF-8 text from the named files or from in, stresses it and writes the result to out (or to
// the file of -o) with every line ending as it came in; --explain writes one line per word
// instead. Messages and progress go to err. Returns the exit status: 0 on success, 1 when an
// input cannot be read or is not UTF-8 or the output cannot be written, 2 for a usage error.
int RunConsole(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, const TConsoleSettings& settings = {});

}  // namespace lexipulse
