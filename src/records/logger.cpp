#include "records/logger.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "core/data_files.h"
#include "core/error.h"
#include "records/ole_date.h"

namespace tavrik {

namespace fs = std::filesystem;

namespace {

// Closes a file descriptor when it goes out of scope.
class TFileDescriptor {
 public:
  explicit TFileDescriptor(int fd) : fd_(fd) {}
  ~TFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

std::string SystemError() {
  return std::strerror(errno);
}

void CreateFolderOf(const fs::path& file) {
  std::error_code ignored;  // a missing folder shows up as the failure to write the file
  fs::create_directories(file.parent_path(), ignored);
}

}  // namespace

TLogger::TLogger() : TLogger(DataFolder() / FileName) {}

TLogger::TLogger(fs::path file, TAccess access) : file_(std::move(file)) {
  Load();
  if (access == TAccess::ReadOnly) writable_ = false;
  SessionStart = OleDateNow();
}

TLogger::~TLogger() {
  try {
    Save();
  } catch (const std::exception& error) {
    std::cerr << "tavrik: " << error.what() << '\n';
  }
}

void TLogger::Load() {
  const auto unreadable = [this](const std::string& reason) {
    bytes_.clear();
    writable_ = false;
    problem_ = "The hand log " + file_.string() + " could not be read (" + reason +
               "). Play goes on, but this run's hands are not saved and the file is left "
               "unchanged.";
  };
  // Never waits: a FIFO or a device under the log's name opens at once and is refused below.
  const TFileDescriptor file(::open(file_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) {
    if (errno != ENOENT) unreadable(SystemError());
    return;  // no file yet: an empty log
  }
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return unreadable(SystemError());
  if (!S_ISREG(status.st_mode)) return unreadable("not a regular file");
  std::string content;
  content.reserve(static_cast<size_t>(status.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return unreadable(SystemError());
    }
    content.append(buffer, static_cast<size_t>(n));
  }
  const size_t whole = content.size() - content.size() % TLogRecord::Size;
  // A fragment is not built on: the file is rewritten with the next write.
  fileBytes_ = whole == content.size() ? whole : NotKnown;
  ignoredBytes_ = content.size() - whole;
  content.resize(whole);
  bytes_ = std::move(content);
}

TLogRecord TLogger::Record(size_t index) const {
  if (index >= RecordCount()) ThrowOutOfRange("Log record", static_cast<long long>(index));
  return TLogRecord::Deserialize(
      reinterpret_cast<const uint8_t*>(bytes_.data() + index * TLogRecord::Size));
}

void TLogger::Append(const TLogRecord& record) {
  const TLogRecord::TBytes bytes = record.Serialize();
  bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  filter_.reset();
  ++unwritten_;
  if (writable_) Save();
}

bool TLogger::AppendToFile() {
  CreateFolderOf(file_);
  const TFileDescriptor file(
      ::open(file_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644));
  const auto fail = [this](const std::string& what) {
    const int error = errno;
    writeError_ = WriteFailureReason(error);
    throw TError("Cannot " + what + " " + file_.string() + ": " + std::strerror(error));
  };
  if (file.Get() < 0) fail("open");
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) fail("examine");
  // The file must end where the records it lacks start; anything else (a fragment, a file
  // changed or removed behind our back) is mended by rewriting it whole.
  if (!S_ISREG(status.st_mode) || static_cast<size_t>(status.st_size) != fileBytes_) return false;
  const char* data = bytes_.data() + fileBytes_;
  const size_t count = bytes_.size() - fileBytes_;
  size_t written = 0;
  while (written < count) {
    const ssize_t n = ::write(file.Get(), data + written, count - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      // What did reach the file goes again, so that no later append builds on a fragment.
      const int error = errno;
      if (::ftruncate(file.Get(), static_cast<off_t>(fileBytes_)) != 0) fileBytes_ = NotKnown;
      errno = error;
      fail("append to");
    }
    written += static_cast<size_t>(n);
  }
  if (::fdatasync(file.Get()) != 0) fail("flush");
  fileBytes_ = bytes_.size();
  return true;
}

void TLogger::Replace(const std::string& content) {
  CreateFolderOf(file_);
  try {
    WriteFileAtomically(file_, content);
  } catch (const TError&) {
    writeError_ = WriteFailureReason(errno);
    throw;
  }
  fileBytes_ = content.size();
  unwritten_ = 0;
}

void TLogger::Clear() {
  if (writable_) Replace({});
  bytes_.clear();
  filter_.reset();
}

int TLogger::ClearByFilter(const TRecordPredicate& shouldDelete) {
  std::string kept;
  kept.reserve(bytes_.size());
  int deleted = 0;
  for (size_t i = 0; i < RecordCount(); ++i) {
    if (shouldDelete(Record(i))) {
      ++deleted;
    } else {
      kept.append(bytes_, i * TLogRecord::Size, TLogRecord::Size);
    }
  }
  if (writable_) Replace(kept);
  bytes_ = std::move(kept);
  filter_.reset();  // only now: `shouldDelete` may be the filter's own choice
  return deleted;
}

TLogFilter& TLogger::Filter() {
  if (!filter_) {
    filter_ = std::make_unique<TLogFilter>(*this, shortDate_ ? shortDate_ : DefaultShortDate);
    ++filterGeneration_;
  }
  return *filter_;
}

void TLogger::SetShortDateFormat(TShortDateFormat format) {
  shortDate_ = std::move(format);
  filter_.reset();
}

void TLogger::Save() {
  if (!writable_ || fileBytes_ == bytes_.size()) return;
  if (fileBytes_ == NotKnown || fileBytes_ > bytes_.size() || !AppendToFile()) Replace(bytes_);
  writeError_.clear();
  unwritten_ = 0;
}

size_t TLogger::UnwrittenCount() const {
  return writable_ ? unwritten_ : 0;
}

}  // namespace tavrik
