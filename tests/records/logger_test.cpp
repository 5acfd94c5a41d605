#include "records/logger.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <vector>

#include "core/data_files.h"
#include "core/error.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

namespace fs = std::filesystem;

// A record whose every field depends on `n`.
TLogRecord Sample(int n) {
  TLogRecord record;
  record.GameType = static_cast<uint8_t>(n % 9);
  record.PayIndex = static_cast<uint8_t>(n % 3);
  record.Mode = static_cast<uint8_t>(n % 4);
  for (size_t i = 0; i < 5; ++i) {
    record.DealtCards[i] = static_cast<uint8_t>((n + static_cast<int>(i)) % 52);
    record.DrawCards[i] = static_cast<uint8_t>((n * 3 + static_cast<int>(i)) % 52);
  }
  record.CoinValueIndex = static_cast<uint8_t>(n % 6);
  record.Bet = static_cast<uint8_t>(1 + n % 5);
  record.Win = n * 10 - 5;
  record.HandWin = n * 5;
  record.PerfectWin = -n;
  record.MaxWin = n * 1000;
  record.DealtCategory = static_cast<uint8_t>(n % 2 == 0 ? 255 : n % 11);
  record.FinalCategory = static_cast<uint8_t>(n % 10);
  record.PerfectCategory = 255;
  record.PlayerMask = static_cast<uint8_t>(n % 32);
  record.BestMask = static_cast<uint8_t>((n * 7) % 32);
  record.MaxWinMask = 31;
  record.PlayerReturn = n / 3.0;
  record.BestReturn = n / 2.0;
  record.DealTime = 45000 + n / 7.0;
  record.EndTime = 45000 + n / 6.0;
  record.DoubleCount = static_cast<uint8_t>(n % 256);
  record.HintReturn = n % 2 == 0 ? 0 : n / 2.0;
  return record;
}

std::string FileBytes(const fs::path& path) {
  return ReadWholeFile(path).value_or("<missing>");
}

std::string RecordBytes(const TLogRecord& record) {
  const auto bytes = record.Serialize();
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<TLogRecord> ReadAll(TLogger& logger) {
  std::vector<TLogRecord> records;
  TLogRecord record;
  logger.Rewind();
  while (logger.ReadNext(record)) records.push_back(record);
  return records;
}

std::vector<TLogRecord> Samples(int first, int count) {
  std::vector<TLogRecord> records;
  for (int n = first; n < first + count; ++n) records.push_back(Sample(n));
  return records;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(Logger, LivesInTheDataFolder) {
  TempFolder folder;
  TLogger logger;
  EXPECT_EQ(logger.File(), folder.DataFolder() / "Tavrik.log");
  EXPECT_EQ(logger.RecordCount(), 0u);
  EXPECT_TRUE(logger.Problem().empty());
  logger.Append(Sample(1));
  EXPECT_EQ(FileBytes(folder.DataFolder() / "Tavrik.log"), RecordBytes(Sample(1)));
}

TEST(Logger, EachAppendReachesTheFileAtOnce) {
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  std::string expected;
  {
    TLogger logger(path);
    EXPECT_FALSE(fs::exists(path));
    for (const TLogRecord& record : Samples(1, 4)) {
      logger.Append(record);
      expected += RecordBytes(record);
      EXPECT_EQ(FileBytes(path), expected);
    }
  }
  EXPECT_EQ(FileBytes(path), expected);
  TLogger again(path);
  EXPECT_EQ(ReadAll(again), Samples(1, 4));
}

TEST(Logger, ReadersShareOnePositionAndRewind) {
  TempFolder folder;
  TLogger logger(folder.Path() / "Tavrik.log");
  for (const TLogRecord& record : Samples(0, 3)) logger.Append(record);
  TLogRecord record;
  EXPECT_FALSE(logger.ReadNext(record));  // appending leaves the position at the end
  EXPECT_EQ(ReadAll(logger), Samples(0, 3));
  EXPECT_EQ(ReadAll(logger), Samples(0, 3));
  logger.Rewind();
  ASSERT_TRUE(logger.ReadNext(record));
  logger.Append(Sample(3));  // moves to the end
  EXPECT_FALSE(logger.ReadNext(record));
  EXPECT_EQ(ReadAll(logger), Samples(0, 4));
}

TEST(Logger, KilledProcessKeepsEveryAppendedRecord) {
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TLogger logger(path);
    for (const TLogRecord& record : Samples(10, 3)) logger.Append(record);
    ::kill(::getpid(), SIGKILL);  // no destructor runs
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  TLogger logger(path);
  EXPECT_EQ(ReadAll(logger), Samples(10, 3));
}

TEST(Logger, TornFileKeepsWholeRecordsAndIsMendedByTheNextAppend) {
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  const std::string whole = RecordBytes(Sample(1)) + RecordBytes(Sample(2));
  const std::string torn = whole + RecordBytes(Sample(3)).substr(0, 30);
  WriteBytes(path, torn);
  {
    TLogger logger(path);
    EXPECT_EQ(ReadAll(logger), Samples(1, 2));
    EXPECT_TRUE(logger.Problem().empty());
    EXPECT_EQ(FileBytes(path), torn);  // reading changes nothing
    logger.Append(Sample(4));
    // The new record follows the whole ones, not the fragment.
    EXPECT_EQ(FileBytes(path), whole + RecordBytes(Sample(4)));
    logger.Append(Sample(5));
    EXPECT_EQ(FileBytes(path), whole + RecordBytes(Sample(4)) + RecordBytes(Sample(5)));
  }
  // Without an append, the fragment goes when the log is saved at the end of the run.
  WriteBytes(path, torn);
  { TLogger logger(path); }
  EXPECT_EQ(FileBytes(path), whole);
}

TEST(Logger, UnreadableFileIsNeverWritten) {
  TempFolder folder;
  // A folder where the log should be cannot be read as a log, whoever runs the test.
  const fs::path path = folder.Path() / "Tavrik.log";
  fs::create_directories(path / "keep");
  {
    TLogger logger(path);
    EXPECT_FALSE(logger.Problem().empty());
    EXPECT_NE(logger.Problem().find(path.string()), std::string::npos);
    EXPECT_EQ(logger.RecordCount(), 0u);
    // Play goes on in memory.
    EXPECT_NO_THROW(logger.Append(Sample(1)));
    EXPECT_NO_THROW(logger.Append(Sample(2)));
    EXPECT_EQ(ReadAll(logger), Samples(1, 2));
    EXPECT_EQ(logger.ClearByFilter([](const TLogRecord& r) { return r == Sample(1); }), 1);
    EXPECT_EQ(ReadAll(logger), Samples(2, 1));
    EXPECT_NO_THROW(logger.Clear());
    EXPECT_EQ(logger.RecordCount(), 0u);
  }
  EXPECT_TRUE(fs::is_directory(path / "keep"));
  EXPECT_FALSE(fs::exists(folder.Path() / "Tavrik.log.tmp"));
}

TEST(Logger, FileWithoutReadPermissionIsNeverWritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  const std::string old = RecordBytes(Sample(1));
  WriteBytes(path, old);
  ::chmod(path.c_str(), 0200);
  {
    TLogger logger(path);
    EXPECT_FALSE(logger.Problem().empty());
    logger.Append(Sample(2));
    logger.Clear();
  }
  ::chmod(path.c_str(), 0600);
  EXPECT_EQ(FileBytes(path), old);
}

TEST(Logger, FailedAppendKeepsTheRecordAndTheNextWriteCatchesUp) {
  TempFolder folder;
  const fs::path logFolder = folder.Path() / "logs";
  const fs::path path = logFolder / "Tavrik.log";
  TLogger logger(path);
  logger.Append(Sample(1));
  // The folder turns into a file: nothing can be written there.
  fs::rename(logFolder, folder.Path() / "moved");
  WriteBytes(folder.Path() / "placeholder", "x");
  fs::rename(folder.Path() / "placeholder", logFolder);
  EXPECT_THROW(logger.Append(Sample(2)), TError);
  EXPECT_EQ(ReadAll(logger), Samples(1, 2));
  // A clear that cannot be written leaves the log as it was.
  EXPECT_THROW(logger.Clear(), TError);
  EXPECT_THROW(logger.ClearByFilter([](const TLogRecord&) { return true; }), TError);
  EXPECT_EQ(ReadAll(logger), Samples(1, 2));
  // Once the folder is back, the next append writes every record.
  fs::remove(logFolder);
  fs::rename(folder.Path() / "moved", logFolder);
  logger.Append(Sample(3));
  EXPECT_EQ(FileBytes(path),
            RecordBytes(Sample(1)) + RecordBytes(Sample(2)) + RecordBytes(Sample(3)));
}

TEST(Logger, ClearWritesTheEmptyFileAtOnce) {
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  TLogger logger(path);
  for (const TLogRecord& record : Samples(0, 3)) logger.Append(record);
  logger.Clear();
  EXPECT_EQ(logger.RecordCount(), 0u);
  EXPECT_EQ(FileBytes(path), "");
  EXPECT_TRUE(ReadAll(logger).empty());
  logger.Append(Sample(9));
  EXPECT_EQ(FileBytes(path), RecordBytes(Sample(9)));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
      << "no temporary file is left behind";
}

TEST(Logger, ClearByFilter) {
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  const auto oddGames = [](const TLogRecord& record) { return record.GameType % 2 == 1; };
  {
    // Before any file exists, clearing writes the kept records.
    TLogger logger(path);
    EXPECT_EQ(logger.ClearByFilter(oddGames), 0);
    EXPECT_EQ(FileBytes(path), "");
  }
  fs::remove(path);
  TLogger logger(path);
  for (const TLogRecord& record : Samples(0, 9)) logger.Append(record);
  fs::remove(path);  // clearing must not depend on the file being there
  EXPECT_EQ(logger.ClearByFilter(oddGames), 4);
  const std::vector<TLogRecord> kept = {Sample(0), Sample(2), Sample(4), Sample(6), Sample(8)};
  EXPECT_EQ(ReadAll(logger), kept);
  std::string expected;
  for (const TLogRecord& record : kept) expected += RecordBytes(record);
  EXPECT_EQ(FileBytes(path), expected);
  // The same choice again deletes nothing.
  EXPECT_EQ(logger.ClearByFilter(oddGames), 0);
  EXPECT_EQ(ReadAll(logger), kept);
  logger.Append(Sample(20));
  EXPECT_EQ(FileBytes(path), expected + RecordBytes(Sample(20)));
}

}  // namespace
}  // namespace tavrik
