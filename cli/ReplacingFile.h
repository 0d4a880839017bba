#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace lexipulse {

// TOutputError is an output that cannot be created or written.
class TOutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// TReplacingFile writes a file through a temporary file in the same folder and puts it in
// place with one rename in Commit, so readers see either the old file or the whole new one,
// never a truncated or half-written file. The new file keeps the permissions of the file it
// replaces (or gets the usual ones for a new file); a symbolic link is followed, not replaced.
// Without Commit, the destructor removes the temporary file and the target stays untouched.
// A target that exists but is no regular file (a device, a pipe) cannot be replaced and is
// written directly.
class TReplacingFile {
 public:
  // Creates the temporary file; raises TOutputError naming path when it cannot.
  explicit TReplacingFile(const std::string& path);
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;
  ~TReplacingFile();

  // Write appends bytes; raises TOutputError with the system's reason when they cannot all
  // be written (a full disk, a file size limit).
  void Write(std::string_view bytes);
  // Commit makes the written bytes durable and renames the temporary file over the target.
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& what, int error) const;

  std::string _Path;
  std::string _Target;
  std::string _TemporaryPath;
  int _Descriptor = -1;
  bool _Direct = false;
};

}  // namespace lexipulse
