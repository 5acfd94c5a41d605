// The hand analyser: typed and picked hands against the core engine (and the jokers of the
// picker), bad typing, the start from a round.
#include "ui/dialogs/hand_analyser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "core/card.h"
#include "core/hand_parser.h"
#include "core/payout_storage.h"
#include "core/poker_description.h"
#include "core/wild_engine.h"
#include "ui/dialogs/all_hands.h"
#include "ui/ui_test_support.h"

namespace tavrik::test {
namespace {

// Every row's return is the core engine's for that hold of `cards` (game, paytable and
// bet as chosen), and the rows go best first.
void ExpectEngineReturns(const TfHandAnalyser& analyser, const std::vector<int>& cards) {
  std::unique_ptr<TPokerEngine> engine = CreateEngineForGame(analyser.GameType());
  TPayout payout;
  engine->SetPayout(&payout);
  payout.SetPay(TPayoutStorage().GetPaytable(analyser.GameType(), analyser.PayIndex()),
                analyser.Bet());
  engine->NewDeal();
  for (const int index : cards) {
    const TCard card = CardFromIndex(index);
    engine->Deck.Remove(card.Rank, card.Suit);
    engine->Hand.AddCard(card.Rank, card.Suit);
  }
  const std::vector<THandStat>& rows = analyser.Table->Rows;
  ASSERT_EQ(rows.size(), 32U);
  EXPECT_EQ(rows.front().ExpectedReturn, engine->DrawReturn(engine->GetTheBest()));
  for (const THandStat& row : rows) {
    EXPECT_EQ(row.ExpectedReturn, engine->DrawReturn(row.Mask)) << row.Mask;
    EXPECT_LE(row.ExpectedReturn, rows.front().ExpectedReturn);
  }
}

TEST_F(MainWindowTest, AnalyserTypedAndPickedHandsGiveTheEngineValues) {
  {  // a second paytable: the flush pays one coin less
    TPayoutStorage catalogue;
    TPaytable table = catalogue.GetPaytable(GAME_JACKS_OR_BETTER, 0);
    for (auto& row : table) row[4] -= 1;
    catalogue.SetPaytable(GAME_JACKS_OR_BETTER, -1, table);
    catalogue.Save();
  }
  TfHandAnalyser analyser(Engine(), *preferences);  // no round: the game played, no cards
  EXPECT_EQ(analyser.GameType(), Engine().GameType());
  EXPECT_TRUE(analyser.edCards->text().isEmpty() && analyser.lMessage->text().isEmpty());
  EXPECT_TRUE(analyser.Table->Rows.empty());
  EXPECT_EQ(analyser.Table->ColumnTitles.size(), Engine().CategoryCount() + 3);

  // Game, jokers in the picker, paytable, bet, the hand typed, the cards then picked, the
  // hand read.
  const std::tuple<int, int, int, int, const char*, std::vector<int>, const char*> cases[] = {
      {GAME_JACKS_OR_BETTER, 0, 0, 5, "as ks,qs js 9d", {}, "AS KS QS JS 9D"},
      {GAME_JACKS_OR_BETTER, 0, 1, 1, "10H JH QH KH 2C", {}, "TH JH QH KH 2C"},
      {GAME_JACKS_OR_BETTER, 0, 1, 1, "TH JH QH KH 2C", {}, "TH JH QH KH 2C"},
      {GAME_DEUCES_WILD, 0, 0, 3, "", {0, 13, 25, 38, 51}, "2S 2C AC AD AH"},
      // A sixth pick is refused; a second click takes a card out again.
      {GAME_DOUBLE_JOKER_POKER, 2, 0, 2, "", {52, 53, 12, 11, 10, 9, 11, 3}, "JK JK AS QS 5S"},
      {GAME_JOKER_POKER, 1, 0, 2, "2C 3D 4H 5S", {52}, "2C 3D 4H 5S JK"},
  };
  for (const auto& [game, jokers, paytable, bet, typed, picks, cards] : cases) {
    SCOPED_TRACE(cards);
    analyser.cbGame->setCurrentIndex(analyser.cbGame->findData(game));
    for (const int joker : {0, 1}) {
      EXPECT_EQ(analyser.Picker->Card(52 + joker)->isVisibleTo(&analyser), jokers > joker);
    }
    analyser.cbPaytable->setCurrentIndex(paytable);
    analyser.seBet->setValue(bet);
    analyser.edCards->setText(typed);
    for (const int index : picks) QTest::mouseClick(analyser.Picker->Card(index), Qt::LeftButton);
    EXPECT_EQ(HandWords(analyser.Picked), cards);
    EXPECT_EQ(analyser.edCards->text(), picks.empty() ? typed : cards);
    EXPECT_TRUE(analyser.Picker->Card(analyser.Picked.back())->Selected());
    EXPECT_TRUE(analyser.lMessage->text().isEmpty()) << analyser.lMessage->text().toStdString();
    ASSERT_EQ(analyser.PayIndex(), paytable);
    ExpectEngineReturns(analyser, analyser.Picked);
  }
}

TEST_F(MainWindowTest, AnalyserNamesBadTypingAndKeepsTheLastAnalysis) {
  TfHandAnalyser analyser(Engine(), *preferences);
  analyser.cbGame->setCurrentIndex(analyser.cbGame->findData(GAME_JACKS_OR_BETTER));
  analyser.edCards->setText("AS AD 7C 7H 2D");
  ASSERT_TRUE(analyser.lMessage->text().isEmpty());
  const std::vector<THandStat> good = analyser.Table->Rows;
  const std::pair<const char*, const char*> cases[] = {
      {"AS AD 7C 7H J?", "J? is not a card"}, {"AS 9D 7C 9d 2D", "the 9D is there twice"},
      {"AS AD 7C 7H", "five cards needed"},   {"AS AD 7C 7H 2D 3D", "five cards needed"},
      {"AS AD 7C 7H JK", "JK is not a card"},  // no jokers in this game
  };
  for (const auto& [typed, message] : cases) {
    analyser.edCards->setText(typed);
    EXPECT_EQ(analyser.lMessage->text(), message);
    ASSERT_EQ(analyser.Table->Rows.size(), good.size());
    for (size_t row = 0; row < good.size(); ++row) {
      EXPECT_EQ(analyser.Table->Rows[row].Mask, good[row].Mask) << typed;
      EXPECT_EQ(analyser.Table->Rows[row].ExpectedReturn, good[row].ExpectedReturn) << typed;
    }
  }
  analyser.seBet->setValue(analyser.Bet() % 5 + 1);  // the kept rows were of the other bet
  EXPECT_TRUE(analyser.Table->Rows.empty());
}

TEST_F(MainWindowTest, AnalyserOpensOnTheRoundOnTheTable) {
  window->SelectGame(GAME_DEUCES_WILD);
  window->ChangeBet(3);
  window->btnDealClick();
  ASSERT_EQ(Engine().State(), GameState::Dealt);
  const auto open = [this] { QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier); };
  Answer<TfHandAnalyser>(open, [this](TfHandAnalyser* analyser) {
    EXPECT_EQ(analyser->GameType(), GAME_DEUCES_WILD);
    EXPECT_EQ(analyser->PayIndex(), Engine().PayIndex());
    EXPECT_EQ(analyser->Bet(), 3);
    std::vector<int> cards;
    for (int i = 0; i < 5; ++i) cards.push_back(Engine().GetCard(i));
    EXPECT_EQ(analyser->Picked, cards);
    for (const THandStat& row : analyser->Table->Rows) {
      EXPECT_EQ(row.ExpectedReturn, Engine().Engine().DrawReturn(row.Mask)) << row.Mask;
    }
    analyser->accept();
  });
}

}  // namespace
}  // namespace tavrik::test
