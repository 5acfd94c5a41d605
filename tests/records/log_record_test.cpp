#include "records/log_record.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "core/error.h"

namespace tavrik {
namespace {

// Puts `value` at `offset` in little-endian order.
void Put(TLogRecord::TBytes& bytes, size_t offset, uint64_t value, int size) {
  for (int i = 0; i < size; ++i)
    bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(LogRecord, DecodesHandMadeBytes) {
  TLogRecord::TBytes bytes{};
  bytes[1] = 6;  // game
  bytes[2] = 2;  // paytable
  bytes[3] = 3;  // mode
  for (size_t i = 0; i < 5; ++i) {
    bytes[4 + i] = static_cast<uint8_t>(10 + i);
    bytes[9 + i] = static_cast<uint8_t>(50 + i);
  }
  bytes[14] = 5;
  bytes[15] = 4;
  Put(bytes, 16, 0x12345678, 4);
  Put(bytes, 20, static_cast<uint32_t>(-7), 4);
  Put(bytes, 24, 4000, 4);
  Put(bytes, 28, 0x7fffffff, 4);
  bytes[32] = 255;
  bytes[33] = 8;
  bytes[34] = 0;
  bytes[35] = 31;
  bytes[36] = 28;
  bytes[37] = 17;
  Put(bytes, 38, std::bit_cast<uint64_t>(1.536540), 8);
  Put(bytes, 46, std::bit_cast<uint64_t>(-0.25), 8);
  Put(bytes, 54, std::bit_cast<uint64_t>(45000.5), 8);
  Put(bytes, 62, std::bit_cast<uint64_t>(45000.75), 8);
  bytes[70] = 9;
  Put(bytes, 71, std::bit_cast<uint64_t>(6.851064), 8);

  const TLogRecord record = TLogRecord::Deserialize(bytes.data());
  EXPECT_EQ(record.Reserved, 0);
  EXPECT_EQ(record.GameType, 6);
  EXPECT_EQ(record.PayIndex, 2);
  EXPECT_EQ(record.Mode, 3);
  EXPECT_EQ(record.DealtCards, (std::array<uint8_t, 5>{10, 11, 12, 13, 14}));
  EXPECT_EQ(record.DrawCards, (std::array<uint8_t, 5>{50, 51, 52, 53, 54}));
  EXPECT_EQ(record.CoinValueIndex, 5);
  EXPECT_EQ(record.Bet, 4);
  EXPECT_EQ(record.Win, 0x12345678);
  EXPECT_EQ(record.HandWin, -7);
  EXPECT_EQ(record.PerfectWin, 4000);
  EXPECT_EQ(record.MaxWin, 0x7fffffff);
  EXPECT_EQ(record.DealtCategory, 255);
  EXPECT_EQ(record.FinalCategory, 8);
  EXPECT_EQ(record.PerfectCategory, 0);
  EXPECT_EQ(record.PlayerMask, 31);
  EXPECT_EQ(record.BestMask, 28);
  EXPECT_EQ(record.MaxWinMask, 17);
  EXPECT_EQ(record.PlayerReturn, 1.536540);
  EXPECT_EQ(record.BestReturn, -0.25);
  EXPECT_EQ(record.DealTime, 45000.5);
  EXPECT_EQ(record.EndTime, 45000.75);
  EXPECT_EQ(record.DoubleCount, 9);
  EXPECT_EQ(record.HintReturn, 6.851064);
  EXPECT_FALSE(record.IsError());

  // Encoding the decoded record gives the same bytes.
  EXPECT_EQ(record.Serialize(), bytes);
}

TEST(LogRecord, EveryByteReachesItsField) {
  // Each of the 79 bytes changed alone changes the decoded record, and encoding gives it
  // back: no byte is skipped, shared or reordered.
  TLogRecord::TBytes base{};
  for (size_t i = 0; i < base.size(); ++i) base[i] = static_cast<uint8_t>(i * 7 + 1);
  const TLogRecord baseRecord = TLogRecord::Deserialize(base.data());
  EXPECT_EQ(baseRecord.Serialize(), base);
  for (size_t i = 0; i < base.size(); ++i) {
    TLogRecord::TBytes changed = base;
    changed[i] ^= 0x10;
    const TLogRecord record = TLogRecord::Deserialize(changed.data());
    EXPECT_NE(record, baseRecord) << "byte " << i;
    EXPECT_EQ(record.Serialize(), changed) << "byte " << i;
  }
}

TEST(LogRecord, RecordByteRange) {
  const int accepted[] = {0, 1, 254, 255};
  for (int value : accepted) EXPECT_EQ(RecordByte(value, "Bet"), value);
  const int refused[] = {-1, 256, 100000};
  for (int value : refused) EXPECT_THROW(RecordByte(value, "Bet"), TError);
  try {
    RecordByte(300, "DoubleCount");
  } catch (const TError& error) {
    EXPECT_NE(error.Message().find("DoubleCount"), std::string::npos);
  }
}

}  // namespace
}  // namespace tavrik
