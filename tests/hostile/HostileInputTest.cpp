#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"
#include "tests/support/StressProperty.h"

namespace lexipulse {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Form is the engine's display form of one lowercased run, as UTF-8.
std::string Form(const std::string& run) {
  TWordToStress word(Utf8ToUtf16(run));
  word.Process();
  return Utf16ToUtf8(CapitalsToAccents(word.WordStressed()));
}

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) {
    text += piece;
  }
  return text;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

// THostileCase is one input with its stated outcome: exit 0 with the output (exact where it
// is given, and always keeping the property), or exit 1 with an error and no output.
struct THostileCase {
  const char* Name;
  std::string Input;
  int Status;
  std::optional<std::string> Output;
  std::string Error;
};

class HostileInputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }

  void SetUp() override {
    _Dir = fs::temp_directory_path() / ("lexipulse-hostile-" + std::to_string(getpid()));
    fs::create_directories(_Dir);
  }
  void TearDown() override { fs::remove_all(_Dir); }

  // RunProgram runs the built lexipulse-cli with the input on standard input.
  TRun RunProgram(const std::string& input) {
    const fs::path in = _Dir / "stdin";
    const fs::path out = _Dir / "stdout";
    const fs::path err = _Dir / "stderr";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = "'"s + LEXIPULSE_CLI_PATH + "' < '" + in.string() + "' > '" +
                                out.string() + "' 2> '" + err.string() + "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << "the program ended by a signal";
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
  }

  fs::path _Dir;
};

TEST_F(HostileInputTest, EveryInputEndsInItsStatedOutcome) {
  const std::string longLineUnit = "Photographs developed quickly, ";
  const std::string longWord = Repeat("Photograph", 1000);
  const std::string quotes = Repeat("\"", 100000);
  const std::string invalid = "standard input: invalid UTF-8 at ";

  const THostileCase kCases[] = {
      // Name, input, exit status, exact output (or only the property), error message.
      {"empty file", "", 0, "", ""},
      {"only spaces", Repeat(" ", 1000), 0, Repeat(" ", 1000), ""},
      {"only line feeds", Repeat("\n", 1000), 0, Repeat("\n", 1000), ""},
      {"CR LF text", "Photograph\r\nDeveloped words\r\n", 0,
       Form("photograph") + "\r\n" + Form("developed") + " " + Form("words") + "\r\n", ""},
      {"lone CR", "Alpha\rBeta", 0, Form("alpha") + "\rBeta", ""},
      {"1 MB line without a line feed", Repeat(longLineUnit, (1 << 20) / longLineUnit.size()), 0,
       Repeat(Form("photographs") + " " + Form("developed") + " " + Form("quickly") + ", ",
              (1 << 20) / longLineUnit.size()),
       ""},
      {"10,000-letter word", longWord, 0, Form(Repeat("photograph", 1000)), ""},
      {"100,000 double quotation marks", quotes, 0, quotes, ""},
      {"U+2021 markers and quotation marks",
       "\xE2\x80\xA1"
       "Dagger\xE2\x80\xA1 \"Quote\" x",
       0, "\xE2\x80\xA1" + Form("dagger") + "\xE2\x80\xA1 \"" + Form("quote") + "\" x", ""},
      {"NUL bytes", "Photo\0graph \0\0 words\0"s, 0,
       Form("photo") + "\0graph \0\0 "s + Form("words") + "\0"s, ""},
      {"tabs and no-break spaces", "Tab\tbed\xC2\xA0x Photograph\tdeveloped", 0,
       Form("tab") + "\tbed\xC2\xA0x " + Form("photograph") + "\tdeveloped", ""},
      {"emoji and combining marks",
       "Caf\xC3\xA9 \xF0\x9F\x98\x80 Photograph\xF0\x9F\x93\xB7 e\xCC\x81lan\xCC\x81", 0,
       "caf\xC3\xA9 \xF0\x9F\x98\x80 " + Form("photograph") + "\xF0\x9F\x93\xB7 " + Form("e") +
           "\xCC\x81lan\xCC\x81",
       ""},
      {"unpaired high surrogate", "Photograph \xED\xA0\x80 x", 1, std::nullopt,
       invalid + "line 1, column 12"},
      {"unpaired low surrogate", "ok\n\xED\xB0\x80", 1, std::nullopt, invalid + "line 2, column 1"},
      {"byte that starts no sequence", "ok\nab\xFF", 1, std::nullopt, invalid + "line 2, column 3"},
      {"overlong form", "\xC0\xAF", 1, std::nullopt, invalid + "line 1, column 1"},
      {"sequence cut off at the end", "Photograph\xE2\x82", 1, std::nullopt,
       invalid + "line 1, column 11"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunProgram(c.Input);
    ASSERT_EQ(run.Status, c.Status) << run.Err;
    if (c.Status == 0) {
      EXPECT_EQ(run.Err, "");
      EXPECT_EQ(CheckConsoleProperty(c.Input, run.Out), "");
      if (c.Output) {
        EXPECT_EQ(run.Out, *c.Output);
      }
    } else {
      EXPECT_EQ(run.Out, "");
      EXPECT_TRUE(run.Err.starts_with("lexipulse-cli: " + c.Error)) << run.Err;
    }
  }
}

}  // namespace
}  // namespace lexipulse
