#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/ConsoleFrontEnd.h"

namespace lexipulse {

// TRun is what one run of the console front end gave: its exit status and both streams.
struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

// RunCli runs the console front end in this process on input, with the default settings.
inline TRun RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunConsole(args, in, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace lexipulse
