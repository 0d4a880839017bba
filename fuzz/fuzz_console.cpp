#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "app/WordContext.h"
#include "cli/ConsoleFrontEnd.h"
#include "cli/Input.h"
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
  if (const std::optional<std::string> problem = FindTextProblem(input)) {
    FuzzCheck(status == 1, "a refused input did not exit with 1");
    FuzzCheck(out.str().empty(), "a refused input still wrote output");
    FuzzCheck(err.str() == "lexipulse-cli: standard input: " + *problem + "\n",
              "a refused input without its message: " + err.str());
    FuzzCheck(FindInvalidUtf8(input) || problem->starts_with("looks like UTF-16"),
              "valid UTF-8 refused: " + *problem);
    return 0;
  }
  FuzzCheck(!FindInvalidUtf8(input), "invalid UTF-8 accepted");
  FuzzCheck(status == 0, "valid UTF-8 failed: " + err.str());
  // The one message of a successful run is the warning about marks already in the text.
  const std::string expected =
      HoldsStressMarks(input)
          ? "lexipulse-cli: warning: the input already holds stress marks; they are marked "
            "again (--prefer-dictionary leaves marked words as they are)\n"
          : "";
  FuzzCheck(err.str() == expected, "a successful run wrote another message: " + err.str());
  const std::string difference = CheckConsoleProperty(input, out.str());
  FuzzCheck(difference.empty(), difference);
  return 0;
}
