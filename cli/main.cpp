#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ConsoleFrontEnd.h"

int main(int argc, char* argv[]) {
  // A closed pipe must end in a write error and exit status 1, not in a signal.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  lexipulse::TConsoleSettings settings;
  settings.ErrorIsTerminal = isatty(STDERR_FILENO) == 1;
  return lexipulse::RunConsole(args, std::cin, std::cout, std::cerr, settings);
}
