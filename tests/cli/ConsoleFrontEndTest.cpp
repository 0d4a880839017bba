#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/SampleText.h"
#include "cli/ConsoleFrontEnd.h"
#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"
#include "tests/cli/ConsoleRun.h"

namespace lexipulse {
namespace {

namespace fs = std::filesystem;

// Form is the engine's display form of one lowercased run, as UTF-8.
std::string Form(const std::string& run) {
  TWordToStress word(Utf8ToUtf16(run));
  word.Process();
  return Utf16ToUtf8(CapitalsToAccents(word.WordStressed()));
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

  // RunInFolder runs the built program through the shell inside the test folder.
  TRun RunInFolder(const std::string& args) {
    const std::string command = "cd '" + _Dir.string() + "' && '" + LEXIPULSE_CLI_PATH + "' " +
                                args + " > stdout.txt 2> stderr.txt";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << command;
    return {WEXITSTATUS(raw), ReadAll(_Dir / "stdout.txt"), ReadAll(_Dir / "stderr.txt")};
  }

  // ExpectNoTemporaryFiles finds no hidden file anywhere under the test folder.
  void ExpectNoTemporaryFiles() {
    for (const auto& entry : fs::recursive_directory_iterator(_Dir)) {
      EXPECT_NE(entry.path().filename().string().front(), '.')
          << "temporary file left: " << entry.path();
    }
  }

  void ResetFolder() {
    fs::remove_all(_Dir);
    fs::create_directories(_Dir);
  }

  fs::path _Dir;
};

// Stressing marked text again marks it twice in the default order, which says so once; the
// dictionary-first order leaves marked words as they are and has nothing to say.
TEST_F(ConsoleFrontEndTest, MarkedInputIsReportedOnceInTheDefaultOrder) {
  const std::string warning =
      "lexipulse-cli: warning: the input already holds stress marks; they are marked again "
      "(--prefer-dictionary leaves marked words as they are)\n";
  const std::string marked = "h\xC3\x89ll\xC3\x93 w\xC3\x93rld\nrec\xC3\x93rd ag\xC3\x81in\n";
  const fs::path file = WriteFile("marked.txt", marked);
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    std::string Input;
    std::string Err;
  } kCases[] = {
      {"marked standard input", {}, marked, warning},
      {"two marked files, one warning", {file.string(), file.string()}, "", warning},
      {"dictionary first", {"--prefer-dictionary"}, marked, ""},
      {"unmarked input", {}, "hello world\n", ""},
      {"an accented capital outside a word", {}, "\xC3\x89 caf\xC3\xA9\n", ""},
  };
  for (const auto& c : kCases) {
    const TRun run = RunCli(c.Args, c.Input);
    EXPECT_EQ(run.Status, 0) << c.Name;
    EXPECT_EQ(run.Err, c.Err) << c.Name;
  }
  EXPECT_EQ(RunCli({"--prefer-dictionary"}, marked).Out, marked);
}

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
    const TRun run = RunCli({}, c.Input);
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
    const TRun run = RunCli(c.Args, "Stdin\n");
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

TEST_F(ConsoleFrontEndTest, InputThatIsNoUtf8TextIsRefusedWithWhatToDo) {
  const struct {
    const char* Name;
    std::string Input;
    std::string Message;  // after "lexipulse-cli: standard input: "; empty when accepted
  } kCases[] = {
      {"UTF-16 with a little-endian byte-order mark", std::string("\xFF\xFEh\0i\0", 6),
       "looks like UTF-16; convert it to UTF-8, e.g. with iconv -f UTF-16 -t UTF-8"},
      {"UTF-16 with a big-endian byte-order mark", std::string("\xFE\xFF\0h\0i", 6),
       "looks like UTF-16; convert it to UTF-8, e.g. with iconv -f UTF-16 -t UTF-8"},
      {"one zero byte in a text is no UTF-16", std::string("W\0ord\n", 6), ""},
      {"little-endian UTF-16 without a mark, every pair", std::string("h\0e\0l\0l\0o\0\n\0", 12),
       "looks like UTF-16; convert it to UTF-8, e.g. with iconv -f UTF-16LE -t UTF-8"},
      {"big-endian UTF-16 without a mark", std::string("\0h\0e\0l\0l\0o", 10),
       "looks like UTF-16; convert it to UTF-8, e.g. with iconv -f UTF-16BE -t UTF-8"},
      {"zero bytes on both sides are no UTF-16", std::string(8, '\0'), ""},
      {"columns count characters", "caf\xC3\xA9 \xE2\x80\x9C\xFF",
       "invalid UTF-8 at line 1, column 7 (byte offset 9)"},
      {"a lone CR ends a line", "one\rtwo\rthree \xFF",
       "invalid UTF-8 at line 3, column 7 (byte offset 14)"},
      {"CR LF ends one line", "one\r\ntwo\xC3(",
       "invalid UTF-8 at line 2, column 4 (byte offset 8)"},
      {"LF CR ends two", "one\n\r\xFF", "invalid UTF-8 at line 3, column 1 (byte offset 5)"},
      {"CR just before the bad byte", "one\r\xFF",
       "invalid UTF-8 at line 2, column 1 (byte offset 4)"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunCli({}, c.Input);
    if (c.Message.empty()) {
      EXPECT_EQ(run.Status, 0) << run.Err;
      EXPECT_EQ(run.Err, "");
      continue;
    }
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "lexipulse-cli: standard input: " + c.Message + "\n");
  }
}

TEST_F(ConsoleFrontEndTest, NamesAndWordsAreEchoedWithControlCharactersEscaped) {
  WriteFile("bad\nname\x1B[2J.txt", "\xFF");
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    int Status;
    std::string Err;
  } kCases[] = {
      {"missing file",
       {"\x1B]0;pwned\x07gone.txt"},
       1,
       "lexipulse-cli: \\x1B]0;pwned\\x07gone.txt: cannot open: No such file or directory\n"},
      {"file not UTF-8",
       {(_Dir / "bad\nname\x1B[2J.txt").string()},
       1,
       "lexipulse-cli: " + (_Dir / "bad\\nname\\x1B[2J.txt").string() +
           ": invalid UTF-8 at line 1, column 1 (byte offset 0)\n"},
      {"unknown option",
       {"--\x1B[2J"},
       2,
       "lexipulse-cli: unrecognized option '--\\x1B[2J'\nTry 'lexipulse-cli --help'.\n"},
      {"word not UTF-8",
       {"--explain", "\x1B[2J\xC3"},
       1,
       "lexipulse-cli: word '\\x1B[2J\\xC3': invalid UTF-8 at line 1, column 5 (byte offset 4)\n"},
      {"output name",
       {"-o", (_Dir / "no\rwhere" / "out.txt").string(), "--sample"},
       1,
       "lexipulse-cli: " + (_Dir / "no\\rwhere" / "out.txt").string() +
           ": cannot create a temporary file in " + (_Dir / "no\\rwhere").string() +
           ": No such file or directory\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = RunCli(c.Args);
    EXPECT_EQ(run.Status, c.Status);
    EXPECT_EQ(run.Err, c.Err);
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
      {"-o without a file", "-o", 2, "", "'-o' needs a file name\nTry 'lexipulse-cli --help'."},
      {"-o twice", "-o a.txt -o b.txt", 2, "",
       "only one -o FILE may be given\nTry 'lexipulse-cli --help'."},
      {"empty output name", "--output=", 2, "", "-o needs a file name\nTry"},
      {"explain with sample", "--explain --sample", 2, "", "cannot be used together\nTry"},
      {"help tells the explain format", "--help", 0, "dictionary develop+ed found", ""},
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

// Mode is the permission bits of a file.
mode_t Mode(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

TEST_F(ConsoleFrontEndTest, OutputFileIsReplacedByTheWholeResult) {
  const std::string photograph = Form("photograph");
  const mode_t mask = umask(0);
  umask(mask);
  const struct {
    const char* Name;
    std::string Input;  // written to in.txt
    std::string Args;   // after the program name; in.txt and out.txt are in the test folder
    bool OutputExists;
    mode_t OldMode;
    std::string OutFile;  // the name that gets the result
    mode_t NewMode;
  } kCases[] = {
      {"new file", "Photograph\n", "-o out.txt in.txt", false, 0, "out.txt", 0666 & ~mask},
      {"existing file keeps its permissions", "Photograph\n", "-o out.txt in.txt", true, 0640,
       "out.txt", 0640},
      {"long option", "Photograph\n", "--output=out.txt in.txt", true, 0600, "out.txt", 0600},
      {"-o naming the input", "Photograph\r\n", "-o in.txt in.txt", false, 0, "in.txt", 0644},
      {"from standard input", "Photograph\n", "-oout.txt < in.txt", false, 0, "out.txt",
       0666 & ~mask},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    fs::remove_all(_Dir);
    fs::create_directories(_Dir);
    const fs::path in = WriteFile("in.txt", c.Input);
    fs::permissions(in, static_cast<fs::perms>(0644));
    if (c.OutputExists) {
      fs::permissions(WriteFile("out.txt", "old contents"), static_cast<fs::perms>(c.OldMode));
    }
    const std::string command = "cd '" + _Dir.string() + "' && '" + LEXIPULSE_CLI_PATH + "' " +
                                c.Args + " > stdout.txt 2> stderr.txt";
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 0) << ReadAll(_Dir / "stderr.txt");
    EXPECT_EQ(ReadAll(_Dir / "stdout.txt"), "");
    const std::string breakOfInput = c.Input.substr(c.Input.find_first_of("\r\n"));
    EXPECT_EQ(ReadAll(_Dir / c.OutFile), photograph + breakOfInput);
    EXPECT_EQ(Mode(_Dir / c.OutFile), c.NewMode);
    for (const auto& entry : fs::directory_iterator(_Dir)) {
      EXPECT_NE(entry.path().filename().string().front(), '.')
          << "temporary file left: " << entry.path();
    }
  }
}

TEST_F(ConsoleFrontEndTest, FailuresLeaveTheOutputFileUntouched) {
  const fs::path good = WriteFile("good.txt", "Photograph\n");
  const fs::path bad = WriteFile("bad.txt", "Photograph\nsecond \xC3(\n");
  std::string large;
  for (int i = 0; i < 500; ++i) {
    large += "The photographer developed the photograph.\n";
  }
  const fs::path big = WriteFile("big.txt", large);
  const struct {
    const char* Name;
    std::string Args;  // the output file is out.txt in the test folder
    std::vector<std::string> Message;
  } kCases[] = {
      {"missing input", "-o out.txt missing.txt good.txt", {"missing.txt: cannot open"}},
      {"directory as input", "-o out.txt .", {".: is a directory"}},
      {"input not UTF-8",
       "-o out.txt good.txt bad.txt",
       {"bad.txt: invalid UTF-8 at line 2, column 8 (byte offset 18)"}},
      {"write error", "-o out.txt big.txt", {"out.txt: write error: File too large"}},
      {"output in a missing folder",
       "-o nowhere/out.txt good.txt",
       {"nowhere/out.txt: cannot create a temporary file in nowhere"}},
      {"output is a folder", "-o . good.txt", {".: is a directory"}},
      {"standard input fails to read",
       "-o out.txt < .",
       {"standard input: read error: Is a directory"}},
      {"standard input between files fails to read",
       "-o out.txt good.txt - < .",
       {"standard input: read error: Is a directory"}},
      {"explain with standard input failing to read",
       "--explain -o out.txt < .",
       {"standard input: read error: Is a directory"}},
      {"a file fails to read",
       "-o out.txt good.txt /proc/self/mem",
       {"/proc/self/mem: read error: Input/output error"}},
      {"UTF-16 input",
       "-o out.txt utf16.txt",
       {"utf16.txt: looks like UTF-16; convert it to UTF-8, e.g. with iconv -f UTF-16 -t UTF-8"}},
  };
  WriteFile("utf16.txt", std::string("\xFF\xFEP\0h\0o\0t\0o\0\n\0", 14));
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const fs::path out = WriteFile("out.txt", "old contents");
    // A file size limit makes the write fail part way, as a full disk would; the signal it
    // raises is ignored so the write reports the error.
    const std::string command = "cd '" + _Dir.string() + "' && trap '' XFSZ && ulimit -f 4 && '" +
                                LEXIPULSE_CLI_PATH + "' " + c.Args + " > stdout.txt 2> stderr.txt";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    const std::string err = ReadAll(_Dir / "stderr.txt");
    for (const auto& part : c.Message) {
      EXPECT_NE(err.find("lexipulse-cli: " + part), std::string::npos) << err << " lacks " << part;
    }
    EXPECT_EQ(ReadAll(_Dir / "stdout.txt"), "");
    EXPECT_EQ(ReadAll(out), "old contents");
    for (const auto& entry : fs::directory_iterator(_Dir)) {
      EXPECT_NE(entry.path().filename().string().front(), '.')
          << "temporary file left: " << entry.path();
    }
  }
}

// Nobody is the one other user every machine has.
const passwd& Nobody() {
  static const passwd* const kNobody = getpwnam("nobody");
  return *kNobody;
}

struct stat Status(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
  return status;
}

TEST_F(ConsoleFrontEndTest, OutputFollowsALinkOnlyWhereTheKernelWould) {
  if (geteuid() != 0 || getpwnam("nobody") == nullptr) {
    GTEST_SKIP() << "planting another user's link needs root and the user nobody";
  }
  const uid_t nobody = Nobody().pw_uid;
  const struct {
    const char* Name;
    uid_t FolderOwner;
    mode_t FolderMode;
    uid_t LinkOwner;
    bool Followed;
  } kCases[] = {
      {"another user's link in a shared sticky folder", 0, 01777, nobody, false},
      {"the caller's own link there", nobody, 01777, 0, true},
      {"the folder owner's link there", nobody, 01777, nobody, true},
      {"another user's link in a folder that is not sticky", 0, 0777, nobody, true},
      {"another user's link in a sticky folder only its owner writes to", 0, 01755, nobody, true},
  };
  const std::string photograph = Form("photograph");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    ResetFolder();
    const fs::path victim = WriteFile("victim.txt", "the victim's own words");
    WriteFile("in.txt", "Photograph\n");
    const fs::path shared = _Dir / "shared";
    fs::create_directory(shared);
    ASSERT_EQ(chown(shared.c_str(), c.FolderOwner, static_cast<gid_t>(-1)), 0);
    ASSERT_EQ(chmod(shared.c_str(), c.FolderMode), 0);
    fs::create_symlink(victim, shared / "name");
    ASSERT_EQ(lchown((shared / "name").c_str(), c.LinkOwner, static_cast<gid_t>(-1)), 0);
    const TRun run = RunInFolder("-o shared/name in.txt");
    EXPECT_TRUE(fs::is_symlink(shared / "name")) << "the link itself is never replaced";
    if (c.Followed) {
      EXPECT_EQ(run.Status, 0) << run.Err;
      EXPECT_EQ(ReadAll(victim), photograph + "\n");
    } else {
      EXPECT_EQ(run.Status, 1);
      EXPECT_EQ(run.Err,
                "lexipulse-cli: shared/name: not following the symbolic link shared/name: it is in "
                "a world-writable sticky folder and belongs to neither the folder's owner nor "
                "you\n");
      EXPECT_EQ(ReadAll(victim), "the victim's own words");
    }
    ExpectNoTemporaryFiles();
  }

  // A link of the caller's own that leads through the planted one is refused as well.
  ASSERT_EQ(chown((_Dir / "shared").c_str(), 0, static_cast<gid_t>(-1)), 0);
  ASSERT_EQ(chmod((_Dir / "shared").c_str(), 01777), 0);
  WriteFile("victim.txt", "the victim's own words");
  fs::create_symlink("shared/name", _Dir / "mine");
  const TRun chained = RunInFolder("-o mine in.txt");
  EXPECT_EQ(chained.Status, 1);
  EXPECT_NE(chained.Err.find("not following the symbolic link shared/name"), std::string::npos)
      << chained.Err;
  EXPECT_EQ(ReadAll(_Dir / "victim.txt"), "the victim's own words");
}

TEST_F(ConsoleFrontEndTest, OutputThroughLinksReachesTheFileOrFails) {
  const std::string photograph = Form("photograph");
  const struct {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Links;  // name, where it points
    std::string Error;    // after "lexipulse-cli: out.txt: "; empty when the run succeeds
    std::string Reached;  // the file that gets the result
  } kCases[] = {
      {"a chain of relative links",
       {{"out.txt", "sub/link"}, {"sub/link", "../real.txt"}},
       "",
       "real.txt"},
      {"a dangling link",
       {{"out.txt", "nowhere.txt"}},
       "is a symbolic link to nowhere.txt, which "
       "does not exist; not replacing the link",
       ""},
      {"a link into a missing folder",
       {{"out.txt", "missing/x.txt"}},
       "is a symbolic link to "
       "missing/x.txt, which does not exist; not replacing the link",
       ""},
      {"a loop",
       {{"out.txt", "sub/link"}, {"sub/link", "../out.txt"}},
       "too many levels of symbolic links",
       ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    ResetFolder();
    fs::create_directory(_Dir / "sub");
    WriteFile("in.txt", "Photograph\n");
    WriteFile("real.txt", "old contents");
    for (const auto& [name, target] : c.Links) {
      fs::create_symlink(target, _Dir / name);
    }
    const TRun run = RunInFolder("-o out.txt in.txt");
    for (const auto& [name, target] : c.Links) {
      EXPECT_EQ(fs::read_symlink(_Dir / name), target) << "links stay as they were";
    }
    if (c.Error.empty()) {
      EXPECT_EQ(run.Status, 0) << run.Err;
      EXPECT_EQ(ReadAll(_Dir / c.Reached), photograph + "\n");
    } else {
      EXPECT_EQ(run.Status, 1);
      EXPECT_EQ(run.Err, "lexipulse-cli: out.txt: " + c.Error + "\n");
      EXPECT_EQ(ReadAll(_Dir / "real.txt"), "old contents");
      EXPECT_FALSE(fs::exists(_Dir / "nowhere.txt"));
    }
    ExpectNoTemporaryFiles();
  }
}

TEST_F(ConsoleFrontEndTest, OutputThroughTheSystemsStreamLinksIsWrittenDirectly) {
  const TRun sample = RunInFolder("--sample");
  ASSERT_EQ(sample.Status, 0) << sample.Err;
  for (const char* stream : {"/dev/stdout", "/proc/self/fd/1"}) {
    SCOPED_TRACE(stream);
    const std::string command = "cd '" + _Dir.string() + "' && ( '" + LEXIPULSE_CLI_PATH +
                                "' --sample -o " + stream +
                                "; echo $? > status.txt ) | cat > piped.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadAll(_Dir / "status.txt"), "0\n");
    EXPECT_EQ(ReadAll(_Dir / "piped.txt"), sample.Out);
  }
}

TEST_F(ConsoleFrontEndTest, ReplacedFileKeepsItsOwnerAndLosesItsSetIdBits) {
  const bool root = geteuid() == 0 && getpwnam("nobody") != nullptr;
  const struct {
    const char* Name;
    mode_t OldMode;
    mode_t NewMode;
  } kCases[] = {
      {"set-user-ID program", 04755, 0755},
      {"set-group-ID file", 02750, 0750},
      {"both, with the sticky bit", 07700, 01700},
      {"plain file", 0640, 0640},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    ResetFolder();
    WriteFile("in.txt", "Photograph\n");
    const fs::path out = WriteFile("out.txt", "old contents");
    // A second name for the same file keeps the old content, as with sed -i.
    fs::create_hard_link(out, _Dir / "other-name.txt");
    if (root) {
      ASSERT_EQ(chown(out.c_str(), Nobody().pw_uid, Nobody().pw_gid), 0);
    }
    ASSERT_EQ(chmod(out.c_str(), c.OldMode), 0);
    const TRun run = RunInFolder("-o out.txt in.txt");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadAll(out), Form("photograph") + "\n");
    EXPECT_EQ(ReadAll(_Dir / "other-name.txt"), "old contents");
    const struct stat status = Status(out);
    EXPECT_EQ(status.st_mode & 07777, c.NewMode);
    if (root) {
      EXPECT_EQ(status.st_uid, Nobody().pw_uid) << "root keeps the user's file the user's";
      EXPECT_EQ(status.st_gid, Nobody().pw_gid);
    } else {
      EXPECT_EQ(status.st_uid, geteuid());
    }
  }
}

TEST_F(ConsoleFrontEndTest, LongFileNamesCanBeReplaced) {
  std::string accented;
  for (int i = 0; i < 125; ++i) {
    accented += "\xC3\xA9";
  }
  const struct {
    const char* Name;
    std::string File;
    bool Exists;
  } kCases[] = {
      {"250 characters", std::string(246, 'n') + ".txt", true},
      {"250 characters, new file", std::string(246, 'm') + ".txt", false},
      {"the longest name there is", std::string(251, 'n') + ".txt", true},
      {"two-byte characters up to the limit", accented + ".txt", true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    ResetFolder();
    WriteFile("in.txt", "Photograph\n");
    if (c.Exists) {
      WriteFile(c.File, "old contents");
    }
    const TRun run = RunInFolder("-o '" + c.File + "' in.txt");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadAll(_Dir / c.File), Form("photograph") + "\n");
    ExpectNoTemporaryFiles();
  }
}

TEST_F(ConsoleFrontEndTest, ASignalDuringOutputRemovesTheTemporaryFile) {
  // Enough text that the run is still writing when the signal comes.
  const std::string line = "The traditional American physicist demonstrated photographs.\n";
  std::string text;
  while (text.size() < (std::size_t{8} << 20)) {
    text += line;
  }
  const fs::path in = WriteFile("in.txt", text);
  text.clear();
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    const fs::path out = WriteFile("out.txt", "old contents");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The run starts with the dispositions a shell gives a program in the foreground.
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      for (const int s : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(s, SIG_DFL);
      }
      const int devNull = open("/dev/null", O_WRONLY);
      dup2(devNull, STDOUT_FILENO);
      dup2(devNull, STDERR_FILENO);
      execl(LEXIPULSE_CLI_PATH, LEXIPULSE_CLI_PATH, "-o", out.c_str(), in.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    // Wait for the temporary file, then signal.
    bool seen = false;
    int raw = 0;
    for (int polls = 0; !seen && polls < 60000; ++polls) {
      for (const auto& entry : fs::directory_iterator(_Dir)) {
        seen = seen || entry.path().filename().string().starts_with(".out.txt.");
      }
      if (!seen) {
        ASSERT_EQ(waitpid(child, &raw, WNOHANG), 0) << "the run ended before it was signalled";
        usleep(1000);
      }
    }
    ASSERT_TRUE(seen) << "no temporary file appeared";
    kill(child, signal);
    ASSERT_EQ(waitpid(child, &raw, 0), child);
    EXPECT_TRUE(WIFEXITED(raw)) << "ended by signal " << WTERMSIG(raw);
    EXPECT_EQ(WEXITSTATUS(raw), 128 + signal);
    EXPECT_EQ(ReadAll(out), "old contents");
    ExpectNoTemporaryFiles();
  }
}

TEST_F(ConsoleFrontEndTest, BlocksGiveTheResultOfTheWholeText) {
  // Breaks of every kind, a CR LF that a small block would cut, short items at line ends and
  // before long ones, empty lines, quotes and a byte-order mark.
  const std::string text =
      "\xEF\xBB\xBFWord photograph Word\r\nCameroon, \"Coffee\"\rSing\n\nWord\r\n\r\n"
      "Fianc\xC3\xA9"
      "e developed the PHOTOGRAPHS\r\rWord";
  const TRun whole = RunCli({}, text);
  ASSERT_EQ(whole.Status, 0) << whole.Err;
  for (const std::size_t blockBytes : {1, 2, 5, 20, 40}) {
    SCOPED_TRACE("block of " + std::to_string(blockBytes) + " bytes");
    std::istringstream in(text);
    std::ostringstream out;
    std::ostringstream err;
    TConsoleSettings settings;
    settings.BlockBytes = blockBytes;
    EXPECT_EQ(RunConsole({}, in, out, err, settings), 0) << err.str();
    EXPECT_EQ(out.str(), whole.Out);
  }
}

TEST_F(ConsoleFrontEndTest, ProgressOnlyOnATerminalForALargeInput) {
  std::string text;
  for (int i = 0; i < 400; ++i) {
    text += "The photographer developed the photograph.\n";
  }
  const TRun plain = RunCli({}, text);
  ASSERT_EQ(plain.Status, 0) << plain.Err;
  const struct {
    const char* Name;
    std::vector<std::string> Args;
    bool Terminal;
    std::size_t MinBytes;
    bool Drawn;
  } kCases[] = {
      {"terminal, large input", {}, true, 1000, true},
      {"quiet", {"--quiet"}, true, 1000, false},
      {"no terminal", {}, false, 1000, false},
      {"small input", {}, true, text.size(), false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    // Every reading of the clock is a second later, so every update draws.
    auto now = std::chrono::steady_clock::time_point{};
    TConsoleSettings settings;
    settings.ErrorIsTerminal = c.Terminal;
    settings.ProgressMinBytes = c.MinBytes;
    settings.Clock = [&now] { return now += std::chrono::seconds(1); };
    std::istringstream in(text);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunConsole(c.Args, in, out, err, settings), 0) << err.str();
    EXPECT_EQ(out.str(), plain.Out) << "progress never reaches the output";
    if (c.Drawn) {
      EXPECT_NE(err.str().find("words/s"), std::string::npos) << err.str();
      EXPECT_NE(err.str().find(" left"), std::string::npos) << err.str();
      const std::size_t lastDrawing = err.str().rfind('\r', err.str().size() - 2);
      const std::string cleared = err.str().substr(lastDrawing);
      EXPECT_EQ(cleared.find_first_not_of(" \r"), std::string::npos) << "cleared at the end";
    } else {
      EXPECT_EQ(err.str(), "");
    }
  }
}

TEST_F(ConsoleFrontEndTest, SampleIsStressedLineByLine) {
  const TRun run = RunBinary("--sample");
  EXPECT_EQ(run.Status, 0) << run.Err;
  // The sample through standard input gives the same lines with CR LF breaks.
  const TRun piped = RunCli({}, Utf16ToUtf8(SampleText()) + "\r\n");
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
    for (const char* args : {"--sample > /dev/full", "--sample -o /dev/full"}) {
      SCOPED_TRACE(args);
      const int full = std::system(
          (std::string("'") + LEXIPULSE_CLI_PATH + "' " + args + " 2> /dev/null").c_str());
      EXPECT_EQ(WEXITSTATUS(full), 1);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is written, never replaced";
  }
}

}  // namespace
}  // namespace lexipulse
