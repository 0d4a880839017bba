#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/SampleText.h"
#include "cli/ConsoleFrontEnd.h"
#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

namespace fs = std::filesystem;

// Form is the engine's display form of one lowercased run, as UTF-8.
std::string Form(const std::string& run) {
  TWordToStress word(Utf8ToUtf16(run));
  word.Process();
  return Utf16ToUtf8(CapitalsToAccents(word.WordStressed()));
}

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

TRun RunInProcess(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunConsole(args, in, out, err);
  return {status, out.str(), err.str()};
}

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class ConsoleFrontEndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    _Dir = fs::temp_directory_path() /
           (std::string("lexipulse-cli-") + info->name() + "-" + std::to_string(getpid()));
    fs::create_directories(_Dir);
  }
  void TearDown() override { fs::remove_all(_Dir); }

  fs::path WriteFile(const std::string& name, const std::string& bytes) {
    const fs::path path = _Dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // RunBinary runs the built program through the shell with stdin from a file.
  TRun RunBinary(const std::string& args, const std::string& input = "") {
    const fs::path in = WriteFile("stdin.txt", input);
    const fs::path out = _Dir / "stdout.txt";
    const fs::path err = _Dir / "stderr.txt";
    const std::string command = std::string("'") + LEXIPULSE_CLI_PATH + "' " + args + " < '" +
                                in.string() + "' > '" + out.string() + "' 2> '" + err.string() +
                                "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << command;
    return {WEXITSTATUS(raw), ReadAll(out), ReadAll(err)};
  }

  fs::path _Dir;
};

TEST_F(ConsoleFrontEndTest, LineEndingsComeBackAsTheyWentIn) {
  const std::string photograph = Form("photograph");
  const struct {
    const char* Name;
    std::string Input;
    std::string Output;
  } kCases[] = {
      {"empty input", "", ""},
      {"one line break", "\n", "\n"},
      {"LF", "Photograph\nPhotograph\n", photograph + "\n" + photograph + "\n"},
      {"CR LF", "Photograph\r\nPhotograph\r\n", photograph + "\r\n" + photograph + "\r\n"},
      {"mixed", "Photograph\r\nPhotograph\nPhotograph\rPhotograph",
       photograph + "\r\n" + photograph + "\n" + photograph + "\r" + photograph},
      {"empty lines kept", "\n\nPhotograph\n\n", "\n\n" + photograph + "\n\n"},
      {"four letters at a line end as in the window", "Word\nWord", Form("word") + "\nWord"},
      {"byte-order mark passes through", "\xEF\xBB\xBFPhotograph\n",
       "\xEF\xBB\xBF" + photograph + "\n"},
      {"non-ASCII text passes through",
       "Fianc\xC3\xA9"
       "e \xE2\x80\x9Cok\xE2\x80\x9D\n",
       Form("fianc") +
           "\xC3\xA9"
           "e \xE2\x80\x9C" +
           Form("ok") + "\xE2\x80\x9D\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunInProcess({}, c.Input);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, c.Output);
    EXPECT_EQ(run.Err, "");
  }
}

TEST_F(ConsoleFrontEndTest, FilesAndStandardInputAreReadInOrder) {
  const fs::path first = WriteFile("first.txt", "Photograph\n");
  const fs::path second = WriteFile("second.txt", "Elephant");
  const std::string photograph = Form("photograph");
  const std::string elephant = Form("elephant");
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    std::string Output;
  } kCases[] = {
      {"two files", {first.string(), second.string()}, photograph + "\n" + elephant},
      {"dash between files",
       {first.string(), "-", second.string()},
       photograph + "\n" + Form("stdin") + "\n" + elephant},
      {"dash alone", {"-"}, Form("stdin") + "\n"},
      {"file named like an option after --", {"--", first.string()}, photograph + "\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunInProcess(c.Args, "Stdin\n");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, c.Output);
  }
}

TEST_F(ConsoleFrontEndTest, UnreadableInputFailsWithItsName) {
  const fs::path missing = _Dir / "missing.txt";
  const fs::path good = WriteFile("good.txt", "Photograph\n");
  const fs::path bad = WriteFile("bad.txt", "first line\nsecond \xC3(\n");
  const struct {
    const char* Name;
    std::string Args;
    std::string Input;
    std::vector<std::string> Message;
  } kCases[] = {
      {"missing file", "'" + missing.string() + "'", "", {missing.string()}},
      {"directory", "'" + _Dir.string() + "'", "", {_Dir.string(), "directory"}},
      {"invalid UTF-8 in a file",
       "'" + good.string() + "' '" + bad.string() + "'",
       "",
       {bad.string(), "line 2", "column 8", "byte offset 18"}},
      {"invalid UTF-8 on standard input",
       "",
       "ok\n\xFF",
       {"standard input", "line 2", "byte offset 3"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunBinary(c.Args, c.Input);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    for (const auto& part : c.Message) {
      EXPECT_NE(run.Err.find(part), std::string::npos) << run.Err << " lacks " << part;
    }
  }
}

TEST_F(ConsoleFrontEndTest, OptionsAndUsageErrors) {
  const struct {
    const char* Name;
    std::string Args;
    int Status;
    std::string OutPart;
    std::string ErrPart;
  } kCases[] = {
      {"unknown option", "--frobnicate", 2, "", "Try 'lexipulse-cli --help'."},
      {"unknown short option", "-x", 2, "", "Try 'lexipulse-cli --help'."},
      {"sample with a file", "--sample file.txt", 2, "", "Try 'lexipulse-cli --help'."},
      {"help", "--help", 0, "Usage: lexipulse-cli", ""},
      {"help lists the options", "--help", 0, "--sample", ""},
      {"version", "--version", 0, "lexipulse-cli (Lexipulse) 0.99k\n", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunBinary(c.Args);
    EXPECT_EQ(run.Status, c.Status);
    EXPECT_NE(run.Out.find(c.OutPart), std::string::npos) << run.Out;
    EXPECT_NE(run.Err.find(c.ErrPart), std::string::npos) << run.Err;
    if (c.Status != 0) {
      EXPECT_EQ(run.Out, "");
    } else {
      EXPECT_EQ(run.Err, "");
    }
  }
}

TEST_F(ConsoleFrontEndTest, SampleIsStressedLineByLine) {
  const TRun run = RunBinary("--sample");
  EXPECT_EQ(run.Status, 0) << run.Err;
  // The sample through standard input gives the same lines with CR LF breaks.
  const TRun piped = RunInProcess({}, Utf16ToUtf8(SampleText()) + "\r\n");
  ASSERT_EQ(piped.Status, 0) << piped.Err;
  std::string expected = piped.Out;
  for (std::size_t at = expected.find("\r\n"); at != std::string::npos;
       at = expected.find("\r\n", at + 1)) {
    expected.erase(at, 1);
  }
  EXPECT_EQ(run.Out, expected);
  EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 30);
  EXPECT_EQ(run.Out.find("\xC2\xA0"), std::string::npos) << "no no-break-space line";
}

TEST_F(ConsoleFrontEndTest, WriteErrorsFailWithoutASignal) {
  // A pipe whose reader is gone, and a full device.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(fds[1], STDOUT_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDERR_FILENO);
    execl(LEXIPULSE_CLI_PATH, LEXIPULSE_CLI_PATH, "--sample", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  int raw = 0;
  ASSERT_EQ(waitpid(child, &raw, 0), child);
  EXPECT_TRUE(WIFEXITED(raw)) << "ended by signal " << WTERMSIG(raw);
  EXPECT_EQ(WEXITSTATUS(raw), 1);

  if (fs::exists("/dev/full")) {
    const int full = std::system(
        (std::string("'") + LEXIPULSE_CLI_PATH + "' --sample > /dev/full 2> /dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(full), 1);
  }
}

}  // namespace
}  // namespace lexipulse
