#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/random.h"
#include "game/preferences.h"
#include "support/temp_folder.h"
#include "ui/main/main_window.h"
#include "ui/widgets/error_handler.h"

namespace tavrik::test {

// A pending answer to a dialog; it stops waiting when destroyed.
struct TDialogAnswer {
  bool Answered = false;
  QTimer Poll;
};

// Answers the next modal dialog of type D that opens: `answer` runs on it while it is
// shown (it must close it).
template <class D>
std::unique_ptr<TDialogAnswer> AnswerNextDialog(std::function<void(D*)> answer) {
  auto pending = std::make_unique<TDialogAnswer>();
  TDialogAnswer* state = pending.get();
  QObject::connect(&state->Poll, &QTimer::timeout, [state, answer] {
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
      state->Poll.stop();
      state->Answered = true;
      answer(dialog);
    }
  });
  pending->Poll.start(5);
  return pending;
}

// Runs `open`, which must open a modal dialog of type D, and answers it with `answer`.
template <class D>
void Answer(const std::function<void()>& open, std::function<void(D*)> answer) {
  auto pending = AnswerNextDialog<D>(std::move(answer));
  open();
  EXPECT_TRUE(pending->Answered);
}
template <class D>
void Answer(QAction* action, std::function<void(D*)> answer) {
  Answer<D>([action] { action->trigger(); }, std::move(answer));
}

// Accepts every message box that opens while it lives and keeps its text.
struct TMessageBoxes {
  QStringList Shown;
  QTimer Poll;
  TMessageBoxes() {
    QObject::connect(&Poll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          box != nullptr && box->isVisible()) {
        Shown << box->text();
        box->accept();
      }
    });
    Poll.start(5);
  }
};

// A main window over a fresh data folder: no dealing pause, no warnings, deck chosen,
// a seeded generator, and errors recorded instead of reported (a test ends with none left).
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ =
        SetErrorHandler([this](const std::exception& error) { Errors.push_back(error.what()); });
    preferences = std::make_unique<TPreferences>();
    preferences->SetDealSpeed(0);
    preferences->Settings.WriteString("Cards", "Deck", "001");
    preferences->Settings.WriteBool("Params", "ShowWarnings", false);
    window = std::make_unique<TfTavrik20Main>(*preferences, TAVRIK_TEST_DATA_DIR);
    window->show();
    QApplication::processEvents();
    TRandom::Global().SetSeed(20240607);
  }
  void TearDown() override {
    window.reset();
    preferences.reset();
    EXPECT_TRUE(Errors.empty()) << Errors.front();
    SetErrorHandler(std::move(previous_));
  }

  TGameEngine& Engine() { return window->Engine(); }
  // Presses the keys on the window in turn.
  void Press(std::initializer_list<Qt::Key> keys) {
    for (const Qt::Key key : keys) QTest::keyClick(window.get(), key);
  }
  // Loads the engine's own settings again with `change` applied: counters play cannot set.
  void Reload(const std::function<void(TIniFile&)>& change) {
    TIniFile settings;
    Engine().SaveToIni(settings);
    change(settings);
    Engine().LoadFromIni(settings);
    TRandom::Global().SetSeed(20240607);
    window->RefreshInfo();
  }
  // Plays `hands` rounds in `mode` with the best hold, which `change` may alter before the
  // draw, and collects the last: every round is in the log.
  void PlayHands(GameMode mode, int hands, const std::function<void(int)>& change = {}) {
    window->SelectMode(mode);
    for (int hand = 0; hand < hands; ++hand) {
      window->btnDealClick();
      window->btnHintClick();
      if (change) change(hand);
      window->btnDealClick();
    }
    Engine().Collect();
  }
  // Deals and draws with the best hold until a hand wins; false when none did.
  bool PlayUntilWin() {
    for (int hand = 0; hand < 300; ++hand) {
      window->btnDealClick();
      window->btnHintClick();
      window->btnDealClick();
      if (Engine().Win() > 0) return true;
    }
    return false;
  }

  TempFolder folder;
  std::unique_ptr<TPreferences> preferences;
  std::unique_ptr<TfTavrik20Main> window;
  std::vector<std::string> Errors;

 private:
  TErrorHandler previous_;
};

}  // namespace tavrik::test
