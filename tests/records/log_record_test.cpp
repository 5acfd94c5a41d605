#include "records/log_record.h"

#include <gtest/gtest.h>

#include <bit>

#include "core/error.h"

namespace tavrik {
namespace {

// Puts `value` at `offset` in little-endian order.
void Put(TLogRecord::TBytes& bytes, size_t offset, uint64_t value, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(LogRecord, DecodesHandMadeBytes) {
  TLogRecord expected;
  expected.GameType = 6;
  expected.PayIndex = 2;
  expected.Mode = 3;
  expected.DealtCards = {10, 11, 12, 13, 14};
  expected.DrawCards = {50, 51, 52, 53, 0};
  expected.CoinValueIndex = 5;
  expected.Bet = 4;
  expected.Win = 0x12345678;
  expected.HandWin = -7;
  expected.PerfectWin = 4000;
  expected.MaxWin = 0x7fffffff;
  expected.DealtCategory = 255;
  expected.FinalCategory = 8;
  expected.PerfectCategory = 0;
  expected.PlayerMask = 31;
  expected.BestMask = 28;
  expected.MaxWinMask = 17;
  expected.PlayerReturn = 1.53654;
  expected.BestReturn = -0.25;
  expected.DealTime = 45000.5;
  expected.EndTime = 45000.75;
  expected.DoubleCount = 9;
  expected.HintReturn = 6.851064;

  TLogRecord::TBytes bytes{};
  const uint8_t small[][2] = {{1, 6},   {2, 2},   {3, 3},   {4, 10},   {5, 11},  {6, 12},
                              {7, 13},  {8, 14},  {9, 50},  {10, 51},  {11, 52}, {12, 53},
                              {13, 0},  {14, 5},  {15, 4},  {32, 255}, {33, 8},  {34, 0},
                              {35, 31}, {36, 28}, {37, 17}, {70, 9}};
  for (const auto& [offset, value] : small) bytes[offset] = value;
  Put(bytes, 16, 0x12345678, 4);
  Put(bytes, 20, static_cast<uint32_t>(-7), 4);
  Put(bytes, 24, 4000, 4);
  Put(bytes, 28, 0x7fffffff, 4);
  Put(bytes, 38, std::bit_cast<uint64_t>(1.53654), 8);
  Put(bytes, 46, std::bit_cast<uint64_t>(-0.25), 8);
  Put(bytes, 54, std::bit_cast<uint64_t>(45000.5), 8);
  Put(bytes, 62, std::bit_cast<uint64_t>(45000.75), 8);
  Put(bytes, 71, std::bit_cast<uint64_t>(6.851064), 8);

  EXPECT_EQ(TLogRecord::Deserialize(bytes.data()), expected);
  EXPECT_EQ(expected.Serialize(), bytes);
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
  for (int value : {0, 255}) EXPECT_EQ(RecordByte(value, "Bet"), value);
  for (int value : {-1, 256}) EXPECT_THROW(RecordByte(value, "Bet"), TError);
}

}  // namespace
}  // namespace tavrik
