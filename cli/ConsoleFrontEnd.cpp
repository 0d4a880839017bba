#include "cli/ConsoleFrontEnd.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/SampleText.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "app/Version.h"
#include "engine/Dictionary.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

constexpr char kProgramName[] = "lexipulse-cli";
constexpr char kStandardInputName[] = "standard input";
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: lexipulse-cli [OPTION]... [FILE]...\n"
    "Mark the lexical stress of the English words in FILEs (UTF-8 text, read in order as one\n"
    "text) and write the stressed text to standard output. With no FILE, or when FILE is -,\n"
    "read standard input. Line endings come back as they went in.\n"
    "\n"
    "Options:\n"
    "  --sample   stress the built-in sample text instead of reading any input\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "  --         treat every later argument as a file name\n"
    "\n"
    "Example:\n"
    "  echo 'The photographer developed the photograph.' | lexipulse-cli\n";

// TUsageError is a mistake on the command line, reported with exit status 2.
class TUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// TInputError is an input that cannot be read or decoded, reported with exit status 1.
class TInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCommand {
  bool Help = false;
  bool Version = false;
  bool Sample = false;
  std::vector<std::string> Inputs;
};

TCommand ParseArguments(const std::vector<std::string>& args) {
  TCommand command;
  bool options = true;
  for (const auto& arg : args) {
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--help") {
      command.Help = true;
    } else if (options && arg == "--version") {
      command.Version = true;
    } else if (options && arg == "--sample") {
      command.Sample = true;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      throw TUsageError("unrecognized option '" + arg + "'");
    } else {
      command.Inputs.push_back(arg);
    }
  }
  if (command.Sample && !command.Inputs.empty()) {
    throw TUsageError("--sample reads no input files");
  }
  if (command.Inputs.empty()) {
    command.Inputs.push_back("-");
  }
  return command;
}

std::string ReadStream(std::istream& in, const std::string& name) {
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) {
    throw TInputError(name + ": read error");
  }
  return std::move(bytes).str();
}

std::string ReadFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    throw TInputError(path + ": is a directory");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw TInputError(path + ": cannot open: " + std::strerror(errno));
  }
  return ReadStream(file, path);
}

void CheckUtf8(std::string_view bytes, const std::string& name) {
  if (const std::optional<TUtf8Error> bad = FindInvalidUtf8(bytes)) {
    throw TInputError(name + ": invalid UTF-8 at line " + std::to_string(bad->Line) + ", column " +
                      std::to_string(bad->Column) + " (byte offset " + std::to_string(bad->Offset) +
                      ")");
  }
}

std::string ReadInputs(const std::vector<std::string>& inputs, std::istream& in) {
  std::string text;
  for (const auto& input : inputs) {
    const bool standardInput = input == "-";
    const std::string name = standardInput ? kStandardInputName : input;
    const std::string bytes = standardInput ? ReadStream(in, name) : ReadFile(input);
    CheckUtf8(bytes, name);
    text += bytes;
  }
  return text;
}

// TLines are the lines of a text with the break that ended each one (CR LF, CR or LF); the
// last line has none, so a text ending with a break has an empty last line.
struct TLines {
  std::vector<std::u16string> Lines;
  std::vector<std::u16string> Breaks;
};

TLines SplitLines(const std::u16string& text) {
  TLines split;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') {
      continue;
    }
    split.Lines.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      split.Breaks.push_back(u"\r\n");
      ++i;
    } else {
      split.Breaks.push_back(std::u16string(1, text[i]));
    }
    start = i + 1;
  }
  split.Lines.push_back(text.substr(start));
  return split;
}

std::u16string JoinWithCrLf(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      text += u"\r\n";
    }
    text += lines[i];
  }
  return text;
}

// TConsoleHost shows nothing during a run; it takes the result lines once, when the last
// paragraph is done, which is what a result box would hold before the no-break-space line.
class TConsoleHost : public TStressHost {
 public:
  void ClearResult() override { _Lines.clear(); }
  std::u16string GetCaption() override { return u""; }
  void SetCaption(const std::u16string&) override {}
  void SetParagraphProgress(int, int) override {}
  void SetWordProgress(int, int) override {}
  void PumpEvents() override {}
  void SetStatus(const std::u16string&) override {}
  void ShowWord(const std::u16string&) override {}
  void SetResultText(const TResultText& text) override {
    if (!text.Complete()) {
      return;
    }
    _Lines.clear();
    _Lines.reserve(text.ParagraphCount());
    for (std::size_t p = 0; p < text.ParagraphCount(); ++p) {
      std::u16string line = text.Paragraph(p);
      if (p + 1 < text.ParagraphCount() && !line.empty() && line.back() == u'\r') {
        line.pop_back();
      }
      _Lines.push_back(std::move(line));
    }
  }
  void AppendResultLine(const std::u16string&) override {}
  void ResetProgress() override {}

  const std::vector<std::u16string>& Lines() const { return _Lines; }

 private:
  std::vector<std::u16string> _Lines;
};

// LoadDictionaryOnce loads the built-in dictionary before the first word of the process;
// a failed load is tried again by the next call.
void LoadDictionaryOnce() {
  static const bool kLoaded = (LoadDictionary(), true);
  static_cast<void>(kLoaded);
}

std::vector<std::u16string> StressLines(const std::vector<std::u16string>& lines) {
  LoadDictionaryOnce();
  TConsoleHost host;
  StressSourceText(JoinWithCrLf(lines), host);
  return host.Lines();
}

void WriteLines(std::ostream& out, const std::vector<std::u16string>& lines,
                const std::vector<std::u16string>& breaks) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out << Utf16ToUtf8(lines[i]);
    if (i < breaks.size()) {
      out << Utf16ToUtf8(breaks[i]);
    }
  }
}

int Run(const TCommand& command, std::istream& in, std::ostream& out) {
  if (command.Help) {
    out << kUsage;
  } else if (command.Version) {
    out << kProgramName << " (Lexipulse) " << kProgramVersion << '\n';
  } else if (command.Sample) {
    const std::vector<std::u16string> result = StressLines(SplitLines(SampleText()).Lines);
    WriteLines(out, result, std::vector<std::u16string>(result.size(), u"\n"));
  } else {
    const TLines input = SplitLines(Utf8ToUtf16(ReadInputs(command.Inputs, in)));
    // The empty text is one empty line that gives no paragraph and so no result line.
    const bool empty = input.Lines.size() == 1 && input.Lines[0].empty();
    const std::vector<std::u16string> result = empty ? input.Lines : StressLines(input.Lines);
    if (result.size() != input.Lines.size()) {
      throw std::logic_error("the result has " + std::to_string(result.size()) +
                             " lines for an input of " + std::to_string(input.Lines.size()));
    }
    WriteLines(out, result, input.Breaks);
  }
  return kExitSuccess;
}

}  // namespace

int RunConsole(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
  try {
    const int status = Run(ParseArguments(args), in, out);
    out.flush();
    if (!out) {
      err << kProgramName << ": write error: " << std::strerror(errno) << '\n';
      return kExitFailure;
    }
    return status;
  } catch (const TUsageError& e) {
    err << kProgramName << ": " << e.what() << '\n' << "Try '" << kProgramName << " --help'.\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    err << kProgramName << ": " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace lexipulse
