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

// At scale 1, beside cards 127 pixels high.
constexpr int MiniChartWidth = 130;
constexpr int MiniChartHeight = 60;
constexpr double ButtonHeight = 32.0 / 127;  // of the card height
constexpr double ButtonStep = 46.0 / 127;    // from the top of one button to the next
constexpr int ButtonInset = 10;              // left and right of the buttons

int Scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

}  // namespace

TInfoColumn::TInfoColumn(const TGameEngine& engine, const TPreferences& preferences,
                         QWidget* parent)
    : QWidget(parent), engine_(engine), preferences_(preferences) {
  InfoLabel = new TGradientLabel(this);
  labelPanel_ = new QWidget(this);
  miniChartImage_ = new QLabel(labelPanel_);
  miniChartImage_->setFixedSize(miniChart_.Image().size());
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

void TInfoColumn::SetMetrics(double scale, int blockHeight, int cardTop, int cardHeight) {
  const bool rescaled = scale != scale_;
  scale_ = scale;
  blockHeight_ = blockHeight;
  cardTop_ = cardTop;
  cardHeight_ = cardHeight;
  if (rescaled) ApplyFonts();
  Arrange();
}

void TInfoColumn::resizeEvent(QResizeEvent* /*event*/) {
  Arrange();
}

void TInfoColumn::Arrange() {
  const int border = Scaled(Border, scale_);
  const int header = Scaled(HeaderHeight, scale_);
  const int bottomTop = height() - blockHeight_;
  const int inner = width() - 2 * border;
  InfoLabel->setGeometry(border, border, inner, header);
  const int labelTop = border + header;
  labelPanel_->setGeometry(border, labelTop, inner, std::max(0, bottomTop - labelTop - border));
  buttonPanel_->setGeometry(border, bottomTop, inner, blockHeight_);
  // The buttons start two pixels below the level of the card tops.
  const int buttonTop = cardTop_ + 2;
  const int inset = Scaled(ButtonInset, scale_);
  const int buttonWidth = inner - 2 * inset;
  const int buttonHeight = static_cast<int>(std::lround(cardHeight_ * ButtonHeight));
  const int step = static_cast<int>(std::lround(cardHeight_ * ButtonStep));
  btnHint->setGeometry(inset, buttonTop, buttonWidth, buttonHeight);
  btnDoubleUp->setGeometry(inset, buttonTop + step, buttonWidth, buttonHeight);
  btnDeal->setGeometry(inset, buttonTop + 2 * step, buttonWidth, buttonHeight);

  // The chart in device pixels, so that it stays sharp on a dense screen.
  const QSize chart(std::min(inner, Scaled(MiniChartWidth, scale_)),
                    Scaled(MiniChartHeight, scale_));
  const qreal ratio = devicePixelRatioF();
  miniChart_.Resize(static_cast<int>(std::lround(chart.width() * ratio)),
                    static_cast<int>(std::lround(chart.height() * ratio)));
  QPixmap chartPixmap = QPixmap::fromImage(miniChart_.Image());
  chartPixmap.setDevicePixelRatio(ratio);
  miniChartImage_->setFixedSize(chart);
  miniChartImage_->setPixmap(chartPixmap);
  miniChartImage_->move((labelPanel_->width() - chart.width()) / 2, 0);
  // The mode line and nine rows share the height under the chart.
  const int chartGap = Scaled(5, scale_);
  const int rowHeight = std::clamp((labelPanel_->height() - chart.height() - chartGap) / 10,
                                   Scaled(14, scale_), Scaled(24, scale_));
  const std::array<std::pair<QLabel*, QLabel*>, 9> rows = {{{CreditLabel, lCredit},
                                                            {BalanceLabel, lBalance},
                                                            {AccuracyLabel, lAccuracy},
                                                            {HandsLabel, lHands},
                                                            {TimeLabel, lTime},
                                                            {ValueLabel, lCoinCost},
                                                            {BetLabel, lBet},
                                                            {WinLabel, lWin},
                                                            {CostLabel, lCost}}};
  int y = chart.height() + chartGap;
  const int rowWidth = labelPanel_->width();
  lMode->setGeometry(0, y, rowWidth, rowHeight);
  y += rowHeight;
  const int margin = Scaled(4, scale_);
  for (const auto& [caption, value] : rows) {
    caption->setGeometry(margin, y, rowWidth / 2, rowHeight);
    value->setGeometry(rowWidth / 2 - 5 * margin, y, rowWidth / 2 + 4 * margin, rowHeight);
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
  for (const auto& [caption, value, key] : rows) {
    caption->setText(Text(preferences_, "Main.Labels", key));
    const QString hint = Hint(preferences_, "Main.Labels", key);
    caption->setToolTip(hint);
    value->setToolTip(hint);
  }
  lMode->setToolTip(Hint(preferences_, "Main.Labels", "Mode"));
  ApplyFonts();
}

void TInfoColumn::ApplyFonts() {
  QFont captionFont = font();
  captionFont.setPixelSize(Scaled(QFontInfo(font()).pixelSize(), scale_));
  QFont valueFont = captionFont;
  valueFont.setBold(true);
  for (QLabel* caption : {CreditLabel, BalanceLabel, AccuracyLabel, HandsLabel, TimeLabel,
                          ValueLabel, BetLabel, WinLabel, CostLabel}) {
    caption->setFont(captionFont);
  }
  for (QLabel* value :
       {lCredit, lBalance, lAccuracy, lHands, lTime, lCoinCost, lBet, lWin, lCost, lMode}) {
    value->setFont(valueFont);
  }
  // The buttons' captions follow the buttons' height, which follows the cards.
  QFont buttonFont = font();
  const int buttonHeight = static_cast<int>(std::lround(cardHeight_ * ButtonHeight));
  buttonFont.setPixelSize(
      std::min(Scaled(QFontInfo(font()).pixelSize(), scale_), std::max(8, buttonHeight * 2 / 5)));
  for (TCardButton* button : {btnHint, btnDoubleUp, btnDeal}) button->setFont(buttonFont);
  QFont headerFont = InfoLabel->font();
  headerFont.setPixelSize(Scaled(QFontInfo(font()).pixelSize(), scale_));
  InfoLabel->setFont(headerFont);
}

void TInfoColumn::AddChartPoint(int perfectCredits, int credits) {
  miniChart_.AddPoint(perfectCredits, credits);
  QPixmap chartPixmap = QPixmap::fromImage(miniChart_.Image());
  chartPixmap.setDevicePixelRatio(devicePixelRatioF());
  miniChartImage_->setPixmap(chartPixmap);
}

bool TInfoColumn::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lCoinCost && event->type() == QEvent::MouseButtonPress) {
    emit CoinValueClicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavrik
