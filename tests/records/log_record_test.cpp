#include "records/log_record.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/error.h"

namespace tavrik {
namespace {

TEST(LogRecord, DecodesHandMadeBytes) {
  const TLogRecord expected{.GameType = 6,
                            .PayIndex = 2,
                            .Mode = 3,
                            .DealtCards = {10, 11, 12, 13, 14},
                            .DrawCards = {50, 51, 52, 53, 0},
                            .CoinValueIndex = 5,
                            .Bet = 4,
                            .Win = 0x12345678,
                            .HandWin = -7,
                            .PerfectWin = 4000,
                            .MaxWin = 0x7fffffff,
                            .DealtCategory = 255,
                            .FinalCategory = 8,
                            .PerfectCategory = 0,
                            .PlayerMask = 31,
                            .BestMask = 28,
                            .MaxWinMask = 17,
                            .PlayerReturn = 1.53654,
                            .BestReturn = -0.25,
                            .DealTime = 45000.5,
                            .EndTime = 45000.75,
                            .DoubleCount = 9,
                            .HintReturn = 6.851064};
  // The same record written by hand, one group of hex digits per field or run of one-byte
  // fields, little-endian.
  const std::string_view hex =
      "00060203 0a0b0c0d0e 3233343500 0504 78563412 f9ffffff a00f0000 ffffff7f ff08001f1c11 "
      "f6ee8ff7aa95f83f 000000000000d0bf 0000000010f9e540 0000000018f9e540 09 37363b527d671b40";
  std::string digits;
  for (const char c : hex) {
    if (c != ' ') digits += c;
  }
  ASSERT_EQ(digits.size(), 2 * TLogRecord::Size);
  TLogRecord::TBytes bytes{};
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<uint8_t>(std::stoi(digits.substr(2 * i, 2), nullptr, 16));
  }
  EXPECT_EQ(TLogRecord::Deserialize(bytes.data()), expected);
  EXPECT_EQ(expected.Serialize(), bytes);
  // A one-byte field takes only what fits.
  for (int value : {0, 255}) EXPECT_EQ(RecordByte(value, "Bet"), value);
  for (int value : {-1, 256}) EXPECT_THROW(RecordByte(value, "Bet"), TError);
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

}  // namespace
}  // namespace tavrik
