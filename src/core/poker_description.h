#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace tavrik {

inline constexpr int MaxCategories = 16;
inline constexpr int GameCount = 9;

// Game indexes, in catalogue order.
enum GameIndexValue : int {
  GAME_ACES_AND_EIGHTS = 0,
  GAME_ACES_AND_FACES = 1,
  GAME_BONUS_POKER = 2,
  GAME_DEUCES_WILD = 3,
  GAME_DOUBLE_BONUS = 4,
  GAME_DOUBLE_JOKER_POKER = 5,
  GAME_JACKS_OR_BETTER = 6,
  GAME_JOKER_POKER = 7,
  GAME_TENS_OR_BETTER = 8,
};

// A set of fine hand types: 48 bits in 6 bytes, bit i of byte k is type 8k + i.
struct THandTypeSet {
  std::array<uint8_t, 6> Bits{};

  THandTypeSet() = default;
  THandTypeSet(std::initializer_list<int> types) {
    for (int type : types) Add(type);
  }
  bool Has(int type) const {
    return type >= 0 && type < 48 && (Bits[static_cast<size_t>(type / 8)] >> (type % 8) & 1) != 0;
  }
  void Add(int type);
  // Adds types first..last (inclusive).
  void AddRange(int first, int last) {
    for (int type = first; type <= last; ++type) Add(type);
  }
  bool Empty() const;
};

// What makes a game: its name, its paying categories in paytable order (best first) and
// the fine hand types each category pays for. Filled by the constructor of each game.
class TPokerDescription {
 public:
  virtual ~TPokerDescription() = default;

  // Natural games are analysed without wild cards.
  bool IsNatural() const { return WildRank < 0 && JokerCount == 0; }

  int32_t GameIndex = 0;
  std::string Name;
  int32_t LastCategory = 0;                             // number of categories - 1
  std::array<std::string, MaxCategories> CategoryName;  // empty past LastCategory
  std::array<THandTypeSet, MaxCategories> NaturalSet;   // over NaturalHandType
  int32_t WildRank = -5;                                // -5 natural, 0 deuces, -1 jokers only
  int32_t JokerCount = 0;                               // 0, 1 or 2

 protected:
  TPokerDescription() = default;
  // Sets category `index` (LastCategory follows the highest index set).
  void SetCategory(int index, std::string name, THandTypeSet naturalSet);
  // Categories 5..10 shared by the natural games of eleven categories, "Full House" down
  // to "Jacks or Better".
  void SetLowerCategories();
};

// A game with wild cards: each category also pays for a set of wild hand types.
class TWildPokerDescription : public TPokerDescription {
 public:
  std::array<THandTypeSet, MaxCategories> WildSet;  // over WildHandType

 protected:
  using TPokerDescription::SetCategory;
  void SetCategory(int index, std::string name, THandTypeSet naturalSet, THandTypeSet wildSet);
};

class TJacksOrBetter : public TPokerDescription {
 public:
  TJacksOrBetter();
};
class TTensOrBetter : public TJacksOrBetter {
 public:
  TTensOrBetter();
};
class TAcesAndEights : public TPokerDescription {
 public:
  TAcesAndEights();
};
class TDoubleBonus : public TPokerDescription {
 public:
  TDoubleBonus();
};
class TAcesAndFaces : public TPokerDescription {
 public:
  TAcesAndFaces();
};
class TBonusPoker : public TPokerDescription {
 public:
  TBonusPoker();
};
class TJokerWildKings : public TWildPokerDescription {
 public:
  TJokerWildKings();
};
class TDeucesWild : public TWildPokerDescription {
 public:
  TDeucesWild();
};
class TDoubleJokerPoker : public TWildPokerDescription {
 public:
  TDoubleJokerPoker();
};

// The description of game 0..8; raises TError for any other index.
std::unique_ptr<TPokerDescription> CreateDescription(int gameIndex);

}  // namespace tavrik
