#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace lexipulse {
namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

// Options lists the options that a program's --help describes: every -x or --word that starts
// an option line, and a long form after a short one ("-o, --output").
std::set<std::string> Options(const std::string& help) {
  std::set<std::string> options;
  const std::regex optionLine(R"(^  (-[A-Za-z]|--[a-z-]*)(, (--[a-z-]+))?( |$))");
  for (const std::string& line : Lines(help)) {
    std::smatch match;
    if (std::regex_search(line, match, optionLine)) {
      options.insert(match[1]);
      if (match[3].matched) {
        options.insert(match[3]);
      }
    }
  }
  return options;
}

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    _Dir = fs::temp_directory_path() /
           (std::string("lexipulse-install-") + info->name() + "-" + std::to_string(getpid()));
    fs::create_directories(_Dir);
  }
  void TearDown() override { fs::remove_all(_Dir); }

  // Run runs a shell command in the test folder, its output kept apart.
  TRun Run(const std::string& command) {
    const fs::path out = _Dir / ".stdout";
    const fs::path err = _Dir / ".stderr";
    const std::string line = "cd " + Quoted(_Dir.string()) + " && (" + command +
                             ") < /dev/null > " + Quoted(out.string()) + " 2> " +
                             Quoted(err.string());
    const int raw = std::system(line.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << line;
    return {WEXITSTATUS(raw), ReadAll(out), ReadAll(err)};
  }

  // Help is what PROGRAM --help prints, run without any display.
  std::string Help(const std::string& program) {
    const TRun run = Run(kNoDisplay + Quoted(program) + " --help");
    EXPECT_EQ(run.Status, 0) << run.Err;
    return run.Out;
  }

  static inline const std::string kNoDisplay =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE ";
  fs::path _Dir;
};

TEST_F(InstallTest, ManPagesDescribeEveryOptionOfTheHelp) {
  const struct {
    const char* Program;
    const char* Page;
  } kCases[] = {
      {LEXIPULSE_CLI_PATH, LEXIPULSE_DIST_DIR "/lexipulse-cli.1.gz"},
      {LEXIPULSE_WINDOW_PATH, LEXIPULSE_DIST_DIR "/lexipulse.1.gz"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Page);
    const std::set<std::string> options = Options(Help(c.Program));
    EXPECT_TRUE(options.count("--help") == 1 && options.count("--version") == 1)
        << "options read from --help: " << options.size();
    const TRun page = Run("zcat " + Quoted(c.Page) + " | groff -man -Tascii -P-cbou | col -b");
    ASSERT_EQ(page.Status, 0) << page.Err;
    EXPECT_EQ(page.Err, "");
    for (const std::string section : {"NAME", "SYNOPSIS", "DESCRIPTION", "SEE ALSO"}) {
      EXPECT_NE(page.Out.find("\n" + section + "\n"), std::string::npos) << section;
    }
    EXPECT_NE(page.Out.find(LEXIPULSE_VERSION), std::string::npos) << "the version";
    for (const std::string& option : options) {
      EXPECT_NE(page.Out.find(option), std::string::npos) << option << " is not in the page";
    }
    const TRun gzip = Run("gzip -t " + Quoted(c.Page));
    EXPECT_EQ(gzip.Status, 0) << gzip.Err;
  }
}

TEST_F(InstallTest, BashCompletionOffersWhatTheHelpLists) {
  std::ofstream(_Dir / "essay.txt") << "The photographer.\n";
  std::ofstream(_Dir / "-dash.txt") << "Cameroon\n";
  const std::set<std::string> options = Options(Help(LEXIPULSE_CLI_PATH));
  const std::string allOptions = [&] {
    std::string joined;
    for (const std::string& option : options) {
      joined += option + "\n";
    }
    return joined;
  }();
  const struct {
    const char* Name;
    std::string Line;      // the command line up to the cursor
    std::string Expected;  // the sorted completions, one a line
  } kCases[] = {
      {"every option after a dash", "lexipulse-cli -", allOptions},
      {"long options", "lexipulse-cli --s", "--sample\n--secondary\n--style\n"},
      {"one long option", "lexipulse-cli --sa", "--sample\n"},
      {"the styles after --style", "lexipulse-cli --style ", "accents\nclassic\nhtml\n"},
      {"the variants after --variant", "lexipulse-cli --variant b", "british\n"},
      {"a file after -o", "lexipulse-cli -o es", "essay.txt\n"},
      {"a file after --output", "lexipulse-cli --output es", "essay.txt\n"},
      {"files as input", "lexipulse-cli --quiet es", "essay.txt\n"},
      {"no files among the words of --explain", "lexipulse-cli --explain es", ""},
      {"files only after --", "lexipulse-cli -- -", "-dash.txt\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const std::string script =
        "source /usr/share/bash-completion/bash_completion; source " +
        Quoted(LEXIPULSE_SOURCE_DIR "/dist/lexipulse-cli.bash-completion") +
        "; COMP_LINE=" + Quoted(c.Line) + "; COMP_POINT=${#COMP_LINE}; read -ra COMP_WORDS <<< " +
        "\"$COMP_LINE\"; [[ $COMP_LINE == *' ' ]] && COMP_WORDS+=(''); " +
        "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _lexipulse_cli; " +
        "(( ${#COMPREPLY[@]} )) && printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort";
    const TRun run = Run("bash -c " + Quoted(script) + "; true");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, c.Expected);
  }
}

TEST_F(InstallTest, WindowWithoutDisplaySaysSoInOneLine) {
  std::ofstream(_Dir / "latin1.txt") << "caf\xE9\n";
  const std::string window = Quoted(LEXIPULSE_WINDOW_PATH);
  const struct {
    const char* Name;
    std::string Command;
    int Status;
    std::string Message;  // what the one line on standard error holds
  } kCases[] = {
      {"no display at all", kNoDisplay + window, 1, "lexipulse: no display to open the window on"},
      {"an X display that is not there", kNoDisplay + "DISPLAY=:4711 " + window, 1,
       "lexipulse: cannot open the window: qt.qpa.xcb: could not connect to display :4711"},
      {"an unknown platform", kNoDisplay + "QT_QPA_PLATFORM=lexipulse-none " + window, 1,
       "lexipulse: cannot open the window:"},
      {"files do not change it", kNoDisplay + window + " essay.txt", 1,
       "lexipulse: no display to open the window on"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const TRun run = Run(c.Command);
    EXPECT_EQ(run.Status, c.Status);
    EXPECT_EQ(run.Out, "");
    ASSERT_EQ(Lines(run.Err).size(), 1u) << run.Err;
    EXPECT_EQ(run.Err.rfind(c.Message, 0), 0u) << run.Err;
    EXPECT_EQ(run.Err.find("Reinstalling"), std::string::npos) << run.Err;
  }
}

TEST_F(InstallTest, WindowRunsOffscreenAndTellsWhatItCannotOpen) {
  std::ofstream(_Dir / "essay.txt") << "The photographer developed the photograph.\n";
  std::ofstream(_Dir / "latin1.txt") << "caf\xE9\n";
  // A message comes once the window is shown, however slowly it starts; without one the window
  // must still be open after two seconds.
  const struct {
    const char* Name;
    const char* Arguments;
    std::string Err;
  } kCases[] = {
      {"no files", "", ""},
      {"a text file", " essay.txt", ""},
      {"a missing file", " essay.txt missing.txt", "lexipulse: missing.txt: cannot open\n"},
      {"a file that is not UTF-8", " latin1.txt", "lexipulse: latin1.txt: not UTF-8 text\n"},
      {"a folder", " .", "lexipulse: .: is a directory\n"},
      {"Qt's own options are not files", " -platform offscreen essay.txt", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    const int tenths = c.Err.empty() ? 20 : 600;
    const TRun run =
        Run(kNoDisplay + "QT_QPA_PLATFORM=offscreen " + Quoted(LEXIPULSE_WINDOW_PATH) +
            c.Arguments + " 2> window.err & pid=$!; for i in $(seq " + std::to_string(tenths) +
            "); do grep -q '^lexipulse:' window.err && break; " +
            "kill -0 $pid 2> /dev/null || break; sleep 0.1; done; " +
            "if kill -0 $pid 2> /dev/null; then echo open; kill $pid; " +
            "else echo ended; fi; wait $pid; true");
    const std::string err = ReadAll(_Dir / "window.err");
    EXPECT_EQ(run.Out, "open\n") << err;
    // Qt's offscreen platform has its own remarks; ours are the lines that name the program.
    std::string ours;
    for (const std::string& line : Lines(err)) {
      if (line.rfind("lexipulse:", 0) == 0) {
        ours += line + "\n";
      }
    }
    EXPECT_EQ(ours, c.Err) << err;
  }
}

TEST_F(InstallTest, HelpAndVersionNeedNoDisplay) {
  for (const std::string program : {LEXIPULSE_CLI_PATH, LEXIPULSE_WINDOW_PATH}) {
    SCOPED_TRACE(program);
    const std::string name = fs::path(program).filename().string();
    const TRun version = Run(kNoDisplay + Quoted(program) + " --version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, name + " (Lexipulse) " LEXIPULSE_VERSION "\n");
    EXPECT_EQ(Help(program).rfind("Usage: " + name + " ", 0), 0u);
  }
}

TEST_F(InstallTest, ChangelogNamesTheProgramVersion) {
  const std::vector<std::string> lines = Lines(ReadAll(LEXIPULSE_SOURCE_DIR "/dist/changelog"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().rfind("lexipulse (" LEXIPULSE_VERSION ") ", 0), 0u) << lines.front();
}

// Everything is installed where a desktop looks for it, and the installed console program works
// from the installed tree alone, in a folder far from the build.
TEST_F(InstallTest, InstallPutsEveryPieceInPlace) {
  const TRun install = Run(Quoted(CMAKE_COMMAND) + " --install " + Quoted(LEXIPULSE_BUILD_DIR) +
                           " --prefix " + Quoted((_Dir / "usr").string()));
  ASSERT_EQ(install.Status, 0) << install.Err;
  const std::string id = LEXIPULSE_APP_ID;
  const std::vector<std::string> kFiles = {
      "bin/lexipulse",
      "bin/lexipulse-cli",
      "share/applications/" + id + ".desktop",
      "share/metainfo/" + id + ".metainfo.xml",
      "share/icons/hicolor/scalable/apps/" + id + ".svg",
      "share/icons/hicolor/48x48/apps/" + id + ".png",
      "share/icons/hicolor/64x64/apps/" + id + ".png",
      "share/icons/hicolor/128x128/apps/" + id + ".png",
      "share/icons/hicolor/256x256/apps/" + id + ".png",
      "share/man/man1/lexipulse.1.gz",
      "share/man/man1/lexipulse-cli.1.gz",
      "share/bash-completion/completions/lexipulse-cli",
      "share/doc/lexipulse/copyright",
      "share/doc/lexipulse/changelog.gz",
      "share/doc/lexipulse/README.md",
      "share/doc/lexipulse/README.dictionary.md",
      "share/doc/lexipulse/docs/screenshot.png",
      "share/doc/lexipulse/docs/formatted-copy.png",
  };
  for (const std::string& file : kFiles) {
    EXPECT_TRUE(fs::is_regular_file(_Dir / "usr" / file)) << file;
  }
  for (const std::string size : {"48", "64", "128", "256"}) {
    const TRun identify =
        Run("file -b " +
            Quoted((_Dir / "usr/share/icons/hicolor" / (size + "x" + size) / "apps" / (id + ".png"))
                       .string()));
    EXPECT_EQ(identify.Out.rfind("PNG image data, " + size + " x " + size + ",", 0), 0u)
        << identify.Out;
  }
  const TRun built = Run(Quoted(LEXIPULSE_CLI_PATH) + " --sample");
  const TRun installed =
      Run("cd / && " + Quoted((_Dir / "usr/bin/lexipulse-cli").string()) + " --sample");
  EXPECT_EQ(installed.Status, 0) << installed.Err;
  EXPECT_NE(installed.Out.find("photÓgrapher"), std::string::npos);
  EXPECT_EQ(installed.Out, built.Out);
}

}  // namespace
}  // namespace lexipulse
