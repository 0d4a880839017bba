#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/ConsoleFrontEnd.h"
#include "fuzz/FuzzText.h"
#include "pattern/Utf.h"
#include "tests/support/StressProperty.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lexipulse;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunConsole({}, in, out, err);
  if (FindInvalidUtf8(input)) {
    FuzzCheck(status == 1, "invalid UTF-8 did not exit with 1");
    FuzzCheck(out.str().empty(), "invalid UTF-8 still wrote output");
    FuzzCheck(err.str().find("invalid UTF-8 at line ") != std::string::npos,
              "invalid UTF-8 without its message: " + err.str());
    return 0;
  }
  FuzzCheck(status == 0, "valid UTF-8 failed: " + err.str());
  FuzzCheck(err.str().empty(), "a successful run wrote a message: " + err.str());
  const std::string difference = CheckConsoleProperty(input, out.str());
  FuzzCheck(difference.empty(), difference);
  return 0;
}
