#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "records/log_filter.h"
#include "records/log_record.h"

namespace tavrik {

// Chooses the records that ClearByFilter deletes.
using TRecordPredicate = std::function<bool(const TLogRecord&)>;

// The hand log: every collected round as one 79-byte record, oldest first, in the file
// Tavrik.log of the data folder (no header, nothing between records). The whole log is
// held in memory; each appended record reaches the file at once, and every rewrite of
// the whole file (clearing) replaces it atomically, so a crash loses at most the round
// that was not yet collected.
//
// A file that exists but cannot be read is never written: play goes on with an
// in-memory log and Problem() says why. A file whose length is not a multiple of 79
// bytes (an append cut short) keeps its whole records; the fragment is dropped the next
// time the file is rewritten, which the next Append does instead of appending after it.
class TLogger {
 public:
  static constexpr std::string_view FileName = "Tavrik.log";
  // ReadOnly: the file is only read; the log may change in memory but is never written.
  enum class TAccess { ReadWrite, ReadOnly };

  // The log of the data folder.
  TLogger();
  // The log kept in `file`.
  explicit TLogger(std::filesystem::path file, TAccess access = TAccess::ReadWrite);
  // Save(); a failure is reported on standard error.
  ~TLogger();
  TLogger(const TLogger&) = delete;
  TLogger& operator=(const TLogger&) = delete;

  // Record `index`, 0 the oldest, decoded from the log in memory (nothing is allocated, so
  // visiting every record is cheap). Raises TError when index >= RecordCount().
  TLogRecord Record(size_t index) const;
  // Adds a record at the end of the log and of the file. The record is in the log even
  // when writing the file fails (TError, WriteError() says why); the next Append or Save
  // then writes every record the file lacks. A failed append takes back what it wrote.
  void Append(const TLogRecord& record);
  // Deletes every record and writes the empty file. On failure (TError) the log and the
  // file stay unchanged.
  void Clear();
  // Deletes the records `shouldDelete` chooses, keeps the others in order, and rewrites
  // the file with exactly the kept records (creating it when there is none). Returns the
  // number deleted. On failure (TError) the log and the file stay unchanged.
  int ClearByFilter(const TRecordPredicate& shouldDelete);
  // Brings the file up to date when an earlier write failed or it holds a fragment: the
  // missing records are appended, or the file is rewritten when it is not as left.
  void Save();
  // Records in the log that an earlier write failed to put in the file.
  size_t UnwrittenCount() const;
  // Why the last write of the file failed, in plain words ("disk full"); empty once a
  // write succeeded.
  const std::string& WriteError() const { return writeError_; }

  size_t RecordCount() const { return bytes_.size() / TLogRecord::Size; }
  // The records' bytes, RecordCount() x 79, oldest first; valid until the log changes.
  const uint8_t* Data() const { return reinterpret_cast<const uint8_t*>(bytes_.data()); }
  // Bytes after the last whole record of the file when it was loaded (a cut-short append).
  size_t IgnoredBytes() const { return ignoredBytes_; }

  // The filter of the windows that read the log, built from the log on first request and
  // dropped by Append, Clear and ClearByFilter (so the next request builds a new one).
  TLogFilter& Filter();
  // The number of the current filter among those built so far (1 the first); 0 when there
  // is none. A subscriber compares it with the number it subscribed under before
  // unsubscribing, since the filter it subscribed to may have been dropped.
  uint64_t FilterGeneration() const { return filter_ ? filterGeneration_ : 0; }
  // How filters write a day (default: strftime "%x" in the C library's current locale).
  // Drops the current filter.
  void SetShortDateFormat(TShortDateFormat format);
  const std::filesystem::path& File() const { return file_; }
  // Why the file is left alone (it exists but could not be read); empty when it is used.
  const std::string& Problem() const { return problem_; }

  // OLE date at which the logger was created (the start of this run).
  double SessionStart = 0;

 private:
  void Load();
  // Writes the file with `content` in place of the old one, atomically.
  void Replace(const std::string& content);
  // Appends the records of bytes_ past fileBytes_ to the file; false when the file is not
  // what the log expects there (it must then be rewritten). Raises TError when writing
  // fails, after cutting the file back to where it ended.
  bool AppendToFile();

  static constexpr size_t NotKnown = static_cast<size_t>(-1);

  std::filesystem::path file_;
  std::string bytes_;     // whole records only
  bool writable_ = true;  // false when read-only or the file could not be read
  size_t fileBytes_ = 0;  // the file holds this much of bytes_ (NotKnown: rewrite it)
  std::string writeError_;
  size_t unwritten_ = 0;  // records appended since the file was last brought up to date
  std::string problem_;
  size_t ignoredBytes_ = 0;
  TShortDateFormat shortDate_;
  std::unique_ptr<TLogFilter> filter_;
  uint64_t filterGeneration_ = 0;
};

}  // namespace tavrik
