#include "core/hold_pattern.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <vector>

#include "core/error.h"
#include "core/hand_types.h"

namespace tavrik {

namespace {

constexpr uint16_t RoyalRanks = 0x1F00;  // ten to ace

// Per set of ranks (bit r = rank r): how many five-rank straight windows hold all of them,
// counted with (Windows) and without (LowWindows) the ten-to-ace window. The ace-to-five
// window holds the ace. The live counts leave out the windows holding the wild rank
// `deadRank` (deuces), whose slot of that rank no natural card can fill.
struct TWindowTable {
  std::array<uint8_t, 1 << NumRanks> Windows{}, LowWindows{}, LiveWindows{}, LiveLowWindows{};
  explicit TWindowTable(int deadRank) {
    std::array<uint16_t, 10> window{};
    window[0] = static_cast<uint16_t>(0xF | 1u << Ace);
    for (int start = 1; start < 10; ++start)
      window[static_cast<size_t>(start)] = static_cast<uint16_t>(0x1F << (start - 1));
    for (uint32_t ranks = 0; ranks < Windows.size(); ++ranks) {
      for (size_t w = 0; w < window.size(); ++w) {
        if ((ranks & ~uint32_t{window[w]}) != 0) continue;
        const bool live = deadRank < 0 || (window[w] >> deadRank & 1) == 0;
        ++Windows[ranks];
        LiveWindows[ranks] = static_cast<uint8_t>(LiveWindows[ranks] + live);
        if (w == 9) continue;
        ++LowWindows[ranks];
        LiveLowWindows[ranks] = static_cast<uint8_t>(LiveLowWindows[ranks] + live);
      }
    }
  }
};

const TWindowTable& Windows(int deadRank) {
  static const TWindowTable natural(-1), deuces(0);
  return deadRank == 0 ? deuces : natural;
}

// How many of the straight windows that `naturals` natural cards of consecutive ranks
// would fit (6 - naturals, fewer at the ends of the ranks) a draw fitting `windows` misses:
// 0 open, 1 inside, 2 double inside. Wild cards fill any rank and do not count.
uint8_t GapsOf(int naturals, int windows) {
  return static_cast<uint8_t>(std::clamp(6 - naturals - windows, 0, 3));
}

constexpr std::array<const char*, NumRanks> RankNames = {
    "twos",  "threes", "fours", "fives",  "sixes", "sevens", "eights",
    "nines", "tens",   "jacks", "queens", "kings", "aces"};
constexpr std::array<const char*, 6> CountWords = {"no", "one", "two", "three", "four", "five"};

std::string RankLabel(int rank) {
  return rank == 8 ? "10" : std::string(1, RankChars[static_cast<size_t>(rank)]);
}

char LowerRank(int rank) {
  const char c = RankChars[static_cast<size_t>(rank)];
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Ranks of a set from the highest down as lower-case characters ("kqj").
std::string RankKey(uint16_t ranks) {
  std::string text;
  for (int rank = Ace; rank >= 0; --rank) {
    if ((ranks >> rank & 1) != 0) text += LowerRank(rank);
  }
  return text;
}
std::string RankText(uint16_t ranks) {
  std::string text;
  for (int rank = Ace; rank >= 0; --rank) {
    if ((ranks >> rank & 1) != 0) text += RankChars[static_cast<size_t>(rank)];
  }
  return text;
}

std::string Plural(int n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

}  // namespace

THoldClassifier::THoldClassifier(const TPokerDescription& game) {
  wildGame_ = !game.IsNatural();
  wildRank_ = game.WildRank >= 0 ? game.WildRank : -1;
  // The lowest paying pair fixes the high cards: every rank whose pair pays.
  for (int c = 0; c <= game.LastCategory; ++c) {
    for (int rank = 0; rank < NumRanks; ++rank) {
      if (game.NaturalSet[static_cast<size_t>(c)].Has(PAIRS_2 + rank)) {
        highRanks_ = static_cast<uint16_t>(highRanks_ | 1u << rank);
      }
    }
  }
  // Classes of fours: the categories paying a four of a kind, in paytable order.
  std::vector<int> categories;
  std::vector<uint16_t> members;
  for (int rank = 0; rank < NumRanks; ++rank) {
    int category = 0;
    while (category <= game.LastCategory &&
           !game.NaturalSet[static_cast<size_t>(category)].Has(FOUR_OF_KIND_2 + rank)) {
      ++category;
    }
    auto found = std::find(categories.begin(), categories.end(), category);
    if (found == categories.end()) {
      categories.push_back(category);
      members.push_back(0);
      found = categories.end() - 1;
    }
    const auto group = static_cast<size_t>(found - categories.begin());
    group_[static_cast<size_t>(rank)] = static_cast<uint8_t>(group);
    members[group] = static_cast<uint16_t>(members[group] | 1u << rank);
  }
  groupKey_.resize(members.size());
  groupText_.resize(members.size());
  if (members.size() == 1) return;
  // The widest class is "any other four" and goes unnamed; the others by their ranks.
  const auto widest = static_cast<size_t>(
      std::max_element(members.begin(), members.end(),
                       [](uint16_t a, uint16_t b) { return std::popcount(a) < std::popcount(b); }) -
      members.begin());
  for (size_t group = 0; group < members.size(); ++group) {
    if (group == widest) continue;
    const uint16_t ranks = members[group];
    const int low = std::countr_zero(ranks);
    const int high = 15 - std::countl_zero(ranks);
    if (std::popcount(ranks) == 1) {
      groupKey_[group] = std::string(1, LowerRank(low));
      groupText_[group] = RankNames[static_cast<size_t>(low)];
    } else if (std::popcount(ranks) == high - low + 1) {
      groupKey_[group] = std::string{LowerRank(low), LowerRank(high)};
      groupText_[group] = RankLabel(low) + "-" + RankLabel(high);
    } else {
      for (int rank = 0; rank < NumRanks; ++rank) {
        if ((ranks >> rank & 1) == 0) continue;
        groupKey_[group] += LowerRank(rank);
        if (!groupText_[group].empty()) groupText_[group] += " or ";
        groupText_[group] += RankNames[static_cast<size_t>(rank)];
      }
    }
  }
}

THoldPattern THoldClassifier::Classify(const std::array<int, 5>& cardIndexes, int mask) const {
  std::array<TCard, 5> cards;
  for (size_t i = 0; i < 5; ++i) cards[i] = CardFromIndex(cardIndexes[i]);
  return Classify(cards, mask);
}

bool THoldClassifier::Discards(const std::array<TCard, 5>& cards, int mask, int suit,
                               uint32_t ranks) const {
  for (size_t i = 0; i < 5; ++i) {
    const TCard card = cards[i];
    if ((mask >> i & 1) == 0 || card.Rank < 0 || card.Rank == wildRank_) continue;
    if (card.Suit == suit || (ranks >> card.Rank & 1) != 0) return true;
  }
  return false;
}

THoldPattern THoldClassifier::Classify(const std::array<TCard, 5>& cards, int mask) const {
  THoldPattern p;
  int wild = 0, naturals = 0, suit = -1;
  bool suited = true;
  uint32_t ranks = 0, repeated = 0;  // repeated: ranks held twice or more
  std::array<uint8_t, NumRanks> count{};
  for (size_t i = 0; i < 5; ++i) {
    if ((mask >> i & 1) != 0) continue;
    const TCard card = cards[i];
    if (card.Rank < 0 || card.Rank == wildRank_) {
      ++wild;
      continue;
    }
    ++naturals;
    const auto rank = static_cast<size_t>(card.Rank);
    if (++count[rank] >= 2) repeated |= 1u << rank;
    ranks |= 1u << rank;
    if (suit < 0) suit = card.Suit;
    suited = suited && card.Suit == suit;
  }
  const int cardsHeld = wild + naturals;
  p.Wild = static_cast<uint8_t>(wild);
  p.Cards = static_cast<uint8_t>(cardsHeld);
  if (cardsHeld == 0) return p;
  if (naturals == 0 || (wildRank_ >= 0 && wild == 4)) {
    p.Kind = THoldKind::WildOnly;
    p.Cards = p.Wild;
    return p;
  }
  const auto high = static_cast<uint8_t>(std::popcount(ranks & highRanks_));
  // The rank held most often, the highest of those.
  int topRank = 31 - std::countl_zero(repeated != 0 ? repeated : ranks);
  for (uint32_t rest = repeated; rest != 0; rest &= rest - 1) {
    const int rank = std::countr_zero(rest);
    if (count[static_cast<size_t>(rank)] > count[static_cast<size_t>(topRank)]) topRank = rank;
  }
  const auto group = group_[static_cast<size_t>(topRank)];
  // A group of `size` cards of topRank (wild cards included), the rest kickers.
  const auto ofKind = [&](int size) {
    p.Group = group;
    p.Kickers = static_cast<uint8_t>(cardsHeld - size);
    if (size >= 5) {
      p.Kind = THoldKind::FiveOfKind;
      p.Kickers = 0;
    } else if (size == 4) {
      p.Kind = THoldKind::FourOfKind;
      p.Kickers = 0;  // a four is paid the same with any fifth card
    } else if (size == 3) {
      p.Kind = THoldKind::ThreeOfKind;
    } else {
      p.Kind = (highRanks_ >> topRank & 1) != 0 ? THoldKind::HighPair : THoldKind::LowPair;
    }
    return p;
  };

  if (repeated != 0) {
    const int top = count[static_cast<size_t>(topRank)] + wild;
    if (top == 3 && cardsHeld == 5 && std::popcount(ranks) == 2) {
      p.Kind = THoldKind::FullHouse;
      return p;
    }
    if (top == 2 && std::popcount(repeated) == 2) {
      p.Kind = THoldKind::TwoPair;
      p.Kickers = static_cast<uint8_t>(cardsHeld - 4);
      return p;
    }
    return ofKind(top);
  }

  // Natural cards of different ranks.
  const TWindowTable& table = Windows(wildRank_);
  const int windows = table.Windows[ranks];
  const int lowWindows = table.LowWindows[ranks];
  if (cardsHeld == 5) {
    if (suited && (ranks & ~uint32_t{RoyalRanks}) == 0) {
      p.Kind = wild > 0 ? THoldKind::WildRoyal : THoldKind::RoyalFlush;
    } else if (suited && lowWindows > 0) {
      p.Kind = THoldKind::StraightFlush;
    } else if (wild >= 3) {  // NOLINT(bugprone-branch-clone): four of a kind beats a flush
      return ofKind(wild + 1);
    } else if (suited) {
      p.Kind = THoldKind::Flush;
    } else if (windows > 0) {
      p.Kind = THoldKind::Straight;
    } else if (wild > 0) {
      return ofKind(wild + 1);
    } else {
      p.Kind = THoldKind::Other;
      p.High = high;
    }
    return p;
  }
  if (naturals >= 2) {
    if (suited && (ranks & ~uint32_t{RoyalRanks}) == 0) {
      p.Kind = THoldKind::RoyalDraw;
      if (cardsHeld == 2) p.Ranks = static_cast<uint16_t>(ranks);
      p.Penalty = Discards(cards, mask, suit, RoyalRanks & ~ranks);
      return p;
    }
    if (suited && lowWindows > 0) {
      p.Kind = THoldKind::StraightFlushDraw;
      p.Gaps = GapsOf(naturals, table.LiveLowWindows[ranks]);
      p.High = high;
      return p;
    }
    if (suited && cardsHeld >= 3) {
      p.Kind = THoldKind::FlushDraw;
      p.High = high;
      return p;
    }
    if (cardsHeld == 4 && windows > 0) {
      p.Kind = THoldKind::StraightDraw;
      // 2: only a wild card completes it.
      p.Gaps = static_cast<uint8_t>(std::max(0, 2 - table.LiveWindows[ranks]));
      p.High = high;
      return p;
    }
  }
  if (wild > 0) return ofKind(wild + 1);
  if (high == naturals && cardsHeld <= 3) {
    p.Kind = THoldKind::HighCards;
    p.Ranks = static_cast<uint16_t>(ranks);
    return p;
  }
  if (cardsHeld == 3 && windows > 0) {
    p.Kind = THoldKind::StraightDraw;
    p.Gaps = GapsOf(naturals, table.LiveWindows[ranks]);
    p.High = high;
    return p;
  }
  p.Kind = THoldKind::Other;
  p.High = high;
  return p;
}

std::string THoldClassifier::Key(const THoldPattern& p) const {
  // (Appending, not `"w" + text`: GCC 12 warns falsely about the latter.)
  std::string key = wildGame_ ? std::string("w").append(std::to_string(p.Wild)) + "-" : "";
  const std::string highKey = p.High > 0 ? std::string("h").append(std::to_string(p.High)) : "";
  const auto gaps = [&] { return p.Gaps == 0 ? std::string() : std::string(p.Gaps, 'i'); };
  const std::string group = groupKey_[std::min<size_t>(p.Group, groupKey_.size() - 1)];
  const std::string kickers(p.Kickers, 'k');
  const std::string cards = std::to_string(p.Cards);
  switch (p.Kind) {
    case THoldKind::Discard:
      return key + "de";
    case THoldKind::WildOnly:
      return key + "alone";
    case THoldKind::RoyalFlush:
      return key + "rf";
    case THoldKind::WildRoyal:
      return key + "wrf";
    case THoldKind::FiveOfKind:
      return key + "5k";
    case THoldKind::StraightFlush:
      return key + "sf";
    case THoldKind::FourOfKind:
      return key + "4k" + group + (p.Kickers > 0 ? "+" + kickers : "");
    case THoldKind::FullHouse:
      return key + "fh";
    case THoldKind::Flush:
      return key + "fl";
    case THoldKind::Straight:
      return key + "st";
    case THoldKind::ThreeOfKind:
      return key + "3k" + group + (p.Kickers > 0 ? "+" + kickers : "");
    case THoldKind::TwoPair:
      return key + "2p" + (p.Kickers > 0 ? "+" + kickers : "");
    case THoldKind::HighPair:
      return key + "hp" + group + (p.Kickers > 0 ? "+" + kickers : "");
    case THoldKind::LowPair:
      return key + "lp" + group + (p.Kickers > 0 ? "+" + kickers : "");
    case THoldKind::RoyalDraw:
      return key + (p.Ranks != 0 ? std::string("s").append(RankKey(p.Ranks)) : cards + "rf") +
             (p.Penalty ? "p" : "");
    case THoldKind::StraightFlushDraw:
      return key + cards + "sf" + gaps() + highKey;
    case THoldKind::FlushDraw:
      return key + cards + "fl" + highKey;
    case THoldKind::StraightDraw:
      return key + cards +
             (p.Cards == 4 ? std::array{"os", "is", "ws"}[std::min<size_t>(p.Gaps, 2)]
                           : "st" + gaps()) +
             highKey;
    case THoldKind::HighCards:
      return key + (p.Cards == 1 ? "hc" : "u") + RankKey(p.Ranks);
    case THoldKind::Other:
      return key + "x" + cards + highKey;
  }
  return key;
}

std::string THoldClassifier::Text(const THoldPattern& p) const {
  std::string prefix;
  if (wildGame_) {
    const char* noun = wildRank_ >= 0 ? "deuce" : "joker";
    if (p.Kind == THoldKind::WildOnly) {
      if (wildRank_ >= 0 && p.Wild == 4) return "four deuces";
      return std::string(CountWords[p.Wild]) + " " + noun + (p.Wild == 1 ? "" : "s") + " alone";
    }
    prefix = std::string(CountWords[p.Wild]) + " " + noun + (p.Wild > 1 ? "s" : "") + ": ";
  }
  const std::string highText = p.High > 0 ? ", " + Plural(p.High, "high card") : "";
  const std::string groupName = groupText_[std::min<size_t>(p.Group, groupText_.size() - 1)];
  const std::string group = groupName.empty() ? "" : " (" + groupName + ")";
  const std::string kickers = p.Kickers == 0   ? ""
                              : p.Kickers == 1 ? " and a kicker"
                                               : " and " + Plural(p.Kickers, "kicker");
  static constexpr std::array<const char*, 4> GapWords = {"", "an inside ", "a double inside ",
                                                          "a triple inside "};
  const std::string cards = std::to_string(p.Cards);
  switch (p.Kind) {
    case THoldKind::Discard:
      return prefix + "discard everything";
    case THoldKind::WildOnly:
      return prefix + "nothing else";
    case THoldKind::RoyalFlush:
      return prefix + "royal flush";
    case THoldKind::WildRoyal:
      return prefix + "wild royal flush";
    case THoldKind::FiveOfKind:
      return prefix + "five of a kind";
    case THoldKind::StraightFlush:
      return prefix + "straight flush";
    case THoldKind::FourOfKind:
      return prefix + "four of a kind" + group + kickers;
    case THoldKind::FullHouse:
      return prefix + "full house";
    case THoldKind::Flush:
      return prefix + "flush";
    case THoldKind::Straight:
      return prefix + "straight";
    case THoldKind::ThreeOfKind:
      return prefix + "three of a kind" + group + kickers;
    case THoldKind::TwoPair:
      return prefix + "two pairs" + kickers;
    case THoldKind::HighPair:
      return prefix + "high pair" + group + kickers;
    case THoldKind::LowPair:
      return prefix + "low pair" + group + kickers;
    case THoldKind::RoyalDraw:
      return prefix +
             (p.Ranks != 0 ? "suited " + RankText(p.Ranks)
                           : cards + " to a " + (p.Wild > 0 ? "wild " : "") + "royal flush") +
             (p.Penalty ? " with a penalty card" : "");
    case THoldKind::StraightFlushDraw:
      return prefix + cards + " to " + (p.Gaps == 0 ? "a " : GapWords[p.Gaps]) + "straight flush" +
             highText;
    case THoldKind::FlushDraw:
      return prefix + cards + " to a flush" + highText;
    case THoldKind::StraightDraw:
      return prefix + cards + " to " +
             (p.Cards == 4 ? std::array{"an outside ", "an inside ",
                                        "a wild-card-only "}[std::min<size_t>(p.Gaps, 2)]
                           : (p.Gaps == 0 ? "a " : GapWords[p.Gaps])) +
             "straight" + highText;
    case THoldKind::HighCards:
      return prefix + (p.Cards == 1 ? "single high card " : "unsuited ") + RankText(p.Ranks);
    case THoldKind::Other:
      return prefix + Plural(p.Cards, "card") + ", no draw" + highText;
  }
  return prefix;
}

THoldName NameHold(int game, const std::array<uint8_t, 5>& cardIndexes, int mask) {
  std::array<int, 5> indexes;
  std::copy(cardIndexes.begin(), cardIndexes.end(), indexes.begin());
  return NameHold(game, indexes, mask);
}

THoldName NameHold(int game, const std::array<int, 5>& cardIndexes, int mask) {
  if (game < 0 || game >= GameCount) return {};
  for (const int index : cardIndexes) {
    if (index < 0 || index > MaxCardIndex) return {};
  }
  static const auto classifiers = [] {
    std::vector<std::unique_ptr<THoldClassifier>> all;
    all.reserve(GameCount);
    for (int g = 0; g < GameCount; ++g) {
      all.push_back(std::make_unique<THoldClassifier>(*CreateDescription(g)));
    }
    return all;
  }();
  const THoldClassifier& classifier = *classifiers[static_cast<size_t>(game)];
  const THoldPattern pattern = classifier.Classify(cardIndexes, mask);
  return {classifier.Key(pattern), classifier.Text(pattern)};
}

}  // namespace tavrik
