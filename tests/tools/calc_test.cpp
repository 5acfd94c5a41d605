#include "calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "core/payout_storage.h"
#include "support/engine_fixture.h"
#include "support/message_lines.h"
#include "support/temp_folder.h"

namespace tavrik::calc {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

TCalcResult Calc(const std::string& text) {
  return RunCalc(Words(text));
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// `text` holds `part` (anywhere, or at its start); a failure shows both.
::testing::AssertionResult Has(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no \"" << part << "\" in\n" << text;
}
::testing::AssertionResult Starts(const std::string& text, const std::string& part) {
  if (text.rfind(part, 0) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << part << "\" does not begin\n" << text;
}

// The number after "key": in JSON output; -1 when the key is missing.
double Number(const std::string& json, const std::string& key) {
  const size_t at = json.find("\"" + key + "\":");
  return at == std::string::npos ? -1.0 : std::stod(json.substr(at + key.size() + 3));
}

TEST(Calc, BadInputIsOneLineAndStatusTwo) {
  TempFolder folder;
  // Arguments, part of the complaint.
  const std::pair<const char*, const char*> cases[] = {
      {"deal", "unknown command"},
      {"hand AS KS QS JS 9D", "needs --game"},
      {"hand --game 9 AS KS QS JS 9D", "unknown game '9'"},
      {"hand --game poker AS KS QS JS 9D", "unknown game 'poker'"},
      {"hand --game 6 --game 7 AS KS QS JS 9D", "one --game"},
      {"hand --game 6 AS KS QS JS", "five cards, not 4"},
      {"hand --game 6 AS KS QS JS 9D 8D", "five cards, not 6"},
      {"hand --game 6 AS KS QS JS 1D", "'1D' is not a card"},
      {"hand --game 6 AS KS QS JS AS", "AS is given twice"},
      {"hand --game 6 AS KS QS JS as", "AS is given twice"},
      {"hand --game 6 AS KS QS JS JK", "no jokers"},
      {"hand --game 3 AS KS QS JS JK", "no jokers"},
      {"hand --game 7 AS KS QS JK JK", "only 1 joker"},
      {"hand --game 6 --bet 0 AS KS QS JS 9D", "--bet must be a number from 1 to 5"},
      {"hand --game 6 --bet 6 AS KS QS JS 9D", "--bet must be a number from 1 to 5"},
      {"hand --game 6 --bet x AS KS QS JS 9D", "--bet must be a number"},
      {"hand --game 6 --paytable 1 AS KS QS JS 9D", "paytable 1 does not exist"},
      {"hand --game 6 --paytable -1 AS KS QS JS 9D", "--paytable must be a number"},
      {"hand --game 6 --threads 2 AS KS QS JS 9D", "--threads is not an option of hand"},
      {"hand --game", "--game needs a value"},
      {"return --threads 0", "--threads must be a number from 1"},
      {"return --game 6 AS", "AS is not an option of return"},
      {"return --game 6 --pays 800,50,25", "--pays needs 9 pays for Jacks or better, not 3"},
      {"return --game 3 --pays 800,200,25,15,9,5,3,2,2,-1", "not '-1'"},
      {"return --game 6 --pays 800,50,25,9,6,4,3,2,1x", "whole numbers from 0 to"},
      {"return --pays 800,50,25,9,6,4,3,2,1", "--pays needs one --game"},
      {"games --bet 2", "--bet is not an option of games"},
      {"games --verbose", "unknown option '--verbose'"},
      {"stats --modes 4", "--modes must be a number from 0 to 3, not '4'"},
      {"errors --modes 1,", "--modes must be a number from 0 to 3, not ''"},
      {"stats --from 2026-02-29", "--from must be a date written YYYY-MM-DD, not '2026-02-29'"},
      {"errors --from 2026-01-0x", "--from must be a date"},
      {"errors --paytable 1", "--paytable needs --game"},
      {"stats --game 6 --game 3", "stats takes one --game"},
      {"errors --game 10", "unknown game '10'"},
      {"stats --bet 5", "--bet is not an option of stats"},
      {"errors --bet 5", "--bet is not an option of errors"},
      {"stats --grades minor", "--grades is not an option of stats"},
      {"errors --grades serious,", "--grades lists serious, medium and minor, not ''"},
      {"errors --sort loss", "--sort takes hand, your, perfect or difference, not 'loss'"},
      {"errors --descending", "--descending needs --sort"},
      {"stats all", "all is not an option of stats"},
      {"errors --log /nonexistent/hands.log",
       "cannot read the log /nonexistent/hands.log: no such"},
      {"stats --log /", "cannot read the log /: not a regular file"},
      {"strategy --json", "strategy needs --game"},
      {"strategy --game 6 --game 3", "strategy takes one --game"},
      {"strategy --game 6 --grades minor", "--grades is not an option of strategy"},
  };
  for (const auto& [arguments, message] : cases) {
    SCOPED_TRACE(arguments);
    const TCalcResult result = Calc(arguments);
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_TRUE(Has(result.Err, message));
    EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
  }
  const TCalcResult usage = Calc("");  // nothing asked
  EXPECT_EQ(usage.ExitCode, 2);
  EXPECT_TRUE(Starts(usage.Err, "usage: tavrik-calc games"));
}

TEST(Calc, GamesList) {
  TempFolder folder;
  const TCalcResult text = Calc("games");
  EXPECT_EQ(text.ExitCode, 0);
  EXPECT_TRUE(Has(text.Out, "6  Jacks or better (1 paytable)"));
  EXPECT_TRUE(Has(text.Out, "Four Sevens"));
  const TCalcResult json = Calc("games --json");
  EXPECT_EQ(json.ExitCode, 0);
  EXPECT_TRUE(Starts(json.Out,
                     "[{\"game\":0,\"name\":\"Aces and Eights\",\"categories\":[\"Royal Flush\""));
  EXPECT_EQ(Occurrences(json.Out, "{\"game\":"), 9);
  EXPECT_EQ(Occurrences(json.Out, "],\"paytables\":1}"), 9);

  // The player's paytables count and play; a refused line is named on standard error and
  // a built-in paytable takes its index.
  TPaytable added = TPayoutStorage().GetPaytable(6, 0);
  added[4][3] = 40;  // the full house pays 8 per coin instead of 9
  std::filesystem::create_directories(folder.DataFolder());
  std::ofstream(folder.DataFolder() / "Quelbin.dat") << "[Jacks or better]\n"
                                                     << FormatPaytableLine(added) << "\n 1 2 3\n";
  const TCalcResult mine = Calc("games");
  EXPECT_EQ(mine.ExitCode, 0);
  EXPECT_TRUE(Has(mine.Out, "6  Jacks or better (2 paytables)"));
  EXPECT_TRUE(Has(mine.Err,
                  "Quelbin.dat line 3 (section [Jacks or better], paytable 1): the line "
                  "holds 3 numbers"));
  const TCalcResult played = Calc("return --game 6 --paytable 0 --threads 2");
  ASSERT_EQ(played.ExitCode, 0) << played.Err;
  EXPECT_TRUE(Starts(played.Out, "Jacks or better, paytable 0, 5 coins: 98.3"));
  EXPECT_EQ(Occurrences(played.Err, "line 3"), 1);
}

TEST(Calc, HandJsonShape) {
  TempFolder folder;
  // A name with blanks arrives from the shell as one word.
  const TCalcResult json =
      RunCalc({"hand", "--game", "Jacks or Better", "--json", "as", "KS", "QS", "JS", "9D"});
  ASSERT_EQ(json.ExitCode, 0) << json.Err;
  EXPECT_EQ(json.Out.back(), '\n');
  EXPECT_TRUE(
      Starts(json.Out,
             "{\"game\":6,\"name\":\"Jacks or better\",\"paytable\":0,\"bet\":5,\"cards\":[\"AS\","
             "\"KS\",\"QS\",\"JS\",\"9D\"],\"categories\":[\"Royal Flush\","));
  EXPECT_TRUE(Has(json.Out,
                  "\"category\":-1,\"best_mask\":16,\"holds\":[{\"mask\":0,\"held\":[\"AS\",\"KS\","
                  "\"QS\",\"JS\",\"9D\"],\"draws\":1,\"return\":0.0,\"counts\":[0,0,0,0,0,0,0,0,0],"
                  "\"losing\":1},"));
  // Discarding the 9D at 5 coins: 1 royal (4000), 8 flushes (30), 3 straights (20), 12 high
  // pairs (5) over 47 draws: 4360 / 47.
  EXPECT_TRUE(Has(json.Out,
                  "{\"mask\":16,\"held\":[\"AS\",\"KS\",\"QS\",\"JS\"],\"draws\":47,\"return\":"
                  "92.765957446808511,\"counts\":[1,0,0,0,8,3,0,0,12],\"losing\":23}"));
  // A ten may be written with two digits.
  EXPECT_EQ(Calc("hand --game 6 --json 10h JH QH KH 2C").Out,
            Calc("hand --game 6 --json TH JH QH KH 2C").Out);
}

// The command line gives what the engine gives, for hands of several games.
TEST(Calc, HandAgreesWithTheEngine) {
  TempFolder folder;
  // Game, bet, cards.
  const std::tuple<int, int, const char*> cases[] = {
      {GAME_JACKS_OR_BETTER, 1, "JH JS 4C 7D 9S"}, {GAME_DOUBLE_BONUS, 5, "AS AD AH 4C 4D"},
      {GAME_ACES_AND_EIGHTS, 3, "8S 8H 2D 5C KS"}, {GAME_TENS_OR_BETTER, 2, "TC JD QH KS 2C"},
      {GAME_DEUCES_WILD, 5, "2S 2D AH KH 7C"},     {GAME_DEUCES_WILD, 1, "2S 2D 2H 2C 7C"},
      {GAME_JOKER_POKER, 5, "JK AS KS QS 3D"},     {GAME_DOUBLE_JOKER_POKER, 4, "JK jk 5C 5D 9H"},
  };
  for (const auto& [game, bet, cards] : cases) {
    SCOPED_TRACE(cards);
    const std::string command = "hand --game " + std::to_string(game) + " " + cards;
    const TCalcResult json = Calc(command + " --json --bet " + std::to_string(bet));
    ASSERT_EQ(json.ExitCode, 0) << json.Err;
    test::TEngineFixture fixture(game, bet);
    const int best = fixture.Analyse(cards);
    const TPokerEngine* engine = &fixture.engine;
    EXPECT_TRUE(Has(json.Out, "\"best_mask\":" + std::to_string(best) + ","));
    EXPECT_TRUE(Has(json.Out, "\"category\":" + std::to_string(engine->GetHandCategory()) + ","));
    // The 32 holds in mask order, each with a count per category and its losing draws.
    EXPECT_EQ(Occurrences(json.Out, "{\"mask\":"), 32);
    size_t previous = 0;
    for (int mask = 0; mask < 32; ++mask) {
      SCOPED_TRACE(mask);
      const size_t at = json.Out.find("{\"mask\":" + std::to_string(mask) + ",");
      ASSERT_NE(at, std::string::npos);
      EXPECT_GT(at, std::exchange(previous, at));
      EXPECT_NEAR(Number(json.Out.substr(at), "return"),
                  static_cast<double>(engine->DrawReturn(mask)), 1e-12);
      const size_t counts = json.Out.find("\"counts\":[", at);
      const std::string list = json.Out.substr(counts, json.Out.find(']', counts) - counts);
      EXPECT_EQ(Occurrences(list, ","), engine->LastCategory) << list;
      EXPECT_LT(json.Out.find("\"losing\":", counts), json.Out.find('}', counts));
    }
    // The text fits 100 columns; --wide adds a column per category.
    for (const bool wide : {false, true}) {
      const TCalcResult text = Calc(command + (wide ? " --wide" : ""));
      size_t widest = 0;
      for (const std::string& line : MessageLines(text.Out)) widest = std::max(widest, line.size());
      EXPECT_EQ(widest <= 100, !wide || engine->LastCategory < 4) << text.Out;
      EXPECT_EQ(text.Out.find(engine->CategoryNames[0]) != std::string::npos, wide);
    }
  }
}

// The whole game's numbers are checked in core; here the command passes game, bet and
// threads on and prints what it got.
TEST(Calc, WholeGameReturn) {
  TempFolder folder;
  const TCalcResult json = Calc("return --game 6 --threads 3 --json");
  ASSERT_EQ(json.ExitCode, 0) << json.Err;
  EXPECT_TRUE(
      Starts(json.Out,
             "[{\"game\":6,\"name\":\"Jacks or better\",\"paytable\":0,\"bet\":5,\"return\":"
             "0.9954390436951"));
  EXPECT_TRUE(Has(json.Out, "\"classes\":134459,\"deals\":2598960,\"seconds\":"));
  EXPECT_EQ(Occurrences(json.Out, "\"probability\":"), 9);

  // At one coin the royal pays 250 instead of 800 per coin: the return drops.
  const TCalcResult text = Calc("return --game 6 --bet 1 --threads 2");
  const std::string prefix = "Jacks or better, paytable 0, 1 coin: ";
  ASSERT_TRUE(Starts(text.Out, prefix));
  const double percent = std::stod(text.Out.substr(prefix.size(), 12));
  EXPECT_GT(percent, 97.0);
  EXPECT_LT(percent, 99.5);
  EXPECT_TRUE(Has(text.Out, "% with perfect play\n  134459 classes of deals, 2598960 deals, "));
  EXPECT_TRUE(Has(text.Out, " s on 2 threads\n"));
}

// The chart's figures are checked in core; here the command prints them in both forms.
TEST(Calc, StrategyChart) {
  TempFolder folder;
  const TCalcResult json = Calc("strategy --game 8 --threads 2 --json");
  ASSERT_EQ(json.ExitCode, 0) << json.Err;
  EXPECT_TRUE(Starts(json.Out,
                     "{\"game\":8,\"name\":\"Tens or better\",\"paytable\":0,\"bet\":5,"
                     "\"perfect_return\":"));
  EXPECT_TRUE(
      Has(json.Out, "\"lines\":[{\"pattern\":\"rf\",\"text\":\"royal flush\",\"best_share\":"));
  ASSERT_GT(Number(json.Out, "chart_return"), 0) << json.Out;
  EXPECT_LE(Number(json.Out, "chart_return"), Number(json.Out, "perfect_return"));
  EXPECT_EQ(Occurrences(json.Out, "\"order_holds\":"), Occurrences(json.Out, "\"pattern\":"));

  const TCalcResult text = Calc("strategy --game 8 --threads 2");
  EXPECT_TRUE(Has(text.Out, "\n    1  rf          royal flush"));
  // A paytable given as pays: 8/5 jacks or better.
  const TCalcResult pays =
      Calc("strategy --game 6 --threads 2 --json --pays 800,50,25,8,5,4,3,2,1");
  ASSERT_EQ(pays.ExitCode, 0) << pays.Err;
  EXPECT_TRUE(Has(pays.Out, "\"paytable\":null,\"bet\":5,\"perfect_return\":0.97298"));

  const size_t chart = text.Out.find("\nchart 99.");
  ASSERT_NE(chart, std::string::npos) << text.Out;
  EXPECT_EQ(text.Out.substr(chart + 14, 41), " %, perfect 99.1388 % (134459 classes of ")
      << text.Out;
}

// Paytables entered as pays per coin give the exact returns published for them.
TEST(Calc, PaysGiveThePublishedReturns) {
  TempFolder folder;
  // Arguments, the widely published exact return with perfect play.
  const std::pair<const char*, double> cases[] = {
      {"--game 6 --pays 800,50,25,8,5,4,3,2,1", 97.2984},           // the 8/5 jacks or better
      {"--game 3 --pays 800,200,25,15,9,5,3,2,2,1", 100.7620},      // full-pay deuces
      {"--game 4 --pays 800,50,160,80,50,10,7,5,3,1,1", 100.1725},  // 10/7 double bonus
  };
  for (const auto& [arguments, percent] : cases) {
    SCOPED_TRACE(arguments);
    const TCalcResult result = Calc(std::string("return --threads 2 --json ") + arguments);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::string& json = result.Out;
    EXPECT_NEAR(100 * Number(json, "return"), percent, 0.00005) << json;
    EXPECT_NEAR(Number(json, "sd"), std::sqrt(Number(json, "variance")), 1e-12);
  }
  // Full-pay jacks or better written as players write it: the widely published variance of
  // about 19.51, a royal every 40,391 hands, and the pays echoed as given.
  const TCalcResult text = RunCalc(
      {"return", "--threads", "2", "--game", "6", "--bet", "3", "--pays", "800 50 25 9 6 4 3 2 1"});
  ASSERT_EQ(text.ExitCode, 0) << text.Err;
  EXPECT_TRUE(
      Has(text.Out, "Jacks or better, pays as given, 3 coins: 99.543904% with perfect play\n"));
  EXPECT_TRUE(Has(text.Out,
                  "  Pays per coin: 800 50 25 9 6 4 3 2 1\n"
                  "  Variance 19.5147, standard deviation 4.4175 per hand, in bets\n"));
  EXPECT_TRUE(Has(text.Out, "one Royal Flush in 40391 hands\n"));
  // A category that pays nothing is no hit: unpaid, the high pairs (a fifth of all final
  // hands) leave the hit frequency of about 45 %.
  const TCalcResult unpaid =
      Calc("return --threads 2 --json --game 6 --pays 800,50,25,9,6,4,3,2,0");
  ASSERT_EQ(unpaid.ExitCode, 0) << unpaid.Err;
  EXPECT_LT(Number(unpaid.Out, "hit_frequency"), 0.35);
}

}  // namespace
}  // namespace tavrik::calc
