#include "ui/dialogs/warning_window.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include "core/card.h"
#include "ui/cards/card_painter.h"
#include "ui/dialogs/all_hands.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/gradient_label.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

TWarningTexts MakeWarningTexts(double current, double best, int bet, double coinValue,
                               const QString& commentFormat) {
  const double m = current / bet;
  const double b = best / bet;
  TWarningTexts texts;
  texts.MyEV = QString::asprintf("%10.5f%%", 100 * m);
  texts.MyEVDollars = QString::fromStdString(MoneyText(bet * m * coinValue, 5));
  texts.BestEV = QString::asprintf("%10.5f%%", 100 * b);
  texts.BestEVDollars = QString::fromStdString(MoneyText(bet * b * coinValue, 5));
  const QString dollars = FormatTrimmed("%10.5f", (b - m) * bet * coinValue);
  const QString percent = FormatTrimmed("%10.5f", (b - m) * 100);
  texts.Comment = FormatText(commentFormat, {dollars, percent});
  return texts;
}

TfWarning::TfWarning(const TGameEngine& engine, const TPreferences& preferences, QWidget* parent)
    : QDialog(parent) {
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(preferences.SetWindowCaption("Warning")));
  const auto text = [&](const char* key) { return Text(preferences, "Warning", key); };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  lHeader = new TGradientLabel(this);
  lHeader->setFixedHeight(22);
  lHeader->setText(text("Header"));
  StyleHeaderLabel(lHeader, QString::fromStdString(preferences.FontName));
  layout->addWidget(lHeader);

  auto* body = new QGridLayout();
  body->setContentsMargins(12, 6, 24, 0);
  body->setHorizontalSpacing(4);
  QFont bold = font();
  bold.setBold(true);
  lYourChoice = new QLabel(text("YourChoice"), this);
  lYourChoice->setFont(bold);
  lBestWay = new QLabel(text("BestWay"), this);
  lBestWay->setFont(bold);
  body->addWidget(lYourChoice, 0, 0, 1, 5);
  body->addWidget(lBestWay, 2, 0, 1, 5);

  const qreal ratio = devicePixelRatioF();
  TCardPainter painter(TCardPainter::ScaleFor(ratio));
  const QColor background = palette().color(QPalette::Window);
  const QSize cardSize(TCardPainter::CardWidth, TCardPainter::CardHeight);
  for (int i = 0; i < 5; ++i) {
    const TCard card = CardFromIndex(engine.GetCard(i));
    const bool wild = engine.IsWild(card.Rank);
    for (const bool best : {false, true}) {
      QImage image((QSizeF(cardSize) * ratio).toSize(), QImage::Format_RGB32);
      image.setDevicePixelRatio(ratio);
      image.fill(background);
      {
        QPainter canvas(&image);
        const bool replaced = best ? engine.IsBestReplaced(i) : engine.IsReplaced(i);
        painter.DrawSmallCard(canvas, background, !replaced, wild, card.Suit, card.Rank);
      }
      auto* label = new QLabel(this);
      label->setFixedSize(cardSize);
      label->setPixmap(QPixmap::fromImage(image));
      (best ? BestCards : MyCards)[static_cast<size_t>(i)] = label;
      body->addWidget(label, best ? 3 : 1, i, Qt::AlignTop);
    }
  }

  const auto valueColumn = [&](QLabel*& caption, QLabel*& percent, QLabel*& dollars) {
    auto* column = new QVBoxLayout();
    column->setSpacing(5);
    caption = new QLabel(text("ExpectedReturn"), this);
    percent = new QLabel(this);
    dollars = new QLabel(this);
    percent->setAlignment(Qt::AlignRight);
    dollars->setAlignment(Qt::AlignRight);
    column->addWidget(caption);
    column->addWidget(percent);
    column->addWidget(dollars);
    column->addStretch(1);
    return column;
  };
  body->addLayout(valueColumn(lEV1, lMyEV, lMyEVDollars), 1, 5);
  body->addLayout(valueColumn(lEV2, lBestEV, lBestEVDollars), 3, 5);
  body->setColumnMinimumWidth(5, 130);
  layout->addLayout(body);

  const TWarningTexts values =
      MakeWarningTexts(engine.CurrentHoldReturn(), engine.BestHoldReturn(), engine.Bet(),
                       CoinValues[static_cast<size_t>(engine.CoinValueIndex())], text("Comment"));
  lMyEV->setText(values.MyEV);
  lMyEVDollars->setText(values.MyEVDollars);
  lBestEV->setText(values.BestEV);
  lBestEVDollars->setText(values.BestEVDollars);

  lComment = new QLabel(values.Comment, this);
  lComment->setWordWrap(true);
  lComment->setContentsMargins(12, 6, 12, 0);
  layout->addWidget(lComment);
  cbWarnings = new QCheckBox(text("Confirm"), this);
  cbWarnings->setContentsMargins(12, 0, 0, 0);
  auto* checkRow = new QHBoxLayout();
  checkRow->setContentsMargins(12, 0, 12, 0);
  checkRow->addWidget(cbWarnings);
  layout->addLayout(checkRow);

  auto* buttons = new QHBoxLayout();
  buttons->setContentsMargins(12, 6, 12, 0);
  btnAllHands = new QPushButton(Text(preferences, "AllHands", "WindowName"), this);
  btnBack = new QPushButton(Text(preferences, "Main.Buttons", "Back"), this);
  btnCancel = new QPushButton(Text(preferences, "Main.Buttons", "Cancel"), this);
  btnApply = new QPushButton(Text(preferences, "Main.Buttons", "Apply"), this);
  btnApply->setDefault(true);
  buttons->addWidget(btnAllHands);
  buttons->addStretch(1);
  buttons->addWidget(btnBack);
  buttons->addWidget(btnCancel);
  buttons->addWidget(btnApply);
  layout->addLayout(buttons);
  connect(btnApply, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnBack, &QPushButton::clicked, this, [this] { done(BackResult); });
  connect(btnAllHands, &QPushButton::clicked, this,
          [this, &engine, &preferences] { ShowAllHands(engine, preferences, this); });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this, &preferences] { ShowHelpTopic(HelpWarning, preferences, this); });
  setFixedSize(sizeHint());
  // Space would tick "don't show" or press whatever has the focus: the window eats it.
  for (QWidget* widget : findChildren<QWidget*>()) widget->installEventFilter(this);
  installEventFilter(this);
  btnApply->setFocus();
}

bool TfWarning::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) return true;
  }
  return QDialog::eventFilter(watched, event);
}

TWarningOutcome TfWarning::Outcome() const {
  TWarningOutcome outcome;
  outcome.ApplyBest = result() == QDialog::Accepted;
  outcome.Back = result() == BackResult;
  outcome.StopWarnings = cbWarnings->isChecked();
  return outcome;
}

TWarningOutcome RunWarning(const TGameEngine& engine, const TPreferences& preferences,
                           QWidget* parent) {
  TfWarning window(engine, preferences, parent);
  window.exec();
  return window.Outcome();
}

}  // namespace tavrik
