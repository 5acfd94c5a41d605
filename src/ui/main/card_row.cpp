#include "ui/main/card_row.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/card.h"
#include "ui/widgets/error_handler.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

// The face leaves the corners outside its rounded edge in one colour (its top-left pixel);
// there the table shows through.
void ShowTableInCorners(QImage& card, QRgb table) {
  const QRgb corner = card.pixel(0, 0);
  const int reach = card.width() / 8;  // beyond the rounding of any face
  const int right = card.width() - 1;
  const int bottom = card.height() - 1;
  for (const auto& [x0, y0, dx, dy] :
       {std::array{0, 0, 1, 1}, std::array{right, 0, -1, 1}, std::array{0, bottom, 1, -1},
        std::array{right, bottom, -1, -1}}) {
    // Each row of a rounded corner is a run of the corner colour from the card's edge.
    for (int row = 0; row < reach; ++row) {
      for (int column = 0; column < reach; ++column) {
        const QPoint at(x0 + dx * column, y0 + dy * row);
        if (card.pixel(at) != corner) break;
        card.setPixel(at, table);
      }
    }
  }
}

}  // namespace

TCardRow::TCardRow(const TGameEngine& engine, TPaintEngine& paintEngine, QWidget* parent)
    : QWidget(parent), engine_(engine), paintEngine_(paintEngine) {
  lInfoLabel = new TGradientLabel(this);
  cardsPanel_ = new QWidget(this);
  for (QLabel*& card : cards_) {
    card = new QLabel(cardsPanel_);
    card->setFixedSize(cardSize_);
    card->installEventFilter(this);
  }
  pauseTimer_ = new QTimer(this);
  pauseTimer_->setSingleShot(true);
  connect(pauseTimer_, &QTimer::timeout, this, [this] { RunSteps(); });
}

void TCardRow::Play(std::vector<TStep> steps, int pause) {
  Finish();  // a sequence still running ends first
  steps_ = std::move(steps);
  next_ = 0;
  pause_ = pause;
  RunSteps();
}

void TCardRow::Finish() {
  pauseTimer_->stop();
  pause_ = 0;
  RunSteps();
}

void TCardRow::RunSteps() {
  while (next_ < steps_.size()) {
    const TStep& step = steps_[next_++];
    const bool pause = step.PauseAfter && pause_ > 0;
    Guarded(step.Action);
    if (pause && next_ < steps_.size()) {
      pauseTimer_->start(pause_);
      return;
    }
  }
  steps_.clear();
  next_ = 0;
}

int TCardRow::CardsTop() const {
  return static_cast<int>(std::lround(cardSize_.height() * 0.1));
}

int TCardRow::BlockHeight() const {
  return headerHeight_ + 2 * border_ + cardSize_.height() + 2 * CardsTop();
}

void TCardRow::SetMetrics(int headerHeight, int border, QSize cardSize) {
  // A new size, or a screen with another pixel density, shows the cards again.
  const bool resized = cardSize != cardSize_ || devicePixelRatioF() != shownRatio_;
  shownRatio_ = devicePixelRatioF();
  headerHeight_ = headerHeight;
  border_ = border;
  cardSize_ = cardSize;
  for (QLabel* card : cards_) card->setFixedSize(cardSize_);
  if (resized) {
    for (int position = 0; position < 5; ++position) {
      if (!faces_[static_cast<size_t>(position)].isNull()) Render(position);
    }
  }
  resizeEvent(nullptr);
}

void TCardRow::TurnCards(int positions, int pause, const std::function<void()>& done) {
  std::vector<TStep> steps;
  for (int position = 0; position < 5; ++position) {
    if (((positions >> position) & 1) != 0) {
      steps.push_back({[this, position] { ShowBack(position); }, true});
    } else {
      PaintCard(position);
    }
  }
  for (int position = 0; position < 5; ++position) {
    if (((positions >> position) & 1) != 0) {
      steps.push_back({[this, position] { PaintCard(position); }, position < 4});
    }
  }
  steps.push_back({done, false});
  Play(std::move(steps), pause);
}

void TCardRow::DealDoubleUp(int pause, const std::function<void()>& done) {
  std::vector<TStep> steps;
  steps.reserve(6);
  for (int position = 0; position < 5; ++position) {
    steps.push_back({[this, position] { ShowBack(position); }, true});
  }
  steps.push_back({[this, done] {
                     PaintCard(0);
                     done();
                   },
                   false});
  Play(std::move(steps), pause);
}

void TCardRow::RevealPick(int position, int pause, const std::function<void()>& done) {
  std::vector<TStep> steps = {{[this, position] { PaintCard(position); }, true}};
  for (int other = 1; other < 5; ++other) {
    if (other != position) steps.push_back({[this, other] { PaintCard(other); }, true});
  }
  steps.push_back({done, false});
  Play(std::move(steps), pause);
}

QSize TCardRow::TargetPixels() const {
  return (QSizeF(cardSize_) * cards_[0]->devicePixelRatioF()).toSize();
}

void TCardRow::PaintCard(int position) {
  if (!engine_.IsFaceUp(position)) {
    ShowBack(position);
    return;
  }
  const TCard face = CardFromIndex(engine_.GetCard(position));
  shown_[static_cast<size_t>(position)] = {
      .Back = false,
      .Held = !engine_.IsReplaced(position),
      .Wild = engine_.IsWild(face.Rank),
      .Picked = engine_.State() == GameState::Finished && engine_.DoublePick() == position,
      .Suit = face.Suit,
      .Rank = face.Rank};
  Render(position);
}

void TCardRow::ShowBack(int position) {
  shown_[static_cast<size_t>(position)].Back = true;
  Render(position);
}

void TCardRow::Render(int position) {
  const TShown& shown = shown_[static_cast<size_t>(position)];
  const QSize target = TargetPixels();
  TPaintEngine& cards = paintEngine_.ForPixels(target);
  QImage& scratch = faces_[static_cast<size_t>(position)];
  scratch = QImage(cards.CardWidth(), cards.CardHeight(), QImage::Format_RGB32);
  {
    QPainter painter(&scratch);
    if (shown.Back) {
      cards.DrawBack(painter, scratch.rect());
    } else {
      cards.DrawCard(painter, scratch.rect(), shown.Held, shown.Wild, shown.Suit, shown.Rank);
    }
  }
  ShowTableInCorners(scratch, cardsPanel_->palette().color(QPalette::Window).rgb());
  if (!shown.Back && shown.Picked) {
    // The card the player picked in double-up wears a frame.
    QPainter painter(&scratch);
    const int width = PickFrameWidth * cards.Scale();
    painter.setPen(QPen(PickFrameColor, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const int inset = width / 2;
    painter.drawRect(scratch.rect().adjusted(inset, inset, -inset - 1, -inset - 1));
  }
  QLabel* card = cards_[static_cast<size_t>(position)];
  card->setPixmap(DevicePixmap(scratch, target, card->devicePixelRatioF()));
}

void TCardRow::PaintAllCards() {
  for (int position = 0; position < 5; ++position) PaintCard(position);
}

void TCardRow::SetStatus(const QString& text) {
  lInfoLabel->setText(text);
  lInfoLabel->repaint();
}

int TCardRow::CardTop() const {
  return border_ + headerHeight_ + CardsTop();
}

void TCardRow::resizeEvent(QResizeEvent* /*event*/) {
  const int inner = width() - 2 * border_;
  lInfoLabel->setGeometry(border_, border_, inner, headerHeight_);
  cardsPanel_->setGeometry(border_, border_ + headerHeight_, inner,
                           std::max(0, height() - headerHeight_ - 2 * border_));
  // The cards spread evenly over the width, at most an eighth of a card apart, and centred.
  const int cardWidth = cardSize_.width();
  const double gap =
      std::clamp((inner - 5.0 * cardWidth) / 4.0, 0.0, static_cast<double>(cardWidth) / 8.0);
  const double left = (inner - 5.0 * cardWidth - 4.0 * gap) / 2.0;
  const int top = CardsTop();
  for (size_t i = 0; i < cards_.size(); ++i) {
    const double x = left + (cardWidth + gap) * static_cast<double>(i);
    cards_[i]->move(static_cast<int>(std::lround(x)), top);
  }
}

bool TCardRow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (size_t i = 0; i < cards_.size(); ++i) {
      if (watched == cards_[i]) {
        emit CardClicked(static_cast<int>(i));
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavrik
