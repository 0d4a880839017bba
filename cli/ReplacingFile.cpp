#include "cli/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace lexipulse {

namespace {

namespace fs = std::filesystem;

// The mode a new file gets from the process's umask, as if created with open(..., 0666).
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

TReplacingFile::TReplacingFile(const std::string& path) : _Path(path), _Target(path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    throw TOutputError(path + ": is a directory");
  }
  // Renaming over a link would replace the link; the file it points at is meant.
  if (fs::is_symlink(path, ec)) {
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) {
      _Target = resolved.string();
    }
  }
  const fs::file_status status = fs::status(_Target, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    _Direct = true;
    _Descriptor = open(_Target.c_str(), O_WRONLY | O_CLOEXEC);
    if (_Descriptor < 0) {
      throw TOutputError(path + ": cannot open: " + std::strerror(errno));
    }
    return;
  }
  const fs::path target(_Target);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  _Descriptor = mkstemp(name.data());
  if (_Descriptor < 0) {
    throw TOutputError(path + ": cannot create a temporary file in " + folder.string() + ": " +
                       std::strerror(errno));
  }
  _TemporaryPath = name.data();
}

TReplacingFile::~TReplacingFile() {
  if (_Descriptor >= 0) {
    close(_Descriptor);
    if (!_Direct) {
      unlink(_TemporaryPath.c_str());
    }
  }
}

void TReplacingFile::Fail(const std::string& what, int error) const {
  throw TOutputError(_Path + ": " + what + ": " + std::strerror(error));
}

void TReplacingFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(_Descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      Fail("write error", errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void TReplacingFile::Commit() {
  if (_Direct) {
    const int descriptor = _Descriptor;
    _Descriptor = -1;
    if (close(descriptor) != 0) {
      Fail("write error", errno);
    }
    return;
  }
  struct stat existing {};
  const mode_t mode =
      stat(_Target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode();
  if (fchmod(_Descriptor, mode) != 0) {
    Fail("cannot set permissions", errno);
  }
  if (fsync(_Descriptor) != 0) {
    Fail("write error", errno);
  }
  const int descriptor = _Descriptor;
  _Descriptor = -1;
  if (close(descriptor) != 0) {
    const int error = errno;
    unlink(_TemporaryPath.c_str());
    Fail("write error", error);
  }
  if (std::rename(_TemporaryPath.c_str(), _Target.c_str()) != 0) {
    const int error = errno;
    unlink(_TemporaryPath.c_str());
    Fail("cannot replace the file", error);
  }
}

}  // namespace lexipulse
