#include "records/log_record.h"

#include <bit>
#include <string>

#include "core/error.h"

namespace tavrik {

namespace {

class TWriter {
 public:
  explicit TWriter(TLogRecord::TBytes& bytes) : bytes_(bytes) {}
  void Byte(uint8_t value) { bytes_[at_++] = value; }
  void Bytes(const std::array<uint8_t, 5>& values) {
    for (uint8_t value : values) Byte(value);
  }
  void Int32(int32_t value) { Unsigned(static_cast<uint32_t>(value), 4); }
  void Double(double value) { Unsigned(std::bit_cast<uint64_t>(value), 8); }

 private:
  void Unsigned(uint64_t value, int size) {
    for (int i = 0; i < size; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
  }
  TLogRecord::TBytes& bytes_;
  size_t at_ = 0;
};

class TReader {
 public:
  explicit TReader(const uint8_t* bytes) : bytes_(bytes) {}
  uint8_t Byte() { return bytes_[at_++]; }
  std::array<uint8_t, 5> Bytes() {
    std::array<uint8_t, 5> values{};
    for (uint8_t& value : values) value = Byte();
    return values;
  }
  int32_t Int32() { return static_cast<int32_t>(static_cast<uint32_t>(Unsigned(4))); }
  double Double() { return std::bit_cast<double>(Unsigned(8)); }

 private:
  uint64_t Unsigned(int size) {
    uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<uint64_t>(Byte()) << (8 * i);
    return value;
  }
  const uint8_t* bytes_;
  size_t at_ = 0;
};

}  // namespace

TLogRecord::TBytes TLogRecord::Serialize() const {
  TBytes bytes{};
  TWriter out(bytes);
  out.Byte(Reserved);
  out.Byte(GameType);
  out.Byte(PayIndex);
  out.Byte(Mode);
  out.Bytes(DealtCards);
  out.Bytes(DrawCards);
  out.Byte(CoinValueIndex);
  out.Byte(Bet);
  out.Int32(Win);
  out.Int32(HandWin);
  out.Int32(PerfectWin);
  out.Int32(MaxWin);
  out.Byte(DealtCategory);
  out.Byte(FinalCategory);
  out.Byte(PerfectCategory);
  out.Byte(PlayerMask);
  out.Byte(BestMask);
  out.Byte(MaxWinMask);
  out.Double(PlayerReturn);
  out.Double(BestReturn);
  out.Double(DealTime);
  out.Double(EndTime);
  out.Byte(DoubleCount);
  out.Double(HintReturn);
  return bytes;
}

TLogRecord TLogRecord::Deserialize(const uint8_t* bytes) {
  TReader in(bytes);
  TLogRecord record;
  record.Reserved = in.Byte();
  record.GameType = in.Byte();
  record.PayIndex = in.Byte();
  record.Mode = in.Byte();
  record.DealtCards = in.Bytes();
  record.DrawCards = in.Bytes();
  record.CoinValueIndex = in.Byte();
  record.Bet = in.Byte();
  record.Win = in.Int32();
  record.HandWin = in.Int32();
  record.PerfectWin = in.Int32();
  record.MaxWin = in.Int32();
  record.DealtCategory = in.Byte();
  record.FinalCategory = in.Byte();
  record.PerfectCategory = in.Byte();
  record.PlayerMask = in.Byte();
  record.BestMask = in.Byte();
  record.MaxWinMask = in.Byte();
  record.PlayerReturn = in.Double();
  record.BestReturn = in.Double();
  record.DealTime = in.Double();
  record.EndTime = in.Double();
  record.DoubleCount = in.Byte();
  record.HintReturn = in.Double();
  return record;
}

uint8_t RecordByte(int value, std::string_view field) {
  RequireInRange(value, 0, 255, field);
  return static_cast<uint8_t>(value);
}

}  // namespace tavrik
