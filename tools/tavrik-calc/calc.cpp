#include "calc.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <thread>

#include "core/card.h"
#include "core/data_files.h"
#include "core/error.h"
#include "core/game_list.h"
#include "core/game_return.h"
#include "core/hold_pattern.h"
#include "core/payout_storage.h"
#include "core/strategy_chart.h"
#include "core/text.h"
#include "core/wild_engine.h"
#include "game/preferences.h"
#include "records/error_list.h"
#include "records/logger.h"
#include "records/ole_date.h"
#include "records/statistics.h"

namespace tavrik::calc {

namespace {

constexpr const char* UsageText =
    "usage: tavrik-calc games [--json]\n"
    "       tavrik-calc hand --game G [--paytable P] [--bet B] [--wide] [--json] C1 .. C5\n"
    "       tavrik-calc return [--game G]... [--paytable P] [--bet B] [--threads T] [--json]\n"
    "       tavrik-calc return --game G --pays \"P0 P1 ... Pn\" [--bet B] [--threads T] [--json]\n"
    "       tavrik-calc stats [--log FILE] [--game G] [--paytable P] [--modes LIST]\n"
    "                         [--from YYYY-MM-DD] [--json]\n"
    "       tavrik-calc errors [--log FILE] [--game G] [--paytable P] [--modes LIST]\n"
    "                          [--from YYYY-MM-DD] [--grades serious,medium,minor]\n"
    "                          [--sort hand|your|perfect|difference [--descending]] [--json]\n"
    "       tavrik-calc strategy --game G [--paytable P | --pays \"P0 .. Pn\"] [--bet B]\n"
    "                            [--threads T] [--json]\n"
    "\n"
    "Cards are written AS, TD or 10D, 9H, JK. hand lists the 32 holds best first with\n"
    "the draws that pay and that lose; --wide (and --json) gives the draws of every\n"
    "category. --pays gives the game's paytable as the pays per coin of its paying\n"
    "categories in order (tavrik-calc games lists them), separated by blanks or commas:\n"
    "\"800 50 25 9 6 4 3 2 1\" for Jacks or better; a bet of B coins pays B times as much.\n"
    "return also gives the variance and standard deviation of one hand in bets, the hit\n"
    "frequency (any paying hand) and the hands per hit of the top category.\n"
    "\n"
    "stats and errors read the hand log (default: Tavrik.log of the data folder). --modes\n"
    "lists play modes 0 auto hold, 1 training, 2 real play, 3 problem hands (default: all);\n"
    "--from keeps the hands dealt from that local midnight on (default: all). errors lists\n"
    "the hands whose hold fell short of the best one, in log order unless sorted by deal\n"
    "time (hand), your or the perfect expected return, or the loss (difference), each per\n"
    "coin bet, ascending unless --descending; under each, the patterns of your hold and of\n"
    "the best one (\"you: suited AK | best: 3 to a royal flush\"). Loss is in percent of\n"
    "the bet; in --json, record is the 0-based position in the log, held and best show the\n"
    "kept cards, your_return and perfect_return are expected coins, your_win and\n"
    "perfect_win the coins the final hands of your hold and of the best hold paid, before\n"
    "any double-up; your_pattern and best_pattern name the two holds ({\"key\", \"text\"}).\n"
    "\n"
    "strategy derives a chart from every deal of the game: the hold patterns that are ever\n"
    "the best hold, a pattern above another when most deals offering both (weighted) have\n"
    "their best hold in it. Each line shows how often it is the best hold and, of the deals\n"
    "offering it, how often the best hold is this line or one above. Last, the return of\n"
    "holding in every deal the highest line it offers, beside that of perfect play.\n";

// Bad input: reported in one line with exit status 2.
class TUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// printf into a string of at most 511 characters; the compiler checks every call's
// arguments against its format.
[[gnu::format(printf, 1, 2)]] std::string Format(const char* format, ...) {
  char buffer[512];
  std::va_list values;
  va_start(values, format);
  std::vsnprintf(buffer, sizeof buffer, format, values);
  va_end(values);
  return buffer;
}

std::string Lower(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

std::string JsonString(std::string_view text) {
  std::string result = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      result += '\\';
      result += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      result += Format("\\u%04x", c);
    } else {
      result += c;
    }
  }
  return result + "\"";
}

// A real number with 17 significant digits that reads as a real ("0.0", not "0").
std::string JsonReal(long double value) {
  std::string text = Format("%.17Lg", value);
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
  return text;
}

template <class Items, class Write>
std::string JsonArray(const Items& items, Write write) {
  std::string result = "[";
  bool first = true;
  for (const auto& item : items) {
    if (!first) result += ",";
    first = false;
    result += write(item);
  }
  return result + "]";
}

struct TOptions {
  std::string Command;
  std::vector<int> Games;
  int Paytable = 0;
  int Bet = 5;
  int Threads = 0;
  bool Json = false;
  bool Wide = false;  // hand: a column per category
  std::vector<std::string> Cards;
  // return: the pays per coin of --pays, in category order (empty: a catalogue paytable)
  std::vector<int> Pays;
  // stats and errors: the records of the log
  std::optional<std::string> LogFile;
  bool PaytableGiven = false;
  TModeSet Modes = AllModes;
  double FromDate = -std::numeric_limits<double>::infinity();  // every date
  // errors
  int Grades = AllGrades;
  int SortColumn = 0;  // TErrorColumn, or 0 for log order
  bool Descending = false;
};

constexpr std::array<const char*, 4> GradeNames = {"", "serious", "medium", "minor"};
constexpr std::array<const char*, 4> SortNames = {"hand", "your", "perfect", "difference"};

int ParseNumber(std::string_view option, std::string_view text, int low, int high) {
  const auto value = ParseInt(text);
  if (!value || *value < low || *value > high) {
    throw TUsageError(Format("%s must be a number from %d to %d, not '%s'",
                             std::string(option).c_str(), low, high, std::string(text).c_str()));
  }
  return *value;
}

int ParseGame(std::string_view text) {
  if (const auto index = ParseInt(text)) {
    if (*index >= 0 && *index < GameCount) return *index;
  }
  for (const auto& game : GameNames()) {
    if (Lower(game.Name) == Lower(text)) return game.GameIndex;
  }
  throw TUsageError("unknown game '" + std::string(text) +
                    "' (give 0 to 8 or a name such as \"Jacks or better\"; see tavrik-calc games)");
}

// "0,2,3": play modes 0..3.
TModeSet ParseModes(std::string_view text) {
  TModeSet modes = 0;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find(',', start), text.size());
    modes |=
        static_cast<TModeSet>(1u << ParseNumber("--modes", text.substr(start, end - start), 0, 3));
    start = end + 1;
  }
  return modes;
}

// "serious,minor": grade bits 1 << grade.
int ParseGrades(std::string_view text) {
  int grades = 0;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find(',', start), text.size());
    const std::string_view name = text.substr(start, end - start);
    const auto grade = std::find(GradeNames.begin() + 1, GradeNames.end(), name);
    if (grade == GradeNames.end()) {
      throw TUsageError("--grades lists serious, medium and minor, not '" + std::string(name) +
                        "'");
    }
    grades |= 1 << (grade - GradeNames.begin());
    start = end + 1;
  }
  return grades;
}

// "YYYY-MM-DD" -> the OLE date of that local midnight.
double ParseDate(std::string_view text) {
  const auto part = [&](size_t at, size_t length) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                   text.substr(at, length).find_first_not_of("0123456789") == std::string_view::npos
               ? ParseInt(text.substr(at, length))
               : std::nullopt;
  };
  const auto year = part(0, 4), month = part(5, 2), day = part(8, 2);
  if (year && month && day && *month >= 1 && *month <= 12 && *day >= 1) {
    const TLocalDateTime midnight{.Year = *year, .Month = *month, .Day = *day};
    const double date = ToOleDate(midnight);
    if (FromOleDate(date) == midnight) return date;  // not a day past the month's end
  }
  throw TUsageError("--from must be a date written YYYY-MM-DD, not '" + std::string(text) + "'");
}

// "800 50 25 9 6 4 3 2 1": pays per coin, whole numbers small enough to be paid at 5 coins.
std::vector<int> ParsePays(std::string_view text) {
  constexpr int MaxPay = std::numeric_limits<int32_t>::max() / MaxCoins;
  std::vector<int> pays;
  for (size_t start = text.find_first_not_of(" \t,"); start != std::string_view::npos;) {
    const size_t end = std::min(text.find_first_of(" \t,", start), text.size());
    const std::string_view word = text.substr(start, end - start);
    const auto pay = ParseInt(word);
    if (!pay || *pay < 0 || *pay > MaxPay) {
      throw TUsageError(Format("--pays takes whole numbers from 0 to %d, not '%s'", MaxPay,
                               std::string(word).c_str()));
    }
    pays.push_back(*pay);
    start = text.find_first_not_of(" \t,", end);
  }
  if (pays.empty()) throw TUsageError("--pays needs the pays of the game's categories");
  return pays;
}

TOptions ParseArguments(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    throw TUsageError("no command given (games, hand, return, stats, errors or strategy)");
  }
  TOptions options;
  options.Command = arguments[0];
  if (options.Command != "games" && options.Command != "hand" && options.Command != "return" &&
      options.Command != "stats" && options.Command != "errors" && options.Command != "strategy") {
    throw TUsageError("unknown command '" + options.Command + "'");
  }
  // The commands over the hand log share its options.
  const bool onLog = options.Command == "stats" || options.Command == "errors";
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= arguments.size()) throw TUsageError(word + " needs a value");
      return arguments[++i];
    };
    const auto allowed = [&](bool ok) {
      if (!ok) throw TUsageError(word + " is not an option of " + options.Command);
    };
    if (word == "--json") {
      options.Json = true;
    } else if (word == "--wide") {
      allowed(options.Command == "hand");
      options.Wide = true;
    } else if (word == "--game") {
      allowed(options.Command != "games");
      if ((options.Command == "hand" || options.Command == "strategy" || onLog) &&
          !options.Games.empty()) {
        throw TUsageError(options.Command + " takes one --game");
      }
      options.Games.push_back(ParseGame(value()));
    } else if (word == "--paytable") {
      allowed(options.Command != "games");
      options.Paytable = ParseNumber(word, value(), 0, 1 << 20);
      options.PaytableGiven = true;
    } else if (word == "--pays") {
      allowed(options.Command == "return" || options.Command == "strategy");
      options.Pays = ParsePays(value());
    } else if (word == "--bet") {
      allowed(options.Command == "hand" || options.Command == "return" ||
              options.Command == "strategy");
      options.Bet = ParseNumber(word, value(), 1, MaxCoins);
    } else if (word == "--threads") {
      allowed(options.Command == "return" || options.Command == "strategy");
      options.Threads = ParseNumber(word, value(), 1, 256);
    } else if (word == "--log") {
      allowed(onLog);
      options.LogFile = value();
    } else if (word == "--modes") {
      allowed(onLog);
      options.Modes = ParseModes(value());
    } else if (word == "--from") {
      allowed(onLog);
      options.FromDate = ParseDate(value());
    } else if (word == "--grades") {
      allowed(options.Command == "errors");
      options.Grades = ParseGrades(value());
    } else if (word == "--sort") {
      allowed(options.Command == "errors");
      const std::string& key = value();
      const auto name = std::find(SortNames.begin(), SortNames.end(), key);
      if (name == SortNames.end()) {
        throw TUsageError("--sort takes hand, your, perfect or difference, not '" + key + "'");
      }
      options.SortColumn = ErrorColumnHand + static_cast<int>(name - SortNames.begin());
    } else if (word == "--descending") {
      allowed(options.Command == "errors");
      options.Descending = true;
    } else if (word.size() > 1 && word[0] == '-') {
      throw TUsageError("unknown option '" + word + "'");
    } else {
      allowed(options.Command == "hand");
      options.Cards.push_back(word);
    }
  }
  if (options.Command == "hand") {
    if (options.Games.empty()) throw TUsageError("hand needs --game");
    if (options.Cards.size() != 5) {
      throw TUsageError(Format("hand needs five cards, not %zu", options.Cards.size()));
    }
  }
  if (options.Command == "strategy" && options.Games.empty()) {
    throw TUsageError("strategy needs --game");
  }
  if (onLog && options.PaytableGiven && options.Games.empty()) {
    throw TUsageError("--paytable needs --game");
  }
  if (options.Descending && options.SortColumn == 0) throw TUsageError("--descending needs --sort");
  if (!options.Pays.empty()) {
    if (options.Games.size() != 1) throw TUsageError("--pays needs one --game");
    if (options.PaytableGiven) throw TUsageError("--pays replaces --paytable: give one of them");
    const int categories = CreateDescription(options.Games[0])->LastCategory + 1;
    if (static_cast<int>(options.Pays.size()) != categories) {
      throw TUsageError(Format("--pays needs %d pays for %s, not %zu", categories,
                               GameName(options.Games[0]).c_str(), options.Pays.size()));
    }
  }
  if (options.Command == "return" && options.Games.empty()) {
    options.Games.resize(GameCount);
    std::iota(options.Games.begin(), options.Games.end(), 0);
  }
  if (options.Threads == 0) {
    options.Threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  }
  return options;
}

TPaytable LoadPaytable(const TPayoutStorage& storage, int game, int index) {
  const int count = storage.PaytableCount(game);
  if (index >= count) {
    throw TUsageError(Format("paytable %d does not exist for %s (it has %d)", index,
                             GameName(game).c_str(), count));
  }
  return storage.GetPaytable(game, index);
}

// ---------------------------------------------------------------------------------------
// games

std::string RunGames(const TOptions& options) {
  const TPayoutStorage storage;
  std::string out;
  if (options.Json) {
    out = JsonArray(GameNames(), [&](const TGameName& game) {
      const auto description = CreateDescription(game.GameIndex);
      std::vector<std::string> categories(
          description->CategoryName.begin(),
          description->CategoryName.begin() + description->LastCategory + 1);
      return Format("{\"game\":%d,\"name\":", game.GameIndex) + JsonString(game.Name) +
             ",\"categories\":" + JsonArray(categories, JsonString) +
             Format(",\"paytables\":%d}", storage.PaytableCount(game.GameIndex));
    });
    return out + "\n";
  }
  for (const auto& game : GameNames()) {
    const auto description = CreateDescription(game.GameIndex);
    const int paytables = storage.PaytableCount(game.GameIndex);
    out += Format("%d  %s (%d paytable%s)\n", game.GameIndex, game.Name.c_str(), paytables,
                  paytables == 1 ? "" : "s");
    for (int c = 0; c <= description->LastCategory; ++c) {
      out += Format("     %2d  %s\n", c, description->CategoryName[c].c_str());
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------
// hand

struct TDealtCard {
  std::string Text;  // as the player wrote it, upper case ("AS", "JK")
  TCard Card;
};

std::vector<TDealtCard> ParseDeal(const std::vector<std::string>& words, int jokersAllowed) {
  std::vector<TDealtCard> cards;
  int jokers = 0;
  for (const std::string& word : words) {
    // A ten may be written 10H as well as TH.
    const bool ten = word.size() == 3 && word[0] == '1' && word[1] == '0';
    const auto card = ParseCard(ten ? "T" + word.substr(2) : word);
    if (!card) throw TUsageError("'" + word + "' is not a card (write AS, TD or 10D, 9H, JK)");
    std::string text = CardText(*card);
    if (card->Rank < 0) {
      if (++jokers > jokersAllowed) {
        throw TUsageError(jokersAllowed == 0
                              ? "this game has no jokers"
                              : Format("this game has only %d joker%s", jokersAllowed,
                                       jokersAllowed == 1 ? "" : "s"));
      }
    } else {
      for (const auto& earlier : cards) {
        if (earlier.Text == text) throw TUsageError("card " + text + " is given twice");
      }
    }
    cards.push_back({text, *card});
  }
  return cards;
}

std::string HeldText(const std::vector<TDealtCard>& cards, int mask, bool json) {
  std::vector<std::string> held;
  std::string text;
  for (int i = 0; i < 5; ++i) {
    const bool kept = ((mask >> i) & 1) == 0;
    if (kept) held.push_back(cards[static_cast<size_t>(i)].Text);
    text += (kept ? cards[static_cast<size_t>(i)].Text : std::string("--")) + (i < 4 ? " " : "");
  }
  return json ? JsonArray(held, JsonString) : text;
}

std::string RunHand(const TOptions& options) {
  const int game = options.Games[0];
  const auto description = CreateDescription(game);
  const auto cards = ParseDeal(options.Cards, description->JokerCount);
  const TPayoutStorage storage;
  const TPaytable table = LoadPaytable(storage, game, options.Paytable);

  TPayout payout;
  const auto engine = CreateEngineForGame(game);
  engine->SetPayout(&payout);
  payout.SetPay(table, options.Bet);
  engine->NewDeal();
  for (const auto& dealt : cards) {
    engine->Hand.AddCard(dealt.Card.Rank, dealt.Card.Suit);
    engine->Deck.Remove(dealt.Card.Rank, dealt.Card.Suit);
  }
  const int best = engine->GetTheBest();
  const int category = engine->GetHandCategory();
  const int last = engine->LastCategory;

  if (options.Json) {
    std::string out =
        Format("{\"game\":%d,\"name\":", game) + JsonString(engine->Name) +
        Format(",\"paytable\":%d,\"bet\":%d,\"cards\":", options.Paytable, options.Bet) +
        JsonArray(cards, [](const TDealtCard& c) { return JsonString(c.Text); }) +
        ",\"categories\":" + JsonArray(engine->CategoryNames, JsonString) +
        Format(",\"category\":%d,\"best_mask\":%d,\"holds\":[", category, best);
    for (int mask = 0; mask < HoldMaskCount; ++mask) {
      std::vector<long long> counts;
      for (int c = 0; c <= last; ++c) counts.push_back(engine->GetCategoryCount(c, mask));
      out +=
          Format("%s{\"mask\":%d,\"held\":", mask == 0 ? "" : ",", mask) +
          HeldText(cards, mask, true) +
          Format(",\"draws\":%lld,\"return\":", static_cast<long long>(engine->DrawCount(mask))) +
          JsonReal(engine->DrawReturn(mask)) +
          ",\"counts\":" + JsonArray(counts, [](long long n) { return std::to_string(n); }) +
          Format(",\"losing\":%lld}",
                 static_cast<long long>(engine->GetCategoryCount(last + 1, mask)));
    }
    return out + "]}\n";
  }

  std::string out = Format("%s, paytable %d, %d coin%s: ", engine->Name.c_str(), options.Paytable,
                           options.Bet, options.Bet == 1 ? "" : "s") +
                    HeldText(cards, 0, false) + "\n";
  out += "Dealt: " +
         (category < 0 ? std::string("no paying hand")
                       : engine->CategoryNames[static_cast<size_t>(category)]) +
         "\n";
  out += Format("Best hold: %s (mask %d), %.6Lf coins, %.6Lf per coin\n\n",
                HeldText(cards, best, false).c_str(), best, engine->DrawReturn(best),
                engine->DrawReturn(best) / options.Bet);
  std::vector<int> order(HoldMaskCount);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return engine->DrawReturn(a) > engine->DrawReturn(b); });
  // By default two count columns keep the table within 100 columns: the draws that pay
  // and those that lose; --wide gives every category its own.
  std::vector<std::string> names;
  if (options.Wide) {
    names.assign(engine->CategoryNames.begin(), engine->CategoryNames.begin() + last + 1);
  } else {
    names.push_back("Paying");
  }
  names.push_back("Losing");
  std::vector<int> widths;
  out += "  Mask  Held                Return   Per coin";
  for (const std::string& name : names) {
    widths.push_back(std::max<int>(static_cast<int>(name.size()), 7));
    out += "  " + std::string(static_cast<size_t>(widths.back()) - name.size(), ' ') + name;
  }
  out += "\n";
  for (const int mask : order) {
    out += Format("%c %4d  %s  %10.6Lf %10.6Lf", mask == best ? '*' : ' ', mask,
                  HeldText(cards, mask, false).c_str(), engine->DrawReturn(mask),
                  engine->DrawReturn(mask) / options.Bet);
    std::vector<long long> counts;
    long long paying = 0;
    for (int c = 0; c <= last; ++c) {
      counts.push_back(static_cast<long long>(engine->GetCategoryCount(c, mask)));
      paying += counts.back();
    }
    if (!options.Wide) counts = {paying};
    counts.push_back(static_cast<long long>(engine->GetCategoryCount(last + 1, mask)));
    for (size_t column = 0; column < counts.size(); ++column) {
      out += Format("  %*lld", widths[column], counts[column]);
    }
    out += "\n";
  }
  return out;
}

// ---------------------------------------------------------------------------------------
// return

// A whole-game return and the time it took.
struct TTimedReturn {
  TGameReturn Result;
  double Seconds = 0;
};

TTimedReturn WholeGame(int game, const TPaytable& table, int bet, int threads,
                       const TProgress& progress) {
  const auto start = std::chrono::steady_clock::now();
  TTimedReturn timed{ComputeGameReturn(game, table, bet, threads, progress)};
  timed.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return timed;
}

// The paytable of --pays: pay times coins at every bet, -1 for the categories the game lacks.
TPaytable PaytableOfPays(const std::vector<int>& pays) {
  TPaytable table;
  for (size_t coins = 1; coins <= MaxCoins; ++coins) {
    table[coins - 1].fill(-1);
    for (size_t c = 0; c < pays.size(); ++c)
      table[coins - 1][c] = pays[c] * static_cast<int32_t>(coins);
  }
  return table;
}

std::string RunReturn(const TOptions& options, const TProgress& progress) {
  const TPayoutStorage storage;
  std::vector<TPaytable> tables;
  for (const int game : options.Games) {
    tables.push_back(options.Pays.empty() ? LoadPaytable(storage, game, options.Paytable)
                                          : PaytableOfPays(options.Pays));
  }
  std::vector<TTimedReturn> results;
  for (size_t i = 0; i < options.Games.size(); ++i) {
    results.push_back(
        WholeGame(options.Games[i], tables[i], options.Bet, options.Threads, progress));
  }
  // The pays per coin at the bet, as players write them.
  const auto pays = [&](size_t i, bool json) {
    std::vector<std::string> texts;
    for (size_t c = 0; c < results[i].Result.CategoryNames.size(); ++c) {
      const int32_t coins = tables[i][static_cast<size_t>(options.Bet - 1)][c];
      texts.push_back(coins % options.Bet == 0
                          ? std::to_string(coins / options.Bet)
                          : (json ? JsonReal(static_cast<long double>(coins) / options.Bet)
                                  : Format("%g", static_cast<double>(coins) / options.Bet)));
    }
    return texts;
  };
  const std::string source =
      options.Pays.empty() ? Format("paytable %d", options.Paytable) : "pays as given";
  if (options.Json) {
    std::vector<size_t> games(results.size());
    std::iota(games.begin(), games.end(), 0);
    return JsonArray(
               games,
               [&](size_t i) {
                 const TTimedReturn& timed = results[i];
                 const TGameReturn& r = timed.Result;
                 std::vector<size_t> indexes(r.CategoryNames.size());
                 std::iota(indexes.begin(), indexes.end(), 0);
                 const auto cycle = r.Probability[0] > 0
                                        ? JsonReal(1 / r.Probability[0])
                                        : std::string("null");  // the top category never comes
                 return Format("{\"game\":%d,\"name\":", r.GameIndex) + JsonString(r.Name) +
                        (options.Pays.empty() ? Format(",\"paytable\":%d", options.Paytable)
                                              : std::string(",\"paytable\":null")) +
                        Format(",\"bet\":%d,\"return\":", options.Bet) + JsonReal(r.Return) +
                        ",\"pays\":" +
                        JsonArray(pays(i, true), [](const std::string& text) { return text; }) +
                        ",\"variance\":" + JsonReal(r.Variance) +
                        ",\"sd\":" + JsonReal(std::sqrt(r.Variance)) +
                        ",\"hit_frequency\":" + JsonReal(r.HitFrequency) +
                        ",\"royal_cycle\":" + cycle +
                        Format(",\"classes\":%lld,\"deals\":%lld,\"seconds\":%.3f,\"categories\":",
                               static_cast<long long>(r.Classes), static_cast<long long>(r.Deals),
                               timed.Seconds) +
                        JsonArray(indexes,
                                  [&](size_t c) {
                                    return "{\"name\":" + JsonString(r.CategoryNames[c]) +
                                           ",\"probability\":" + JsonReal(r.Probability[c]) +
                                           ",\"contribution\":" + JsonReal(r.Contribution[c]) + "}";
                                  }) +
                        "}";
               }) +
           "\n";
  }
  std::string out;
  for (size_t i = 0; i < results.size(); ++i) {
    const auto& [r, seconds] = results[i];
    out += Format("%s, %s, %d coin%s: %.6Lf%% with perfect play\n", r.Name.c_str(), source.c_str(),
                  options.Bet, options.Bet == 1 ? "" : "s", 100 * r.Return);
    out += Format("  %lld classes of deals, %lld deals, %.3f s on %d thread%s\n",
                  static_cast<long long>(r.Classes), static_cast<long long>(r.Deals), seconds,
                  options.Threads, options.Threads == 1 ? "" : "s");
    std::string payList;
    for (const std::string& text : pays(i, false)) payList += " " + text;
    out += "  Pays per coin:" + payList + "\n";
    out += Format("  Variance %.4Lf, standard deviation %.4Lf per hand, in bets\n", r.Variance,
                  std::sqrt(r.Variance));
    out += Format("  Hit frequency %.4Lf%%, ", 100 * r.HitFrequency);
    out += r.Probability[0] > 0
               ? Format("one %s in %.0Lf hands\n", r.CategoryNames[0].c_str(), 1 / r.Probability[0])
               : Format("no %s\n", r.CategoryNames[0].c_str());
    out += "  Category               Probability   Contribution\n";
    for (size_t c = 0; c < r.CategoryNames.size(); ++c) {
      out += Format("  %-20s %13.10Lf %13.6Lf%%\n", r.CategoryNames[c].c_str(), r.Probability[c],
                    100 * r.Contribution[c]);
    }
    out += "\n";
  }
  return out;
}

// ---------------------------------------------------------------------------------------
// stats

// The log of --log or of the data folder, read only, its filter set to the options'
// game, modes and first day. Warns in `err` about a fragment after the last whole record.
std::unique_ptr<TLogger> OpenLog(const TOptions& options, std::string& err) {
  namespace fs = std::filesystem;
  const fs::path path =
      options.LogFile ? fs::path(*options.LogFile) : DataFolder() / TLogger::FileName;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    throw TUsageError("cannot read the log " + path.string() +
                      (fs::exists(path, error) ? ": not a regular file" : ": no such file"));
  }
  auto logger = std::make_unique<TLogger>(path, TLogger::TAccess::ReadOnly);
  if (!logger->Problem().empty()) throw TUsageError("cannot read the log " + path.string());
  if (logger->IgnoredBytes() > 0) {
    err += Format("tavrik-calc: ignored the last %zu bytes of %s (not a whole record)\n",
                  logger->IgnoredBytes(), path.string().c_str());
  }
  TLogFilter& filter = logger->Filter();
  if (options.Games.empty()) {
    filter.SetGame(-1, -1);
  } else {
    filter.SetGame(options.Games[0], options.Paytable);
  }
  filter.SetModes(options.Modes);
  filter.SetFromDate(options.FromDate);
  return logger;
}

// The statistics tables over the selected records of a log.
std::string RunStats(const TOptions& options, std::string& err) {
  const auto log = OpenLog(options, err);
  TLogger& logger = *log;

  const TIniFile& localisation = BuiltInLocalisation();
  TStatisticsList list;
  list.SetLogger(logger);
  list.Localize([&](const std::string& section, const std::string& key) {
    return localisation.ReadString(section, key, "");
  });
  list.Recompute();

  std::vector<const TStatistic*> tables(static_cast<size_t>(list.Count()));
  for (size_t i = 0; i < tables.size(); ++i) tables[i] = &list.Table(static_cast<int>(i));
  if (options.Json) {
    return Format("{\"records\":%lld,\"bet\":%lld,\"tables\":",
                  static_cast<long long>(list.RecordCount()),
                  static_cast<long long>(list.CoinsBet())) +
           JsonArray(
               tables,
               [](const TStatistic* table) {
                 std::vector<size_t> rows(table->Rows.size());
                 std::iota(rows.begin(), rows.end(), 0);
                 return "{\"title\":" + JsonString(table->Name) +
                        ",\"columns\":" + JsonArray(table->Columns, JsonString) + ",\"rows\":" +
                        JsonArray(rows,
                                  [&](size_t row) {
                                    const std::array<double, 3> values = {table->Values[0][row],
                                                                          table->Values[1][row],
                                                                          table->Values[2][row]};
                                    return "{\"name\":" + JsonString(Trim(table->Rows[row])) +
                                           ",\"values\":" +
                                           JsonArray(values,
                                                     [](double v) {
                                                       return JsonReal(v + 0.0); /* not "-0.0" */
                                                     }) +
                                           "}";
                                  }) +
                        "}";
               }) +
           "}\n";
  }
  // Each table as the statistics window shows it: the title, the headers, then the rows
  // (names left-aligned, value texts right-aligned, "-" for 0).
  std::string out =
      Format("%lld records, %lld coins bet\n", static_cast<long long>(list.RecordCount()),
             static_cast<long long>(list.CoinsBet()));
  for (const TStatistic* table : tables) {
    std::vector<std::array<std::string, 4>> grid{table->Columns};
    for (size_t row = 0; row < table->Rows.size(); ++row) {
      grid.push_back({table->Rows[row]});
      for (int column = 0; column < 3; ++column) {
        grid.back()[static_cast<size_t>(column) + 1] =
            std::string(Trim(table->ValueText(column, static_cast<int>(row))));
      }
    }
    std::array<size_t, 4> widths{};
    for (const auto& line : grid) {
      for (size_t column = 0; column < 4; ++column) {
        widths[column] = std::max(widths[column], line[column].size());
      }
    }
    out += "\n" + table->Name + "\n";
    for (const auto& line : grid) {
      std::string text = line[0] + std::string(widths[0] - line[0].size(), ' ');
      for (size_t column = 1; column < 4; ++column) {
        text += "  " + std::string(widths[column] - line[column].size(), ' ') + line[column];
      }
      out += std::string(text.substr(0, text.find_last_not_of(' ') + 1)) + "\n";
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------
// errors

// The five cards of a record, those of the positions whose bit is set in `replaced` as "--".
std::string CardsText(const TLogRecord& record, int replaced) {
  std::string text;
  for (size_t i = 0; i < 5; ++i) {
    if (i > 0) text += ' ';
    text += ((replaced >> i) & 1) != 0 ? "--" : CardText(CardFromIndex(record.DealtCards[i]));
  }
  return text;
}

// The pattern of a record's hold as {"key": ..., "text": ...}.
std::string PatternJson(const TLogRecord& record, int mask) {
  const THoldName name = NameHold(record.GameType, record.DealtCards, mask);
  return "{\"key\":" + JsonString(name.Key) + ",\"text\":" + JsonString(name.Text) + "}";
}

// The errors of the selected records, one line each and a line naming the patterns of the
// player's and the best hold.
std::string RunErrors(const TOptions& options, std::string& err) {
  const auto log = OpenLog(options, err);
  TErrorList list;
  list.Rebuild(*log, log->Filter(), options.Grades);
  list.Sort(options.Descending ? -options.SortColumn : options.SortColumn);

  std::vector<size_t> rows(list.Count());
  std::iota(rows.begin(), rows.end(), 0);
  const auto dealt = [](const TLogRecord& record, bool seconds) {
    const TLocalDateTime t = FromOleDate(record.DealTime);
    return seconds ? Format("%04d-%02d-%02dT%02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour,
                            t.Minute, t.Second)
                   : Format("%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute);
  };
  if (options.Json) {
    return "{\"errors\":" +
           JsonArray(rows,
                     [&](size_t row) {
                       const TLogRecord record = list.Record(row);
                       return Format("{\"record\":%zu,\"deal_time\":", list.RecordIndex(row)) +
                              JsonString(dealt(record, true)) +
                              Format(",\"game\":%d,\"paytable\":%d,\"bet\":%d,\"dealt\":",
                                     record.GameType, record.PayIndex, record.Bet) +
                              JsonString(CardsText(record, 0)) +
                              ",\"held\":" + JsonString(CardsText(record, record.PlayerMask)) +
                              ",\"best\":" + JsonString(CardsText(record, record.BestMask)) +
                              ",\"grade\":" +
                              JsonString(GradeNames[static_cast<size_t>(list.Grade(row))]) +
                              ",\"loss\":" + JsonReal(100 * ErrorLoss(record)) +
                              ",\"your_return\":" + JsonReal(record.PlayerReturn) +
                              ",\"perfect_return\":" + JsonReal(record.BestReturn) +
                              Format(",\"your_win\":%d,\"perfect_win\":%d", record.HandWin,
                                     record.PerfectWin) +
                              ",\"your_pattern\":" + PatternJson(record, record.PlayerMask) +
                              ",\"best_pattern\":" + PatternJson(record, record.BestMask) + "}";
                     }) +
           "}\n";
  }
  std::string out = Format("%zu error%s\n", rows.size(), rows.size() == 1 ? "" : "s");
  if (rows.empty()) return out;
  // Columns as wide as the largest record position and game of the list.
  int recordWidth = 6;
  int gameWidth = 4;
  for (const size_t row : rows) {
    const TLogRecord record = list.Record(row);
    recordWidth =
        std::max(recordWidth, static_cast<int>(std::to_string(list.RecordIndex(row)).size()));
    gameWidth = std::max(
        gameWidth, static_cast<int>(Format("%d/%d", record.GameType, record.PayIndex).size()));
  }
  out += Format("%*s  %-16s  %-*s  %-14s  %-14s  %-14s  %-7s  %6s\n", recordWidth, "Record",
                "Dealt", gameWidth, "Game", "Cards", "You kept", "Best kept", "Grade", "Loss %");
  for (const size_t row : rows) {
    const TLogRecord record = list.Record(row);
    out += Format("%*zu  %s  %-*s  %s  %s  %s  %-7s  %6.2f\n", recordWidth, list.RecordIndex(row),
                  dealt(record, false).c_str(), gameWidth,
                  Format("%d/%d", record.GameType, record.PayIndex).c_str(),
                  CardsText(record, 0).c_str(), CardsText(record, record.PlayerMask).c_str(),
                  CardsText(record, record.BestMask).c_str(),
                  GradeNames[static_cast<size_t>(list.Grade(row))], 100 * ErrorLoss(record));
    out += std::string(static_cast<size_t>(recordWidth) + 2, ' ') +
           "you: " + NameHold(record.GameType, record.DealtCards, record.PlayerMask).Text +
           " | best: " + NameHold(record.GameType, record.DealtCards, record.BestMask).Text + "\n";
  }
  return out;
}

// ---------------------------------------------------------------------------------------
// strategy

std::string RunStrategy(const TOptions& options) {
  const TPayoutStorage storage;
  const int game = options.Games[0];
  const TPaytable table = options.Pays.empty() ? LoadPaytable(storage, game, options.Paytable)
                                               : PaytableOfPays(options.Pays);
  const std::string paytable =
      options.Pays.empty() ? Format("paytable %d", options.Paytable) : "pays as given";
  const auto start = std::chrono::steady_clock::now();
  const TStrategyChart chart = DeriveStrategyChart(game, table, options.Bet, options.Threads);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (options.Json) {
    return Format("{\"game\":%d,\"name\":", game) + JsonString(chart.Name) +
           (options.Pays.empty() ? Format(",\"paytable\":%d", options.Paytable)
                                 : std::string(",\"paytable\":null")) +
           Format(",\"bet\":%d,\"perfect_return\":", options.Bet) + JsonReal(chart.PerfectReturn) +
           ",\"chart_return\":" + JsonReal(chart.ChartReturn) +
           Format(",\"classes\":%lld,\"seconds\":%.3f,\"lines\":",
                  static_cast<long long>(chart.Classes), seconds) +
           JsonArray(chart.Lines,
                     [](const TChartLine& line) {
                       return "{\"pattern\":" + JsonString(line.Key) +
                              ",\"text\":" + JsonString(line.Text) +
                              ",\"best_share\":" + JsonReal(line.BestShare) +
                              ",\"order_holds\":" + JsonReal(line.OrderHolds) + "}";
                     }) +
           "}\n";
  }
  std::string out = Format("%s, %s, %d coin%s: %zu lines\n", chart.Name.c_str(), paytable.c_str(),
                           options.Bet, options.Bet == 1 ? "" : "s", chart.Lines.size());
  size_t textWidth = 7;
  for (const TChartLine& line : chart.Lines) textWidth = std::max(textWidth, line.Text.size());
  out += Format("  %3s  %-10s  %-*s  %9s  %9s\n", "#", "Key", static_cast<int>(textWidth),
                "Pattern", "Best %", "Order %");
  for (size_t i = 0; i < chart.Lines.size(); ++i) {
    const TChartLine& line = chart.Lines[i];
    out += Format("  %3zu  %-10s  %-*s  %9.5f  %9.3f\n", i + 1, line.Key.c_str(),
                  static_cast<int>(textWidth), line.Text.c_str(), 100 * line.BestShare,
                  100 * line.OrderHolds);
  }
  out += Format("chart %.4Lf %%, perfect %.4Lf %% (%lld classes of deals, %.3f s on %d thread%s)\n",
                100 * chart.ChartReturn, 100 * chart.PerfectReturn,
                static_cast<long long>(chart.Classes), seconds, options.Threads,
                options.Threads == 1 ? "" : "s");
  return out;
}

}  // namespace

std::string CheckArguments(const std::vector<std::string>& arguments) {
  try {
    (void)ParseArguments(arguments);
  } catch (const TUsageError& error) {
    return error.what();
  }
  return {};
}

TCalcResult RunCalc(const std::vector<std::string>& arguments, const TProgress& progress) {
  TCalcResult result;
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    result.Out = UsageText;
    return result;
  }
  if (arguments.empty()) return {2, "", UsageText};  // nothing asked: what may be asked
  // Lines of the player's paytable file that were not read: said on standard error
  // before anything else, and the command goes on with the rest of the catalogue.
  std::string catalogueProblems;
  try {
    const TOptions options = ParseArguments(arguments);
    if (options.Command == "games" || options.Command == "hand" || options.Command == "return" ||
        options.Command == "strategy") {
      if (const std::string report = TPayoutStorage().ProblemReport(); !report.empty()) {
        catalogueProblems = "tavrik-calc: " + report + "\n";
      }
    }
    if (options.Command == "games") {
      result.Out = RunGames(options);
    } else if (options.Command == "hand") {
      result.Out = RunHand(options);
    } else if (options.Command == "stats" || options.Command == "errors") {
      std::string warnings;
      result.Out =
          options.Command == "stats" ? RunStats(options, warnings) : RunErrors(options, warnings);
      result.Err = warnings;
    } else if (options.Command == "strategy") {
      result.Out = RunStrategy(options);
    } else {
      result.Out = RunReturn(options, progress);
    }
  } catch (const TUsageError& error) {
    result = {2, "", std::string("tavrik-calc: ") + error.what() + "\n"};
  } catch (const std::exception& error) {
    std::string message = error.what();
    std::replace(message.begin(), message.end(), '\r', ' ');
    result = {1, "", "tavrik-calc: " + message + "\n"};
  }
  result.Err.insert(0, catalogueProblems);
  return result;
}

}  // namespace tavrik::calc
