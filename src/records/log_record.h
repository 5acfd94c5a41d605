#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace tavrik {

// One finished round as the hand log keeps it: 79 bytes, packed, little-endian, doubles in
// IEEE 754 form. Dates are OLE Automation dates in local time (see ole_date.h). The byte
// layout is fixed by Serialize/Deserialize, never by the layout of this struct.
// Whether a record counts as an error is decided in mistake.h.
struct TLogRecord {
  static constexpr size_t Size = 79;
  using TBytes = std::array<uint8_t, Size>;
  // A category byte that means "no paying category".
  static constexpr uint8_t NoCategory = 255;

  uint8_t Reserved = 0;                  // offset 0, always 0
  uint8_t GameType = 0;                  // 1: game index 0..8
  uint8_t PayIndex = 0;                  // 2: paytable index within the game
  uint8_t Mode = 0;                      // 3: 0 AutoHold, 1 Training, 2 RealPlay, 3 PlayErrorHands
  std::array<uint8_t, 5> DealtCards{};   // 4: card indexes 0..53, table positions 0..4
  std::array<uint8_t, 5> DrawCards{};    // 9: replacements, the k-th replaced position gets [k]
  uint8_t CoinValueIndex = 0;            // 14: 0..5 = $0.25, 0.5, 1, 5, 25, 100
  uint8_t Bet = 0;                       // 15: coins 1..5
  int32_t Win = 0;                       // 16: coins paid after double-up
  int32_t HandWin = 0;                   // 20: coins the final hand paid before double-up
  int32_t PerfectWin = 0;                // 24: coins the best hold would have paid
  int32_t MaxWin = 0;                    // 28: the most any of the 32 holds would have paid
  uint8_t DealtCategory = NoCategory;    // 32: category of the dealt cards
  uint8_t FinalCategory = NoCategory;    // 33: category of the player's final hand
  uint8_t PerfectCategory = NoCategory;  // 34: category of the best hold's final hand
  uint8_t PlayerMask = 0;                // 35: the player's draw mask (bit i = card i replaced)
  uint8_t BestMask = 0;                  // 36: mask of the highest expected return
  uint8_t MaxWinMask = 31;               // 37: first mask 0..31 earning MaxWin; 31 when 0
  double PlayerReturn = 0;               // 38: expected coins of PlayerMask at this bet
  double BestReturn = 0;                 // 46: expected coins of BestMask
  double DealTime = 0;                   // 54: date-time of the deal
  double EndTime = 0;                    // 62: date-time the round was collected
  uint8_t DoubleCount = 0;               // 70: double-up games played
  double HintReturn = 0;                 // 71: BestReturn when a hint was taken, else 0

  TBytes Serialize() const;
  // Decodes 79 bytes (the span must hold at least that many).
  static TLogRecord Deserialize(const uint8_t* bytes);
  // Partial decoding for passes over the whole log, which choose a record by its key
  // (GameType, PayIndex, Mode, DealTime) before reading what it holds. Each leaves the
  // other fields of `record` as they were.
  static void DecodeKey(const uint8_t* bytes, TLogRecord& record) {
    record.GameType = bytes[1];
    record.PayIndex = bytes[2];
    record.Mode = bytes[3];
    record.DealTime = Load<double>(bytes + 54);
  }
  // Everything statistics read: the coins, categories, returns and double-up count.
  static void DecodeOutcome(const uint8_t* bytes, TLogRecord& record) {
    record.CoinValueIndex = bytes[14];
    record.Bet = bytes[15];
    record.Win = Load<int32_t>(bytes + 16);
    record.HandWin = Load<int32_t>(bytes + 20);
    record.PerfectWin = Load<int32_t>(bytes + 24);
    record.FinalCategory = bytes[33];
    record.PerfectCategory = bytes[34];
    record.PlayerReturn = Load<double>(bytes + 38);
    record.BestReturn = Load<double>(bytes + 46);
    record.DoubleCount = bytes[70];
  }
  // The playing time: EndTime (DealTime comes with the key).
  static void DecodeEndTime(const uint8_t* bytes, TLogRecord& record) {
    record.EndTime = Load<double>(bytes + 62);
  }

  friend bool operator==(const TLogRecord&, const TLogRecord&) = default;

 private:
  // A little-endian field of the record's bytes.
  template <class T>
  static T Load(const uint8_t* bytes) {
    std::array<uint8_t, sizeof(T)> raw;
    std::memcpy(raw.data(), bytes, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) {
      for (size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(raw[i], raw[sizeof(T) - 1 - i]);
    }
    return std::bit_cast<T>(raw);
  }
};

// `value` as a one-byte record field; raises TError naming `field` outside 0..255.
uint8_t RecordByte(int value, std::string_view field);

}  // namespace tavrik
