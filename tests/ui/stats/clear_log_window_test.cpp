// The clear-by-filter window, opened from the menu over a log with hands of earlier runs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ui/stats/clear_log_window.h"
#include "ui/stats/options_panel.h"
#include "ui/ui_test_support.h"

namespace tavrik::test {
namespace {

class ClearLogWindowTest : public MainWindowTest {
 protected:
  // Three hands of earlier runs, in modes 0, 1, 2 of two games, lie in the log at start.
  void SetUp() override {
    {
      TLogger log;  // of the test's data folder
      for (int mode = 0; mode < 3; ++mode) {
        log.Append({.GameType = static_cast<uint8_t>(mode == 1 ? 3 : 6),
                    .Mode = static_cast<uint8_t>(mode),
                    .DealTime = 45000.5 + mode});
      }
    }
    MainWindowTest::SetUp();
  }
};

TEST_F(ClearLogWindowTest, OkDeletesTheChosenRecordsAndCancelNone) {
  PlayHands(GameMode::Training, 2);
  const TLogger& logger = Engine().Logger();
  ASSERT_EQ(logger.RecordCount(), 5u);

  // ALL POKERS, all modes, THIS SESSION: the hands of earlier runs, unless cancelled.
  for (const auto& [ok, left] : {std::pair{false, 5u}, std::pair{true, 2u}}) {
    Answer<TfClearLog>(window->Menus.miClearByFilter, [ok = ok](TfClearLog* clear) {
      EXPECT_EQ(clear->Options->lHeader->text(), "DELETE RECORDS");  // the panel relabelled
      EXPECT_EQ(clear->Options->lDate->text(), "Older than");
      TOptionsPanel& panel = *clear->Options;
      panel.cbGame->setFocus();
      QTest::keyClick(panel.cbGame, Qt::Key_Home);
      for (QCheckBox* mode : panel.cbModes) mode->setChecked(true);
      EXPECT_EQ(panel.cbDate->currentText(), " THIS SESSION");
      (ok ? clear->btnOK : clear->btnCancel)->click();
    });
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is restored";
    ASSERT_EQ(logger.RecordCount(), left) << ok;
  }
  for (size_t i = 0; i < 2; ++i) EXPECT_GE(logger.Record(i).DealTime, logger.SessionStart);
}

}  // namespace
}  // namespace tavrik::test
