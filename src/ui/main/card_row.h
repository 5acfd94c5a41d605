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
// the engine (face, hold mark, wild look, or its back) and plays the dealing sequences:
// steps with the dealing pause between them, driven by a timer.
class TCardRow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int CardImageWidth = 94;
  static constexpr int CardImageHeight = 127;
  static constexpr int BlockHeight = 180;  // the whole row with its header
  static constexpr int HeaderHeight = 22;
  static constexpr int Border = 3;
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
  // The top of the card images in the row's coordinates.
  int CardTop() const;
  // As wide as the row may be: it spreads its cards over the width it gets.
  QSize sizeHint() const override { return {maximumWidth(), BlockHeight}; }

  QLabel* Card(int position) const { return cards_[static_cast<size_t>(position)]; }
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
  // The top of the card images in the cards' panel: centred in its height.
  static int CardsTop();
  void ShowImage(int position);

  const TGameEngine& engine_;
  TPaintEngine& paintEngine_;
  QWidget* cardsPanel_ = nullptr;
  std::array<QLabel*, 5> cards_{};
  QImage scratch_;
  QTimer* pauseTimer_ = nullptr;
  std::vector<TStep> steps_;
  size_t next_ = 0;
  int pause_ = 0;
};

}  // namespace tavrik
