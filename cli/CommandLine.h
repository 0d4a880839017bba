#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/StressOptions.h"

namespace lexipulse {

// TUsageError is a mistake on the command line, reported with exit status 2.
class TUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// TCommand is what the command line asks for.
struct TCommand {
  bool Help = false;
  bool Version = false;
  bool Sample = false;
  bool Explain = false;
  bool PreferDictionary = false;
  bool Quiet = false;
  // Style is the notation of --style; Html tells that --style html asked for an HTML document
  // (of the highlight style).
  TNotationStyle Style = TNotationStyle::Classic;
  bool Html = false;
  TSecondaryStress Secondary = TSecondaryStress::None;
  TVariant Variant = TVariant::American;
  std::optional<std::string> Output;
  // File names, or the words to explain.
  std::vector<std::string> Operands;
};

// ParseArguments reads the arguments after the program name; options may come anywhere
// before "--". Raises TUsageError for an unknown option or a combination that makes no sense.
TCommand ParseArguments(const std::vector<std::string>& args);

// UsageText is what --help shows.
const char* UsageText();

}  // namespace lexipulse
