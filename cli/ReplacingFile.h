#pragma once

#include <memory>
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
// never a truncated or half-written file. Like sed -i it replaces the file: a hard link
// elsewhere keeps the old content. The new file keeps the permissions of the file it replaces
// without the set-user-ID and set-group-ID bits (or gets the usual ones for a new file), and
// its owner and group where the process may set them.
//
// A symbolic link is followed, not replaced, but only where the kernel's rule for links in
// shared folders would follow it: in a world-writable sticky folder such as /tmp, only a link
// owned by the folder's owner or by the caller. Another link there, a link that points nowhere
// or a loop of links raise TOutputError, as a planted link must not lead the write into a file
// of someone else.
//
// Without Commit, the destructor removes the temporary file and the target stays untouched;
// SIGINT, SIGTERM or SIGHUP (unless ignored) while the temporary file exists remove it and end
// the process with exit status 128 + the signal's number. One TReplacingFile at a time may
// exist. A target that exists but is no regular file (a device, a pipe) cannot be replaced and
// is written directly.
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
  class TSignalCleanup;

  [[noreturn]] void Fail(const std::string& what, int error) const;
  void RemoveTemporary();

  std::string _Path;
  std::string _Target;
  std::string _TemporaryPath;
  std::unique_ptr<TSignalCleanup> _Cleanup;
  int _Descriptor = -1;
  bool _Direct = false;
};

}  // namespace lexipulse
