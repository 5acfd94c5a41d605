#include "ui/main/info_column.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/card_button.h"
#include "ui/widgets/gradient_label.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

namespace {

constexpr int MiniChartHeight = 60;
constexpr int ButtonHeight = 32;
constexpr int ButtonStep = 46;   // from the top of one button to the next
constexpr int ButtonInset = 10;  // left and right of the buttons

}  // namespace

TInfoColumn::TInfoColumn(const TGameEngine& engine, const TPreferences& preferences,
                         QWidget* parent)
    : QWidget(parent), engine_(engine), preferences_(preferences) {
  InfoLabel = new TGradientLabel(this);
  labelPanel_ = new QWidget(this);
  miniChartImage_ = new QLabel(labelPanel_);
  miniChartImage_->setFixedSize(miniChart_.Image().size());
  miniChartImage_->setPixmap(QPixmap::fromImage(miniChart_.Image()));
  const auto makeRow = [this](QLabel*& caption, QLabel*& value) {
    caption = new QLabel(labelPanel_);
    value = new QLabel(labelPanel_);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  };
  makeRow(CreditLabel, lCredit);
  makeRow(BalanceLabel, lBalance);
  makeRow(AccuracyLabel, lAccuracy);
  makeRow(HandsLabel, lHands);
  makeRow(TimeLabel, lTime);
  makeRow(ValueLabel, lCoinCost);
  makeRow(BetLabel, lBet);
  makeRow(WinLabel, lWin);
  makeRow(CostLabel, lCost);
  lMode = new QLabel(labelPanel_);
  lMode->setAlignment(Qt::AlignCenter);
  lCoinCost->setCursor(Qt::PointingHandCursor);
  lCoinCost->installEventFilter(this);

  buttonPanel_ = new QWidget(this);
  btnHint = new TCardButton(buttonPanel_);
  btnDoubleUp = new TCardButton(buttonPanel_);
  btnDeal = new TCardButton(buttonPanel_);

  timer_ = new QTimer(this);
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, [this] { ShowPlayTime(); });
}

void TInfoColumn::SetButtonLevel(int blockHeight, int cardTop) {
  blockHeight_ = blockHeight;
  cardTop_ = cardTop;
  Arrange(height() - blockHeight_, height() - blockHeight_ + cardTop_);
}

void TInfoColumn::resizeEvent(QResizeEvent* /*event*/) {
  Arrange(height() - blockHeight_, height() - blockHeight_ + cardTop_);
}

void TInfoColumn::Arrange(int bottomTop, int cardTop) {
  const int inner = Width - 2 * Border;
  InfoLabel->setGeometry(Border, Border, inner, HeaderHeight);
  const int labelTop = Border + HeaderHeight;
  labelPanel_->setGeometry(Border, labelTop, inner, std::max(0, bottomTop - labelTop - Border));
  buttonPanel_->setGeometry(Border, bottomTop, inner, blockHeight_);
  // The buttons start two pixels below the level of the card tops.
  const int buttonTop = cardTop + 2 - bottomTop;
  const int buttonWidth = inner - 2 * ButtonInset;
  btnHint->setGeometry(ButtonInset, buttonTop, buttonWidth, ButtonHeight);
  btnDoubleUp->setGeometry(ButtonInset, buttonTop + ButtonStep, buttonWidth, ButtonHeight);
  btnDeal->setGeometry(ButtonInset, buttonTop + 2 * ButtonStep, buttonWidth, ButtonHeight);

  miniChartImage_->move((labelPanel_->width() - miniChartImage_->width()) / 2, 0);
  // The mode line and nine rows share the height under the chart.
  const int rowHeight = std::clamp((labelPanel_->height() - MiniChartHeight - 5) / 10, 14, 24);
  const std::array<std::pair<QLabel*, QLabel*>, 9> rows = {{{CreditLabel, lCredit},
                                                            {BalanceLabel, lBalance},
                                                            {AccuracyLabel, lAccuracy},
                                                            {HandsLabel, lHands},
                                                            {TimeLabel, lTime},
                                                            {ValueLabel, lCoinCost},
                                                            {BetLabel, lBet},
                                                            {WinLabel, lWin},
                                                            {CostLabel, lCost}}};
  int y = MiniChartHeight + 5;
  const int rowWidth = labelPanel_->width();
  lMode->setGeometry(0, y, rowWidth, rowHeight);
  y += rowHeight;
  for (const auto& [caption, value] : rows) {
    caption->setGeometry(4, y, rowWidth / 2, rowHeight);
    value->setGeometry(rowWidth / 2 - 20, y, rowWidth / 2 + 16, rowHeight);
    value->raise();
    y += rowHeight;
  }
}

void TInfoColumn::Refresh() {
  lCredit->setText(QString::number(engine_.Credits()));
  lWin->setText(QString::number(engine_.Win()));
  lBet->setText(QString::number(engine_.Bet()));
  lHands->setText(QString::number(engine_.HandsPlayed()));
  const auto money = [](double dollars) { return QString::fromStdString(MoneyText(dollars, 2)); };
  lCoinCost->setText(money(CoinValues[static_cast<size_t>(engine_.CoinValueIndex())]));
  lAccuracy->setText(FormatTrimmed("%10.2f%%", engine_.Accuracy()));
  lBalance->setText(money(engine_.Balance()));
  btnHint->setVisible(engine_.OffersHint());
  btnHint->setEnabled(engine_.CanHint());
  btnDoubleUp->setEnabled(engine_.CanDoubleUp());
  btnDeal->setEnabled(engine_.CanDrawOrDeal());
  static constexpr std::array<const char*, 4> ModeKeys = {"AutoHint", "Training", "RealPlay",
                                                          "PlayProblemHands"};
  const bool drawn =
      engine_.State() == GameState::Finished || engine_.State() == GameState::DoubleUp;
  const double cost = engine_.Record().PlayerReturn - engine_.Record().BestReturn;
  lCost->setText(drawn && engine_.OffersHint()
                     ? FormatText(Text(preferences_, "Main.Labels", "CostValue"),
                                  {FormatTrimmed("%.2f", std::abs(cost) < 0.005 ? 0.0 : cost)})
                     : QString());
  lMode->setText(
      Text(preferences_, "Main.Menu", ModeKeys[static_cast<size_t>(engine_.Mode())]).toUpper());
  btnDeal->setText(
      Text(preferences_, "Main.Buttons", engine_.State() == GameState::Dealt ? "Draw" : "Deal"));
  if (!timer_->isActive() && engine_.IsClockRunning()) timer_->start();
}

void TInfoColumn::ShowPlayTime() {
  lTime->setText(QString::fromStdString(FormatPlayTime(engine_.PlayTime())));
}

void TInfoColumn::ApplyLanguage() {
  btnHint->setText(Text(preferences_, "Main.Buttons", "Hint"));
  btnDoubleUp->setText(Text(preferences_, "Main.Buttons", "Double"));
  InfoLabel->setText(Text(preferences_, "Main.Labels", "Info"));
  StyleHeaderLabel(InfoLabel, QString::fromStdString(preferences_.FontName));
  miniChartImage_->setToolTip(Hint(preferences_, "Main.Labels", "Info"));
  const std::array<std::tuple<QLabel*, QLabel*, const char*>, 9> rows = {{
      {CreditLabel, lCredit, "Credits"},
      {BalanceLabel, lBalance, "Balance"},
      {AccuracyLabel, lAccuracy, "Accuracy"},
      {HandsLabel, lHands, "Hands"},
      {TimeLabel, lTime, "Time"},
      {ValueLabel, lCoinCost, "Value"},
      {BetLabel, lBet, "Bet"},
      {WinLabel, lWin, "Win"},
      {CostLabel, lCost, "Cost"},
  }};
  QFont valueFont = font();
  valueFont.setBold(true);
  for (const auto& [caption, value, key] : rows) {
    caption->setText(Text(preferences_, "Main.Labels", key));
    const QString hint = Hint(preferences_, "Main.Labels", key);
    caption->setToolTip(hint);
    value->setToolTip(hint);
    value->setFont(valueFont);
  }
  lMode->setFont(valueFont);
  lMode->setToolTip(Hint(preferences_, "Main.Labels", "Mode"));
}

void TInfoColumn::AddChartPoint(int perfectCredits, int credits) {
  miniChart_.AddPoint(perfectCredits, credits);
  miniChartImage_->setPixmap(QPixmap::fromImage(miniChart_.Image()));
}

bool TInfoColumn::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lCoinCost && event->type() == QEvent::MouseButtonPress) {
    emit CoinValueClicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavrik
