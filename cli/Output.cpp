#include "cli/Output.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace lexipulse {

namespace {

void CheckStream(const std::ostream& out) {
  if (!out) {
    throw TOutputError(std::string("write error: ") + std::strerror(errno));
  }
}

}  // namespace

TOutput::TOutput(std::ostream& out, const std::optional<std::string>& file) : _Out(out) {
  if (file && *file != "-") {
    _File = std::make_unique<TReplacingFile>(*file);
  }
}

void TOutput::Write(std::string_view bytes) {
  if (_File) {
    _File->Write(bytes);
    return;
  }
  _Out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  CheckStream(_Out);
}

void TOutput::Finish() {
  if (_File) {
    _File->Commit();
    return;
  }
  _Out.flush();
  CheckStream(_Out);
}

}  // namespace lexipulse
