#include "core/data_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/error.h"

namespace tavrik {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return fs::current_path();
  return executable.parent_path();
}

namespace {
// The per-user data folder, created if missing; empty when it cannot be determined.
fs::path UserDataFolder() {
  fs::path folder;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
    folder = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) return {};
  return folder;
}
}  // namespace

fs::path DataFolder() {
  const fs::path user = UserDataFolder();
  if (user.empty()) return ProgramFolder();
  return user / "Tavrik";
}

fs::path ReadPath(std::string_view name) {
  fs::path inData = DataFolder() / name;
  std::error_code error;
  if (fs::exists(inData, error)) return inData;
  return ProgramFolder() / name;
}

fs::path WritePath(std::string_view name) {
  const fs::path folder = DataFolder();
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    errno = error.value();
    throw TError("Cannot create folder " + folder.string() + ": " + error.message());
  }
  return folder / name;
}

void WriteFileAtomically(const fs::path& path, std::string_view content) {
  fs::path temporary = path;
  temporary += ".tmp";
  // errno still tells the cause when the error reaches the caller.
  const auto fail = [&](const std::string& what) {
    const int error = errno;
    std::error_code ignored;
    fs::remove(temporary, ignored);
    errno = error;
    throw TError("Cannot " + what + " " + path.string() + ": " + std::strerror(error));
  };
  // Whatever is left under the temporary name (a file of a run that failed, or a FIFO that
  // would block the open) goes first: the file is always created new.
  ::unlink(temporary.c_str());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) fail("write");
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      fail("write");
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) {
    ::close(fd);
    fail("flush");
  }
  if (::close(fd) != 0) fail("write");
  if (::rename(temporary.c_str(), path.c_str()) != 0) fail("replace");
  // Make the rename itself durable.
  if (const int dir = ::open(path.parent_path().empty() ? "." : path.parent_path().c_str(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

std::string WriteFailureReason(int error) {
  switch (error) {
    case ENOSPC:
      return "disk full";
    case EDQUOT:
      return "disk quota exceeded";
    case EROFS:
      return "the disk is read-only";
    case EACCES:
    case EPERM:
      return "no permission to write there";
    default: {
      std::string reason = std::strerror(error);
      if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(reason[0]));
      return reason;
    }
  }
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  // Only a regular file is read: opening a FIFO or a device could wait for ever. The kind
  // is checked before opening and again on what was opened (it may have been replaced),
  // and the open itself never waits.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string content;
  bool complete = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  if (complete) content.reserve(static_cast<size_t>(status.st_size));
  char buffer[1 << 16];
  while (complete) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      complete = errno == EINTR;
      continue;
    }
    content.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  if (!complete) return std::nullopt;
  return content;
}

}  // namespace tavrik
