#include "cli/ConsoleFrontEnd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/Delimited.h"
#include "app/HtmlText.h"
#include "app/SampleText.h"
#include "app/Version.h"
#include "app/WordContext.h"
#include "cli/Blocks.h"
#include "cli/CommandLine.h"
#include "cli/Explain.h"
#include "cli/Input.h"
#include "cli/InputReader.h"
#include "cli/Output.h"
#include "cli/ProgressBar.h"
#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

constexpr char kProgramName[] = "lexipulse-cli";
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// LoadBuiltInDictionary loads the embedded dictionary unless one is in place already (a test or
// an earlier run in the same process may have put it there).
void LoadBuiltInDictionary() {
  if (Dictionary.empty()) LoadDictionary();
}

// OptionsOf is the stressing choices the command line asks for.
TStressOptions OptionsOf(const TCommand& command) {
  TStressOptions options;
  if (command.PreferDictionary) options.Order = TStressingOrder::DictionaryFirst;
  options.Style = command.Style;
  options.Secondary = command.Secondary;
  options.Variant = command.Variant;
  return options;
}

// SampleAsText is the window's sample text with a line feed after each line but the last.
std::string SampleAsText() { return Utf16ToUtf8(JoinDelimited(SplitLines(SampleText()), u'\n')); }

// StressText stresses the text next hands over into output. totalWords is the number of word
// items when it is known, or negative.
void StressText(const TNextBlock& next, std::int64_t totalWords, bool showProgress,
                TStressOptions options, TOutput& output, const TConsoleSettings& settings,
                std::ostream& err) {
  // The bar starts its clock after the dictionary is loaded, so the rate counts words only.
  std::unique_ptr<TProgressBar> progress;
  if (showProgress) {
    progress = std::make_unique<TProgressBar>(err, totalWords, settings.Clock);
  }
  StressInBlocks(next, options, settings.BlockBytes, settings.Threads, progress.get(),
                 [&output](std::string_view bytes) { output.Write(bytes); });
  if (progress) {
    progress->Finish();
  }
}

void WriteWhole(std::ostream& out, const TCommand& command, std::string_view bytes) {
  TOutput output(out, command.Output);
  output.Write(bytes);
  output.Finish();
}

// Run does what the command asks. Every input is read and checked before the output is
// opened, so a bad input leaves the output untouched and -o may name one of the inputs.
int Run(const TCommand& command, std::istream& in, std::ostream& out, std::ostream& err,
        const TConsoleSettings& settings) {
  if (command.Help) {
    out << UsageText();
    return kExitSuccess;
  }
  if (command.Version) {
    out << kProgramName << " (Lexipulse) " << kProgramVersion << '\n';
    return kExitSuccess;
  }
  const TStressOptions options = OptionsOf(command);
  if (command.Explain && !command.Operands.empty()) {
    LoadBuiltInDictionary();
    WriteWhole(out, command, ExplainWords(command.Operands, options));
    return kExitSuccess;
  }
  if (command.Sample) {
    LoadBuiltInDictionary();
    TOutput output(out, command.Output);
    if (command.Html) output.Write(HtmlHead());
    const std::string text = SampleAsText();
    StressText(BlocksOf(text), CountWordItems(text), false, options, output, settings, err);
    // The sample's last line gets a line feed as well, as a console shows it.
    output.Write("\n");
    if (command.Html) output.Write(HtmlTail());
    output.Finish();
    return kExitSuccess;
  }
  const std::vector<std::string> inputs = command.Operands.empty() || command.Explain
                                              ? std::vector<std::string>{"-"}
                                              : command.Operands;
  // Inputs that can be read twice are checked through before the output is opened, so that a
  // bad one leaves the output untouched and -o may name one of them. A pipe is checked block
  // by block as it is stressed: -o still leaves its file untouched on a failure.
  const std::optional<TInputSummary> summary =
      SummariseInputs(inputs, in, settings.BlockBytes, settings.LongestLine);
  TInputReader reader(inputs, in, settings.BlockBytes, settings.LongestLine);
  // Marked text stressed again in the default order is marked twice; say so once.
  bool warned = options.Order != TStressingOrder::RulesFirst || command.Explain;
  const TNextBlock next = [&reader, &warned, &err](std::string& block) {
    const bool more = reader.NextBlock(block);
    if (more && !warned && HoldsStressMarks(block)) {
      warned = true;
      err << kProgramName
          << ": warning: the input already holds stress marks; they are marked again "
             "(--prefer-dictionary leaves marked words as they are)\n";
    }
    return more;
  };
  LoadBuiltInDictionary();
  TOutput output(out, command.Output);
  if (command.Explain) {
    std::string block;
    while (next(block)) {
      output.Write(ExplainText(block, options));
    }
  } else {
    const bool showProgress = settings.ErrorIsTerminal && !command.Quiet &&
                              (!summary || summary->Bytes > settings.ProgressMinBytes);
    if (command.Html) output.Write(HtmlHead());
    StressText(next, summary ? summary->WordItems : -1, showProgress, options, output, settings,
               err);
    if (command.Html) output.Write(HtmlTail());
  }
  output.Finish();
  return kExitSuccess;
}

}  // namespace

std::size_t DefaultThreads() {
  return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
}

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
