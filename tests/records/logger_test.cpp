#include "records/logger.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "core/data_files.h"
#include "core/error.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

namespace fs = std::filesystem;
using Records = std::vector<TLogRecord>;

// A record whose fields depend on `n`.
TLogRecord Sample(int n) {
  TLogRecord record;
  record.GameType = static_cast<uint8_t>(n % 9);
  record.DealtCards = {static_cast<uint8_t>(n % 52), 1, 2, 3, 4};
  record.Bet = static_cast<uint8_t>(1 + n % 5);
  record.Win = n * 10 - 5;
  record.PlayerReturn = n / 3.0;
  record.DealTime = 45000 + n / 7.0;
  record.HintReturn = n / 2.0;
  return record;
}

Records Samples(std::initializer_list<int> numbers) {
  Records records;
  for (int n : numbers) records.push_back(Sample(n));
  return records;
}

std::string Bytes(const Records& records) {
  std::string bytes;
  for (const TLogRecord& record : records) {
    const auto one = record.Serialize();
    bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
  }
  return bytes;
}

std::string FileBytes(const fs::path& path) {
  return ReadWholeFile(path).value_or("<missing>");
}

Records ReadAll(const TLogger& logger) {
  Records records;
  for (size_t i = 0; i < logger.RecordCount(); ++i) records.push_back(logger.Record(i));
  return records;
}

TEST(Logger, EachAppendReachesTheFileAtOnce) {
  TempFolder folder;
  const fs::path path = folder.DataFolder() / "Tavrik.log";
  Records appended;
  {
    TLogger logger;
    EXPECT_EQ(logger.File(), path);
    EXPECT_FALSE(fs::exists(path));
    for (int n = 1; n <= 3; ++n) {
      logger.Append(Sample(n));
      appended.push_back(Sample(n));
      EXPECT_EQ(FileBytes(path), Bytes(appended));
      EXPECT_EQ(ReadAll(logger), appended);  // reading between appends disturbs nothing
    }
    EXPECT_THROW(logger.Record(3), TError);
  }
  TLogger again;
  EXPECT_EQ(ReadAll(again), appended);
}

TEST(Logger, KilledProcessKeepsEveryAppendedRecord) {
  TempFolder folder;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TLogger logger;
    for (int n : {10, 11, 12}) logger.Append(Sample(n));
    ::kill(::getpid(), SIGKILL);  // no destructor runs
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  TLogger logger;
  EXPECT_EQ(ReadAll(logger), Samples({10, 11, 12}));
}

TEST(Logger, TornFileKeepsWholeRecordsUntilTheNextWrite) {
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  const std::string torn = Bytes(Samples({1, 2})) + Bytes(Samples({3})).substr(0, 30);
  WriteFileAtomically(path, torn);
  {
    TLogger logger(path);
    EXPECT_EQ(ReadAll(logger), Samples({1, 2}));
    EXPECT_TRUE(logger.Problem().empty());
    EXPECT_EQ(FileBytes(path), torn);
    // The new record follows the whole ones, not the fragment.
    logger.Append(Sample(4));
    EXPECT_EQ(FileBytes(path), Bytes(Samples({1, 2, 4})));
    logger.Append(Sample(5));
    EXPECT_EQ(FileBytes(path), Bytes(Samples({1, 2, 4, 5})));
  }
  // Without an append, the fragment goes when the log is saved at the end of the run.
  WriteFileAtomically(path, torn);
  { TLogger logger(path); }
  EXPECT_EQ(FileBytes(path), Bytes(Samples({1, 2})));
}

TEST(Logger, UnreadableFileIsNeverWritten) {
  // A folder or a FIFO where the log should be cannot be read as a log (and a FIFO is not
  // waited on), whoever runs the test.
  for (const bool fifo : {false, true}) {
    TempFolder folder;
    const fs::path path = folder.Path() / "Tavrik.log";
    ASSERT_TRUE(fifo ? ::mkfifo(path.c_str(), 0600) == 0 : fs::create_directories(path / "keep"));
    {
      TLogger logger(path);
      EXPECT_NE(logger.Problem().find(path.string()), std::string::npos);
      // Play goes on in memory; nothing tries the file.
      for (const int n : {1, 2}) logger.Append(Sample(n));
      EXPECT_EQ(logger.ClearByFilter([](const TLogRecord& r) { return r == Sample(1); }), 1);
      EXPECT_EQ(ReadAll(logger), Samples({2}));
      logger.Clear();
      EXPECT_EQ(logger.RecordCount(), 0u);
    }
    EXPECT_TRUE(fifo ? fs::is_fifo(path) : fs::is_directory(path / "keep"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
  }
}

TEST(Logger, FailedWritesKeepTheLogAndTheNextWriteCatchesUp) {
  TempFolder folder;
  const fs::path logFolder = folder.Path() / "logs";
  const fs::path path = logFolder / "Tavrik.log";
  TLogger logger(path);
  logger.Append(Sample(1));
  // The folder turns into a file: nothing can be written there.
  fs::rename(logFolder, folder.Path() / "moved");
  WriteFileAtomically(folder.Path() / "placeholder", "x");
  fs::rename(folder.Path() / "placeholder", logFolder);
  EXPECT_THROW(logger.Append(Sample(2)), TError);
  EXPECT_EQ(ReadAll(logger), Samples({1, 2}));
  // A clear that cannot be written leaves the log as it was.
  EXPECT_THROW(logger.Clear(), TError);
  EXPECT_THROW(logger.ClearByFilter([](const TLogRecord&) { return true; }), TError);
  EXPECT_EQ(ReadAll(logger), Samples({1, 2}));
  EXPECT_EQ(logger.UnwrittenCount(), 1U);
  EXPECT_EQ(logger.WriteError(), "not a directory");
  // Once the folder is back, the next append writes every record.
  fs::remove(logFolder);
  fs::rename(folder.Path() / "moved", logFolder);
  logger.Append(Sample(3));
  EXPECT_EQ(FileBytes(path), Bytes(Samples({1, 2, 3})));
  EXPECT_EQ(logger.UnwrittenCount(), 0U);
  EXPECT_EQ(logger.WriteError(), "");

  // A disk that fills during an append: the part that got in is taken back, and when
  // space is free again the missing records are appended after the whole ones.
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldSignal = ::signal(SIGXFSZ, SIG_IGN);
  const rlimit small{4 * TLogRecord::Size + 30, old.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  logger.Append(Sample(4));
  EXPECT_THROW(logger.Append(Sample(5)), TError);
  EXPECT_THROW(logger.Append(Sample(6)), TError);
  EXPECT_EQ(FileBytes(path), Bytes(Samples({1, 2, 3, 4})));
  EXPECT_EQ(logger.UnwrittenCount(), 2U);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldSignal);
  logger.Append(Sample(7));
  EXPECT_EQ(FileBytes(path), Bytes(Samples({1, 2, 3, 4, 5, 6, 7})));
}

TEST(Logger, ClearAndClearByFilter) {
  TempFolder folder;
  const fs::path path = folder.Path() / "Tavrik.log";
  const auto oddGames = [](const TLogRecord& record) { return record.GameType % 2 == 1; };
  TLogger logger(path);
  // Before any file exists, clearing writes the kept records.
  EXPECT_EQ(logger.ClearByFilter(oddGames), 0);
  EXPECT_EQ(FileBytes(path), "");
  for (int n = 0; n < 6; ++n) logger.Append(Sample(n));
  fs::remove(path);
  EXPECT_EQ(logger.ClearByFilter(oddGames), 3);
  EXPECT_EQ(ReadAll(logger), Samples({0, 2, 4}));
  EXPECT_EQ(FileBytes(path), Bytes(Samples({0, 2, 4})));
  // The same choice again deletes nothing; appends follow the kept records.
  EXPECT_EQ(logger.ClearByFilter(oddGames), 0);
  logger.Append(Sample(8));
  EXPECT_EQ(FileBytes(path), Bytes(Samples({0, 2, 4, 8})));
  logger.Clear();
  EXPECT_TRUE(ReadAll(logger).empty());
  EXPECT_EQ(FileBytes(path), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
      << "no temporary file is left behind";
}

}  // namespace
}  // namespace tavrik
