#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "game/game_engine.h"
#include "ui/cards/paint_engine.h"

class QLabel;
class QTimer;

namespace tavrik {

class TGradientLabel;

// The card row: the status header over the five cards of the table. It paints a card from
// the engine (face, hold mark, wild look, or its back) from the art nearest the size the
// window gives the cards in device pixels (the deck's own, or a twin at a higher
// resolution), shows it smoothly scaled to that size, so that large windows and screens
// with two device pixels per point get crisp cards, and plays the dealing sequences: steps
// with the dealing pause between them, driven by a timer.
class TCardRow : public QWidget {
  Q_OBJECT

 public:
  // The frame of the card picked in double-up.
  static constexpr int PickFrameWidth = 4;
  static constexpr QColor PickFrameColor{255, 200, 0};

  TCardRow(const TGameEngine& engine, TPaintEngine& paintEngine, QWidget* parent);

  // Whether a sequence is waiting for its next step (input is ignored meanwhile).
  bool IsRunning() const { return next_ < steps_.size(); }
  // Runs the rest of the sequence at once.
  void Finish();

  // The dealing sequences; each runs `done` at its end, `pause` milliseconds between cards.
  // Turns the cards of `positions` (bit i: position i) down, then up, one by one; the other
  // cards show their current hold at once.
  void TurnCards(int positions, int pause, const std::function<void()>& done);
  // Double-up: all five cards down, then the dealer's card up.
  void DealDoubleUp(int pause, const std::function<void()>& done);
  // The picked double-up card up, then the other three.
  void RevealPick(int position, int pause, const std::function<void()>& done);

  // Paints the card at position 0..4 as the engine shows it, or its back.
  void PaintCard(int position);
  void ShowBack(int position);
  void PaintAllCards();
  // The status text over the cards, drawn at once.
  void SetStatus(const QString& text);
  // The size of the header and the cards, in pixels; the cards are shown again at the
  // new size.
  void SetMetrics(int headerHeight, int border, QSize cardSize);
  // The height the row needs for its metrics: the header over the cards, with a tenth of
  // the card height above and below them.
  int BlockHeight() const;
  // The top of the card images in the row's coordinates.
  int CardTop() const;
  QSize CardSize() const { return cardSize_; }

  QLabel* Card(int position) const { return cards_[static_cast<size_t>(position)]; }
  // The card at position 0..4 as painted at the size of the art it comes from, before
  // scaling.
  const QImage& Face(int position) const { return faces_[static_cast<size_t>(position)]; }
  TGradientLabel* lInfoLabel = nullptr;

 signals:
  // The card at position 0..4 was clicked.
  void CardClicked(int position);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One step of a sequence; after it comes the dealing pause when PauseAfter is set.
  struct TStep {
    std::function<void()> Action;
    bool PauseAfter = false;
  };
  // Runs `steps` in order with `pause` milliseconds after each step that asks for it. With
  // no pause the whole sequence runs at once; otherwise it returns after the first pause.
  void Play(std::vector<TStep> steps, int pause);
  void RunSteps();
  // The gap above the cards in the cards' panel.
  int CardsTop() const;
  // What a position shows, kept so that a new size paints it again as it was.
  struct TShown {
    bool Back = true;
    bool Held = false;
    bool Wild = false;
    bool Picked = false;
    int Suit = 0;
    int Rank = 0;
  };
  // Paints shown_[position] for the card size and shows it.
  void Render(int position);
  // The card size in device pixels.
  QSize TargetPixels() const;

  const TGameEngine& engine_;
  TPaintEngine& paintEngine_;
  QWidget* cardsPanel_ = nullptr;
  std::array<QLabel*, 5> cards_{};
  std::array<QImage, 5> faces_{};
  std::array<TShown, 5> shown_{};
  int headerHeight_ = 22;
  int border_ = 3;
  QSize cardSize_{94, 127};
  qreal shownRatio_ = 1.0;
  QTimer* pauseTimer_ = nullptr;
  std::vector<TStep> steps_;
  size_t next_ = 0;
  int pause_ = 0;
};

}  // namespace tavrik
