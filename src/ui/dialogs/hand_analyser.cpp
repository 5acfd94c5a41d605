#include "ui/dialogs/hand_analyser.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <algorithm>

#include "core/game_list.h"
#include "core/hand_parser.h"
#include "core/poker_description.h"
#include "core/wild_engine.h"
#include "ui/dialogs/all_hands.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

namespace {

constexpr std::array<const char*, NumRanks> RankTexts = {"2", "3",  "4", "5", "6", "7", "8",
                                                         "9", "10", "J", "Q", "K", "A"};
constexpr std::array<char16_t, NumSuits> SuitSigns = {u'\u2660', u'\u2663', u'\u2666', u'\u2665'};

// A paytable as its pays for one coin, top category first ("250/50/25/9/6/4/3/2/1").
QString PaysText(const TPaytable& table) {
  QStringList pays;
  for (const int32_t pay : table[0]) {
    if (pay >= 0) pays << QString::number(pay);
  }
  return pays.join('/');
}

// The kept cards of a hold, `nothing` when all five are replaced.
QString KeptText(const std::array<int, 5>& cards, int mask, const QString& nothing) {
  std::vector<int> kept;
  for (int i = 0; i < 5; ++i) {
    if (((mask >> i) & 1) == 0) kept.push_back(cards[static_cast<size_t>(i)]);
  }
  return kept.empty() ? nothing : QString::fromStdString(HandWords(kept));
}

}  // namespace

TPickerCard::TPickerCard(int index, QWidget* parent) : QAbstractButton(parent), index_(index) {
  setFixedSize(CardSize);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
  const TCard card = CardFromIndex(index);
  setToolTip(QString::fromStdString(CardText(card)));
}

void TPickerCard::SetSelected(bool selected) {
  if (selected == selected_) return;
  selected_ = selected;
  update();
}

void TPickerCard::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  painter.setPen(
      QPen(selected_ ? QColor(0x20, 0x60, 0xD0) : QColor(0x90, 0x90, 0x90), selected_ ? 2.5 : 1.0));
  painter.setBrush(selected_ ? QColor(0xFF, 0xF0, 0xA0) : QColor(Qt::white));
  painter.drawRoundedRect(face, 3, 3);

  const TCard card = CardFromIndex(index_);
  QColor colour = Qt::black;
  QString rank = "JK";
  QString suit = QChar(u'\u2605');  // a star for the joker
  if (card.Rank >= 0) {
    rank = QString::fromLatin1(RankTexts[static_cast<size_t>(card.Rank)]);
    suit = QChar(SuitSigns[static_cast<size_t>(card.Suit)]);
    if (card.Suit >= 2) colour = QColor(0xC0, 0x10, 0x18);
  } else {
    colour = QColor(0x70, 0x20, 0x90);
  }
  painter.setPen(colour);
  QFont rankFont = font();
  rankFont.setPixelSize(12);
  rankFont.setBold(true);
  painter.setFont(rankFont);
  const int half = height() / 2;
  painter.drawText(QRect(0, 3, width(), half - 2), Qt::AlignHCenter | Qt::AlignBottom, rank);
  QFont suitFont = rankFont;
  suitFont.setPixelSize(15);
  painter.setFont(suitFont);
  painter.drawText(QRect(0, half, width(), half - 3), Qt::AlignHCenter | Qt::AlignTop, suit);
}

TCardPicker::TCardPicker(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(3);
  grid->setVerticalSpacing(3);
  for (int index = 0; index <= MaxCardIndex; ++index) {
    auto* card = new TPickerCard(index, this);
    cards_[static_cast<size_t>(index)] = card;
    if (index < FirstJokerIndex) {
      grid->addWidget(card, index / NumRanks, index % NumRanks);
    } else {
      // After a small gap, beside the spades and the clubs.
      grid->addWidget(card, index - FirstJokerIndex, NumRanks + 1);
    }
    connect(card, &QAbstractButton::clicked, this, [this, index] { emit CardClicked(index); });
  }
  grid->setColumnMinimumWidth(NumRanks, 6);
  grid->setColumnStretch(NumRanks + 2, 1);
  SetJokerCount(0);
}

void TCardPicker::SetJokerCount(int count) {
  for (int joker = 0; joker < 2; ++joker) Card(FirstJokerIndex + joker)->setVisible(joker < count);
}

void TCardPicker::SetSelected(const std::vector<int>& cards) {
  for (int index = 0; index <= MaxCardIndex; ++index) {
    Card(index)->SetSelected(std::find(cards.begin(), cards.end(), index) != cards.end());
  }
}

TfHandAnalyser::TfHandAnalyser(const TGameEngine& game, const TPreferences& preferences,
                               QWidget* parent)
    : QDialog(parent), preferences_(preferences) {
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(preferences.SetWindowCaption("Analyser")));
  const auto text = [&preferences](const char* key) { return Text(preferences, "Analyser", key); };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  auto* choices = new QHBoxLayout();
  cbGame = new QComboBox(this);
  for (const TGameName& name : GameNames()) {
    cbGame->addItem(QString::fromStdString(name.Name), name.GameIndex);
  }
  cbPaytable = new QComboBox(this);
  cbPaytable->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  seBet = new QSpinBox(this);
  seBet->setRange(1, MaxCoins);
  for (const auto& [key, widget] : {std::pair<const char*, QWidget*>{"Game", cbGame},
                                    {"Paytable", cbPaytable},
                                    {"Bet", seBet}}) {
    auto* label = new QLabel(text(key), this);
    label->setBuddy(widget);
    choices->addWidget(label);
    choices->addWidget(widget);
    choices->addSpacing(8);
  }
  choices->addStretch(1);
  layout->addLayout(choices);

  auto* cardsRow = new QHBoxLayout();
  auto* cardsLabel = new QLabel(text("Cards"), this);
  edCards = new QLineEdit(this);
  edCards->setPlaceholderText("AS KS QS JS 10D");
  cardsLabel->setBuddy(edCards);
  cardsRow->addWidget(cardsLabel);
  cardsRow->addWidget(edCards, 1);
  layout->addLayout(cardsRow);
  lMessage = new QLabel(this);
  lMessage->setStyleSheet("color: #b00000");
  lMessage->setMinimumHeight(lMessage->fontMetrics().height());
  layout->addWidget(lMessage);

  Picker = new TCardPicker(this);
  layout->addWidget(Picker, 0, Qt::AlignHCenter);
  lBest = new QLabel(this);
  layout->addWidget(lBest);
  Table = new TAllHandsTable(preferences, this);
  layout->addWidget(Table, 1);
  btnClose = new QPushButton(Text(preferences, "Main.Buttons", "OK"), this);
  btnClose->setAutoDefault(false);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
  Table->Bottom->addWidget(btnClose);

  // The window starts on the game being played.
  cbGame->setCurrentIndex(cbGame->findData(game.GameType()));
  seBet->setValue(game.Bet());
  GameChanged(game.PayIndex());
  if (game.State() == GameState::Dealt) {
    std::vector<int> cards(5);
    for (int i = 0; i < 5; ++i) cards[static_cast<size_t>(i)] = game.GetCard(i);
    edCards->setText(QString::fromStdString(HandWords(cards)));
  }
  Analyse();

  connect(cbGame, &QComboBox::currentIndexChanged, this, [this] { GameChanged(0); });
  connect(cbPaytable, &QComboBox::currentIndexChanged, this, [this] { Analyse(); });
  connect(seBet, &QSpinBox::valueChanged, this, [this] { Analyse(); });
  connect(edCards, &QLineEdit::textChanged, this, [this] { Analyse(); });
  connect(Picker, &TCardPicker::CardClicked, this, [this](int index) { PickCard(index); });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this] { ShowHelpTopic(HelpAnalyser, preferences_, this); });
  edCards->setFocus();
  adjustSize();
}

int TfHandAnalyser::GameType() const {
  return cbGame->currentData().toInt();
}

int TfHandAnalyser::PayIndex() const {
  return std::max(0, cbPaytable->currentIndex());
}

int TfHandAnalyser::Bet() const {
  return seBet->value();
}

void TfHandAnalyser::GameChanged(int payIndex) {
  const int game = GameType();
  const QSignalBlocker block(cbPaytable);
  cbPaytable->clear();
  for (int index = 0; index < catalogue_.PaytableCount(game); ++index) {
    cbPaytable->addItem(
        QString("%1:  %2").arg(index + 1).arg(PaysText(catalogue_.GetPaytable(game, index))));
  }
  cbPaytable->setCurrentIndex(std::clamp(payIndex, 0, cbPaytable->count() - 1));
  jokerCount_ = CreateDescription(game)->JokerCount;
  Picker->SetJokerCount(jokerCount_);
  Analyse();
}

void TfHandAnalyser::PickCard(int index) {
  std::vector<int> cards = Picked;
  const auto found = std::find(cards.begin(), cards.end(), index);
  if (found != cards.end()) {
    cards.erase(found);
  } else if (cards.size() < 5) {
    cards.push_back(index);
  } else {
    return;
  }
  edCards->setText(QString::fromStdString(HandWords(cards)));
}

void TfHandAnalyser::Analyse() {
  const QString typed = edCards->text();
  const THandText hand = ParseHandText(typed.toStdString(), jokerCount_);
  Picked = hand.Cards;
  Picker->SetSelected(Picked);
  const int game = GameType();
  if (hand.Error != HandTextError::None) {
    const char* keys[] = {"", "NotACard", "Twice", "FiveCards"};
    lMessage->setText(
        typed.trimmed().isEmpty()
            ? QString()
            : FormatText(Text(preferences_, "Analyser", keys[static_cast<size_t>(hand.Error)]),
                         {QString::fromStdString(hand.Word)}));
    // The last analysis stays while only the cards changed; under another game, paytable
    // or bet it would mislead: the table then names the game's categories alone.
    if (Table->Rows.empty() || shown_ != TChoice{game, PayIndex(), Bet()}) {
      Table->Clear(*CreateEngineForGame(game));
      lBest->clear();
    }
    return;
  }
  lMessage->clear();
  TPayout payout;
  std::array<int, 5> cards{};
  std::copy(hand.Cards.begin(), hand.Cards.end(), cards.begin());
  const std::unique_ptr<TPokerEngine> engine =
      AnalyseHand(game, catalogue_.GetPaytable(game, PayIndex()), Bet(), cards, payout);
  int best = 0;  // the highest return; a tie keeps the lower mask, as the game's hint does
  for (int mask = 1; mask < HoldMaskCount; ++mask) {
    if (engine->DrawReturn(mask) > engine->DrawReturn(best)) best = mask;
  }
  Table->Fill(*engine, Bet(), cards, best, best);
  shown_ = {game, PayIndex(), Bet()};
  lBest->setText(
      FormatText(Text(preferences_, "Analyser", "BestHold"),
                 {KeptText(cards, best, Text(preferences_, "Analyser", "KeepNothing")),
                  FormatTrimmed("%10.5f", static_cast<double>(engine->DrawReturn(best) / Bet()))}));
}

void TfHandAnalyser::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!isVisible() || screen() == nullptr) return;
  const QRect area = screen()->availableGeometry();
  const QRect frame = frameGeometry();
  const int dx = std::min(0, area.right() - frame.right());
  const int dy = std::min(0, area.bottom() - frame.bottom());
  if (dx != 0 || dy != 0) {
    move(std::max(area.left(), frame.left() + dx), std::max(area.top(), frame.top() + dy));
  }
}

void ShowHandAnalyser(const TGameEngine& game, const TPreferences& preferences, QWidget* parent) {
  TfHandAnalyser window(game, preferences, parent);
  window.exec();
}

}  // namespace tavrik
