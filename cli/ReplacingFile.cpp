#include "cli/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <vector>

#include "cli/Escape.h"

namespace lexipulse {

namespace {

namespace fs = std::filesystem;

// The most links followed in a row, as the kernel allows.
constexpr int kMostLinks = 40;
constexpr char kTemporarySuffix[] = ".XXXXXX";
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file a signal handler removes; a plain pointer that is always lock-free, so
// the handler may read it.
std::atomic<const char*> gTemporaryPath{nullptr};
static_assert(std::atomic<const char*>::is_always_lock_free);

void RemoveTemporaryAndExit(int signal) {
  if (const char* path = gTemporaryPath.load()) {
    unlink(path);
  }
  _exit(128 + signal);
}

sigset_t CleanupSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kCleanupSignals) {
    sigaddset(&set, signal);
  }
  return set;
}

// TSignalsBlocked holds the cleanup signals back for its lifetime; one that arrives meanwhile
// is delivered at its end.
class TSignalsBlocked {
 public:
  TSignalsBlocked() {
    const sigset_t set = CleanupSignalSet();
    pthread_sigmask(SIG_BLOCK, &set, &_Saved);
  }
  TSignalsBlocked(const TSignalsBlocked&) = delete;
  TSignalsBlocked& operator=(const TSignalsBlocked&) = delete;
  ~TSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &_Saved, nullptr); }

 private:
  sigset_t _Saved;
};

// The mode a new file gets from the process's umask, as if created with open(..., 0666).
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// IsSharedFolder tells whether anyone may create files in a folder but remove only their own.
bool IsSharedFolder(const struct stat& folder) {
  return (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
}

// FollowLinks resolves the symbolic links that path ends in, as opening it would, and
// refuses where the kernel's protection of links in shared folders would refuse to follow.
// A link that only the kernel can resolve (those of /proc behind /dev/stdout) is kept, to be
// opened as it is.
std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0;; ++hops) {
    struct stat link {};
    if (lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
      return current;
    }
    struct stat folder {};
    if (stat(FolderOf(current).c_str(), &folder) == 0 && IsSharedFolder(folder) &&
        link.st_uid != folder.st_uid && link.st_uid != geteuid()) {
      throw TOutputError(EscapeControls(path) + ": not following the symbolic link " +
                         EscapeControls(current) +
                         ": it is in a world-writable sticky folder and belongs to neither the "
                         "folder's owner nor you");
    }
    struct stat resolved {};
    const int resolveError = stat(current.c_str(), &resolved) == 0 ? 0 : errno;
    if (hops == kMostLinks || resolveError == ELOOP) {
      throw TOutputError(EscapeControls(path) + ": too many levels of symbolic links");
    }
    std::error_code ec;
    const fs::path target = fs::read_symlink(current, ec);
    if (ec) {
      throw TOutputError(EscapeControls(path) + ": cannot read the symbolic link " +
                         EscapeControls(current) + ": " + ec.message());
    }
    if (resolveError == ENOENT) {
      throw TOutputError(EscapeControls(path) + ": is a symbolic link to " +
                         EscapeControls(target.string()) +
                         ", which does not exist; not replacing the link");
    }
    // A relative target is relative to the link's folder; an absolute one replaces the path.
    const fs::path next = fs::path(current).parent_path() / target;
    struct stat nextStatus {};
    if (lstat(next.c_str(), &nextStatus) != 0) {
      return current;
    }
    current = next.string();
  }
}

// TemporaryPattern is the mkstemp pattern beside target: a hidden name made from the target's
// own, cut short where the folder's name limit would not leave room for it.
std::string TemporaryPattern(const fs::path& target) {
  const fs::path folder = FolderOf(target);
  long longest = pathconf(folder.c_str(), _PC_NAME_MAX);
  if (longest <= 0) {
    longest = NAME_MAX;
  }
  std::string name = target.filename().string();
  const std::size_t room = static_cast<std::size_t>(longest) - 1 - (sizeof kTemporarySuffix - 1);
  if (name.size() > room) {
    name.resize(room);
    // A character cut in two is dropped whole.
    while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) {
      name.pop_back();
    }
    if (!name.empty() && static_cast<unsigned char>(name.back()) >= 0xC0) {
      name.pop_back();
    }
  }
  return (folder / ("." + name + kTemporarySuffix)).string();
}

}  // namespace

// TSignalCleanup has the cleanup signals remove the temporary file for its lifetime; a signal
// the process ignores stays ignored.
class TReplacingFile::TSignalCleanup {
 public:
  explicit TSignalCleanup(const std::string& temporaryPath) {
    gTemporaryPath.store(temporaryPath.c_str());
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndExit;
    action.sa_mask = CleanupSignalSet();
    for (std::size_t i = 0; i < std::size(kCleanupSignals); ++i) {
      sigaction(kCleanupSignals[i], nullptr, &_Saved[i]);
      if (_Saved[i].sa_handler != SIG_IGN) {
        sigaction(kCleanupSignals[i], &action, nullptr);
      }
    }
  }
  TSignalCleanup(const TSignalCleanup&) = delete;
  TSignalCleanup& operator=(const TSignalCleanup&) = delete;
  ~TSignalCleanup() {
    for (std::size_t i = 0; i < std::size(kCleanupSignals); ++i) {
      sigaction(kCleanupSignals[i], &_Saved[i], nullptr);
    }
    gTemporaryPath.store(nullptr);
  }

 private:
  struct sigaction _Saved[std::size(kCleanupSignals)] = {};
};

TReplacingFile::TReplacingFile(const std::string& path) : _Path(path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    throw TOutputError(EscapeControls(path) + ": is a directory");
  }
  // Renaming over a link would replace the link; the file it points at is meant.
  _Target = FollowLinks(path);
  const fs::file_status status = fs::status(_Target, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    _Direct = true;
    _Descriptor = open(_Target.c_str(), O_WRONLY | O_CLOEXEC);
    if (_Descriptor < 0) {
      Fail("cannot open", errno);
    }
    return;
  }
  std::string pattern = TemporaryPattern(_Target);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // The handlers are in place before a signal could leave the new file behind.
  const TSignalsBlocked blocked;
  _Descriptor = mkstemp(name.data());
  if (_Descriptor < 0) {
    throw TOutputError(EscapeControls(path) + ": cannot create a temporary file in " +
                       EscapeControls(FolderOf(_Target).string()) + ": " + std::strerror(errno));
  }
  _TemporaryPath = name.data();
  _Cleanup = std::make_unique<TSignalCleanup>(_TemporaryPath);
}

TReplacingFile::~TReplacingFile() {
  if (_Descriptor >= 0) {
    close(_Descriptor);
  }
  if (!_Direct) {
    RemoveTemporary();
  }
}

void TReplacingFile::RemoveTemporary() {
  const TSignalsBlocked blocked;
  if (_Cleanup) {
    unlink(_TemporaryPath.c_str());
    _Cleanup.reset();
  }
}

void TReplacingFile::Fail(const std::string& what, int error) const {
  throw TOutputError(EscapeControls(_Path) + ": " + what + ": " + std::strerror(error));
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
  mode_t mode = NewFileMode();
  if (stat(_Target.c_str(), &existing) == 0) {
    // Owner first, as a change of owner clears the set-ID bits and the mode comes after it.
    if (fchown(_Descriptor, existing.st_uid, existing.st_gid) != 0 &&
        fchown(_Descriptor, static_cast<uid_t>(-1), existing.st_gid) != 0) {
      // Neither owner nor group may be kept: the file is the caller's, as any new file.
    }
    // New content must not run with the rights of the old file's owner.
    mode = existing.st_mode & 07777 & ~mode_t{S_ISUID | S_ISGID};
  }
  if (fchmod(_Descriptor, mode) != 0) {
    Fail("cannot set permissions", errno);
  }
  if (fsync(_Descriptor) != 0) {
    Fail("write error", errno);
  }
  const int descriptor = _Descriptor;
  _Descriptor = -1;
  if (close(descriptor) != 0) {
    Fail("write error", errno);
  }
  const TSignalsBlocked blocked;
  if (std::rename(_TemporaryPath.c_str(), _Target.c_str()) != 0) {
    Fail("cannot replace the file", errno);
  }
  // The temporary name is the target's now; nothing is left to remove.
  _Cleanup.reset();
}

}  // namespace lexipulse
