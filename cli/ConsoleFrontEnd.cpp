#include "cli/ConsoleFrontEnd.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/Delimited.h"
#include "app/HtmlText.h"
#include "app/SampleText.h"
#include "app/Version.h"
#include "cli/Blocks.h"
#include "cli/CommandLine.h"
#include "cli/Explain.h"
#include "cli/Input.h"
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

void StressText(std::string_view text, TStressOptions options, TOutput& output, bool showProgress,
                const TConsoleSettings& settings, std::ostream& err) {
  // The bar starts its clock after the dictionary is loaded, so the rate counts words only.
  std::unique_ptr<TProgressBar> progress;
  if (showProgress) {
    progress = std::make_unique<TProgressBar>(err, CountWordItems(text), settings.Clock);
  }
  StressInBlocks(text, options, settings.BlockBytes, progress.get(),
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
  if (command.Explain) {
    if (command.Operands.empty()) {
      const std::string text = ReadStandardInput(in);
      CheckText(text, "standard input");
      LoadBuiltInDictionary();
      WriteWhole(out, command, ExplainText(text, options));
    } else {
      LoadBuiltInDictionary();
      WriteWhole(out, command, ExplainWords(command.Operands, options));
    }
    return kExitSuccess;
  }
  const std::string text =
      command.Sample
          ? SampleAsText()
          : ReadInputs(command.Operands.empty() ? std::vector<std::string>{"-"} : command.Operands,
                       in);
  LoadBuiltInDictionary();
  const bool showProgress =
      settings.ErrorIsTerminal && !command.Quiet && text.size() > settings.ProgressMinBytes;
  TOutput output(out, command.Output);
  if (command.Html) output.Write(HtmlHead());
  StressText(text, options, output, showProgress, settings, err);
  if (command.Sample) {
    // The sample's last line gets a line feed as well, as a console shows it.
    output.Write("\n");
  }
  if (command.Html) output.Write(HtmlTail());
  output.Finish();
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
