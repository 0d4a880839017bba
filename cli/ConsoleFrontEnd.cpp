#include "cli/ConsoleFrontEnd.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <memory>
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
#include "cli/Explain.h"
#include "cli/ProgressBar.h"
#include "cli/ReplacingFile.h"
#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

constexpr char kProgramName[] = "lexipulse-cli";
constexpr char kStandardInputName[] = "standard input";
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// The progress bar learns the word count this often, which keeps the clock off the hot path.
constexpr std::int64_t kProgressStride = 256;

constexpr char kUsage[] =
    "Usage: lexipulse-cli [OPTION]... [FILE]...\n"
    "  or:  lexipulse-cli [OPTION]... --explain [WORD]...\n"
    "Mark the lexical stress of the English words in FILEs (UTF-8 text, read in order as one\n"
    "text) and write the stressed text to standard output. With no FILE, or when FILE is -,\n"
    "read standard input. Line endings come back as they went in.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE    write to FILE instead of standard output; FILE is replaced only\n"
    "                       once the whole result is written, and may be one of the inputs\n"
    "  --explain [WORD]...  tell how each WORD (or each line of standard input) is stressed\n"
    "  --prefer-dictionary  look words up in the dictionary first, whole and then without\n"
    "                       their ending; the rules decide only the words it lacks\n"
    "  --quiet              draw no progress bar\n"
    "  --sample             stress the built-in sample text instead of reading any input\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "  --                   treat every later argument as a file name (or WORD)\n"
    "\n"
    "A progress bar is drawn on standard error when it is a terminal and the input is large.\n"
    "\n"
    "--explain writes one line per word, three fields separated by tabs: the word as given,\n"
    "the word as it is written back, and how it was decided, which is one of:\n"
    "  <name> Rule           a word-shape rule stressed it, e.g. 'Cameroon Rule'\n"
    "  <name> Rule - exception\n"
    "                        the rule's exception list holds it and it is left unmarked\n"
    "  dictionary develop+ed found\n"
    "                        the dictionary was searched for the stem 'develop' and the\n"
    "                        ending 'ed' goes after its form; 'not found' leaves the word\n"
    "                        unmarked. With --prefer-dictionary every lookup made is listed,\n"
    "                        e.g. 'dictionary developed not found, develop+ed found'\n"
    "  short word, left as it is\n"
    "                        four characters or fewer, never stressed\n"
    "  no word characters, left as it is\n"
    "  too long for a word, left as it is\n"
    "                        a run of more than 64 word characters\n"
    "\n"
    "Exit status: 0 on success, 1 when an input cannot be read or is not UTF-8 or the output\n"
    "cannot be written, 2 for a mistake on the command line.\n"
    "\n"
    "Examples:\n"
    "  echo 'The photographer developed the photograph.' | lexipulse-cli\n"
    "  lexipulse-cli -o essay.txt essay.txt\n"
    "  lexipulse-cli --explain Cameroon coffee developed\n";

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
  bool Explain = false;
  bool PreferDictionary = false;
  bool Quiet = false;
  std::optional<std::string> Output;
  // File names, or the words to explain.
  std::vector<std::string> Operands;
};

void SetOutput(TCommand& command, const std::string& file) {
  if (command.Output) {
    throw TUsageError("only one -o FILE may be given");
  }
  if (file.empty()) {
    throw TUsageError("-o needs a file name");
  }
  command.Output = file;
}

TCommand ParseArguments(const std::vector<std::string>& args) {
  TCommand command;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options || arg == "-" || arg.empty() || arg[0] != '-') {
      command.Operands.push_back(arg);
    } else if (arg == "--") {
      options = false;
    } else if (arg == "--help") {
      command.Help = true;
    } else if (arg == "--version") {
      command.Version = true;
    } else if (arg == "--sample") {
      command.Sample = true;
    } else if (arg == "--explain") {
      command.Explain = true;
    } else if (arg == "--prefer-dictionary") {
      command.PreferDictionary = true;
    } else if (arg == "--quiet") {
      command.Quiet = true;
    } else if (arg == "-o" || arg == "--output") {
      if (i + 1 == args.size()) {
        throw TUsageError("option '" + arg + "' needs a file name");
      }
      SetOutput(command, args[++i]);
    } else if (arg.starts_with("--output=")) {
      SetOutput(command, arg.substr(9));
    } else if (arg.starts_with("-o") && arg.size() > 2 && arg[2] != '-') {
      SetOutput(command, arg.substr(2));
    } else {
      throw TUsageError("unrecognized option '" + arg + "'");
    }
  }
  if (command.Explain && command.Sample) {
    throw TUsageError("--explain and --sample cannot be used together");
  }
  if (command.Sample && !command.Operands.empty()) {
    throw TUsageError("--sample reads no input files");
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

void CheckUtf8(std::string_view bytes, const std::string& name) {
  if (const std::optional<TUtf8Error> bad = FindInvalidUtf8(bytes)) {
    throw TInputError(name + ": invalid UTF-8 at line " + std::to_string(bad->Line) + ", column " +
                      std::to_string(bad->Column) + " (byte offset " + std::to_string(bad->Offset) +
                      ")");
  }
}

// AppendFile reads a file onto text in place, so the whole input is held once.
void AppendFile(const std::string& path, std::string& text) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    throw TInputError(path + ": is a directory");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw TInputError(path + ": cannot open: " + std::strerror(errno));
  }
  const std::size_t start = text.size();
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec) {
    text.reserve(start + size);
  }
  char buffer[1 << 16];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(file.gcount()));
  }
  if (file.bad()) {
    throw TInputError(path + ": read error: " + std::strerror(errno));
  }
  CheckUtf8(std::string_view(text).substr(start), path);
}

std::string ReadInputs(const std::vector<std::string>& inputs, std::istream& in) {
  std::string text;
  for (const auto& input : inputs) {
    if (input == "-") {
      std::string bytes = ReadStream(in, kStandardInputName);
      CheckUtf8(bytes, kStandardInputName);
      if (text.empty()) {
        text = std::move(bytes);
      } else {
        text += bytes;
      }
    } else {
      AppendFile(input, text);
    }
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
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + 2;
  }
  std::u16string text;
  text.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      text += u"\r\n";
    }
    text += lines[i];
  }
  return text;
}

// TOutput is standard output or the file of -o.
class TOutput {
 public:
  TOutput(std::ostream& out, const std::optional<std::string>& file) : _Out(out) {
    if (file && *file != "-") {
      _File = std::make_unique<TReplacingFile>(*file);
    }
  }

  void Write(std::string_view bytes) {
    if (_File) {
      _File->Write(bytes);
      return;
    }
    _Out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!_Out) {
      throw TOutputError(std::string("write error: ") + std::strerror(errno));
    }
  }

  void Finish() {
    if (_File) {
      _File->Commit();
      return;
    }
    _Out.flush();
    if (!_Out) {
      throw TOutputError(std::string("write error: ") + std::strerror(errno));
    }
  }

 private:
  std::ostream& _Out;
  std::unique_ptr<TReplacingFile> _File;
};

// TConsoleHost shows nothing during a run but the progress bar; when the last paragraph is
// done it writes the result lines, each with the break its input line had, as UTF-8.
class TConsoleHost : public TStressHost {
 public:
  TConsoleHost(const std::vector<std::u16string>& breaks, TProgressBar* progress,
               std::int64_t wordsBefore)
      : _Breaks(breaks), _Progress(progress), _WordsBefore(wordsBefore) {}

  void ClearResult() override { _Output.clear(); }
  std::u16string GetCaption() override { return u""; }
  void SetCaption(const std::u16string&) override {}
  void SetParagraphProgress(int, int) override {}
  void SetWordProgress(int, int) override {
    if (++_Words % kProgressStride == 0 && _Progress != nullptr) {
      _Progress->Update(_WordsBefore + _Words);
    }
  }
  void PumpEvents() override {}
  void SetStatus(const std::u16string&) override {}
  void ShowWord(const std::u16string&) override {}
  void SetResultText(const TResultText& text) override {
    if (!text.Complete()) {
      return;
    }
    // The result has one paragraph per input line; anything else would lose or invent text.
    if (text.ParagraphCount() != _Breaks.size() + 1) {
      throw std::logic_error("the result has " + std::to_string(text.ParagraphCount()) +
                             " lines for an input of " + std::to_string(_Breaks.size() + 1));
    }
    _Output.clear();
    for (std::size_t p = 0; p < text.ParagraphCount(); ++p) {
      std::u16string_view line = text.Paragraph(p);
      // The CR of the CR LF join stays on every paragraph but the last.
      if (p < _Breaks.size() && line.ends_with(u'\r')) {
        line.remove_suffix(1);
      }
      _Output += Utf16ToUtf8(line);
      if (p < _Breaks.size()) {
        _Output += Utf16ToUtf8(_Breaks[p]);
      }
    }
  }
  void AppendResultLine(const std::u16string&) override {}
  void ResetProgress() override {}

  const std::string& Output() const { return _Output; }
  std::int64_t Words() const { return _Words; }

 private:
  const std::vector<std::u16string>& _Breaks;
  TProgressBar* _Progress;
  std::int64_t _WordsBefore;
  std::int64_t _Words = 0;
  std::string _Output;
};

// StressBlock stresses whole lines of UTF-8 text and returns them as UTF-8; it counts the
// word items it visited into words.
std::string StressBlock(std::string_view bytes, TStressOptions options, TProgressBar* progress,
                        std::int64_t& words) {
  const TLines input = SplitLines(Utf8ToUtf16(bytes));
  TConsoleHost host(input.Breaks, progress, words);
  StressSourceText(JoinWithCrLf(input.Lines), host, options);
  words += host.Words();
  return host.Output();
}

// BlockEnd is where the block that starts at start ends: just after the first line break
// at or past start + blockBytes (a CR LF kept whole), or at the end of the text. Paragraphs
// are stressed independently, so cutting after a break changes nothing in the result.
std::size_t BlockEnd(std::string_view text, std::size_t start, std::size_t blockBytes) {
  for (std::size_t i = start + std::max<std::size_t>(blockBytes, 1) - 1; i < text.size(); ++i) {
    if (text[i] == '\n') {
      return i + 1;
    }
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
      return i + 1;
    }
  }
  return text.size();
}

std::int64_t CountWordItems(std::string_view text) {
  return static_cast<std::int64_t>(std::ranges::count(text, ' ') + std::ranges::count(text, '\n') +
                                   1);
}

void StressText(std::string_view text, TStressOptions options, TOutput& output, bool showProgress,
                const TConsoleSettings& settings, std::ostream& err) {
  std::unique_ptr<TProgressBar> progress;
  if (showProgress) {
    progress = std::make_unique<TProgressBar>(err, CountWordItems(text), settings.Clock);
  }
  std::int64_t words = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = BlockEnd(text, start, settings.BlockBytes);
    output.Write(StressBlock(text.substr(start, end - start), options, progress.get(), words));
    start = end;
  }
  if (progress) {
    progress->Finish();
  }
}

std::string ExplainLine(const std::u16string& word, TStressOptions options) {
  const TExplanation explanation = ExplainItem(word, options);
  return Utf16ToUtf8(word) + '\t' + Utf16ToUtf8(explanation.Display) + '\t' +
         Utf16ToUtf8(explanation.How) + '\n';
}

std::string Explain(const std::vector<std::string>& words, std::istream& in,
                    TStressOptions options) {
  std::string lines;
  if (!words.empty()) {
    for (const auto& word : words) {
      CheckUtf8(word, "word '" + word + "'");
      lines += ExplainLine(Utf8ToUtf16(word), options);
    }
    return lines;
  }
  const std::string bytes = ReadStream(in, kStandardInputName);
  CheckUtf8(bytes, kStandardInputName);
  TLines input = SplitLines(Utf8ToUtf16(bytes));
  // A final line break ends the last word rather than starting an empty one.
  if (!input.Breaks.empty() && input.Lines.back().empty()) {
    input.Lines.pop_back();
  }
  if (input.Lines.size() == 1 && input.Lines[0].empty()) {
    return lines;
  }
  for (const auto& word : input.Lines) {
    lines += ExplainLine(word, options);
  }
  return lines;
}

std::string SampleResult(TStressOptions options) {
  const TLines sample = SplitLines(SampleText());
  // The sample's lines each get an LF, as a console shows them.
  const std::vector<std::u16string> breaks(sample.Lines.size() - 1, u"\n");
  TConsoleHost host(breaks, nullptr, 0);
  StressSourceText(JoinWithCrLf(sample.Lines), host, options);
  return host.Output() + "\n";
}

// OptionsOf is the stressing choices the command line asks for.
TStressOptions OptionsOf(const TCommand& command) {
  TStressOptions options;
  if (command.PreferDictionary) options.Order = TStressingOrder::DictionaryFirst;
  return options;
}

// LoadBuiltInDictionary loads the embedded dictionary unless one is in place already (a test or
// an earlier run in the same process may have put it there).
void LoadBuiltInDictionary() {
  if (Dictionary.empty()) LoadDictionary();
}

int Run(const TCommand& command, std::istream& in, std::ostream& out, std::ostream& err,
        const TConsoleSettings& settings) {
  if (command.Help) {
    out << kUsage;
    return kExitSuccess;
  }
  if (command.Version) {
    out << kProgramName << " (Lexipulse) " << kProgramVersion << '\n';
    return kExitSuccess;
  }
  const TStressOptions options = OptionsOf(command);
  if (command.Explain) {
    LoadBuiltInDictionary();
    const std::string lines = Explain(command.Operands, in, options);
    TOutput output(out, command.Output);
    output.Write(lines);
    output.Finish();
  } else if (command.Sample) {
    LoadBuiltInDictionary();
    const std::string result = SampleResult(options);
    TOutput output(out, command.Output);
    output.Write(result);
    output.Finish();
  } else {
    // Everything is read and checked before the output is opened, so a bad input leaves the
    // output untouched and -o may name one of the inputs.
    const std::vector<std::string> inputs =
        command.Operands.empty() ? std::vector<std::string>{"-"} : command.Operands;
    const std::string text = ReadInputs(inputs, in);
    const bool showProgress =
        settings.ErrorIsTerminal && !command.Quiet && text.size() > settings.ProgressMinBytes;
    // The load comes before a progress bar starts its clock, so the rate counts words only.
    LoadBuiltInDictionary();
    TOutput output(out, command.Output);
    StressText(text, options, output, showProgress, settings, err);
    output.Finish();
  }
  return kExitSuccess;
}

}  // namespace

int RunConsole(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, const TConsoleSettings& settings) {
  try {
    const int status = Run(ParseArguments(args), in, out, err, settings);
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
