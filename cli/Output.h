#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/ReplacingFile.h"

namespace lexipulse {

// TOutput is standard output, or the file of -o ("-" meaning standard output) replaced as
// TReplacingFile does. Write and Finish raise TOutputError when the bytes cannot be written.
class TOutput {
 public:
  TOutput(std::ostream& out, const std::optional<std::string>& file);

  void Write(std::string_view bytes);
  // Finish flushes standard output, or puts the new file in place.
  void Finish();

 private:
  std::ostream& _Out;
  std::unique_ptr<TReplacingFile> _File;
};

}  // namespace lexipulse
