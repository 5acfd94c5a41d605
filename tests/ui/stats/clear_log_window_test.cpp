// The clear-by-filter window, opened from the menu over a log with hands of earlier runs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ui/dialogs/help_window.h"
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
  // Opens the window from the menu; `choose` sets it up and closes it.
  void ClearByFilter(const std::function<void(TfClearLog*)>& choose) {
    auto answered = AnswerNextDialog<TfClearLog>(choose);
    window->miClearByFilter->trigger();
    EXPECT_TRUE(answered->Answered);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is restored";
  }
};

TEST_F(ClearLogWindowTest, OkDeletesTheChosenRecordsAndCancelNone) {
  for (int hand = 0; hand < 2; ++hand) {
    window->btnDealClick();
    window->btnDealClick();
  }
  Engine().Collect();
  const TLogger& logger = Engine().Logger();
  ASSERT_EQ(logger.RecordCount(), 5u);

  // ALL POKERS, all modes, THIS SESSION: the hands of earlier runs, unless cancelled.
  for (const auto& [ok, left] : {std::pair{false, 5u}, std::pair{true, 2u}}) {
    ClearByFilter([ok = ok](TfClearLog* clear) {
      EXPECT_EQ(clear->windowTitle(), "  Clear by filter");
      EXPECT_EQ(clear->Options->lHeader->text(), "DELETE RECORDS");
      EXPECT_EQ(clear->Options->lDate->text(), "Older than");
      EXPECT_EQ(clear->btnOK->text(), "OK");
      EXPECT_EQ(clear->btnCancel->text(), "Cancel");
      TOptionsPanel& panel = *clear->Options;
      panel.cbGame->setFocus();
      QTest::keyClick(panel.cbGame, Qt::Key_Home);
      for (QCheckBox* mode : panel.cbModes) mode->setChecked(true);
      EXPECT_EQ(panel.cbDate->currentText(), " THIS SESSION");
      (ok ? clear->btnOK : clear->btnCancel)->click();
    });
    ASSERT_EQ(logger.RecordCount(), left) << ok;
  }
  for (size_t i = 0; i < 2; ++i) EXPECT_GE(logger.Record(i).DealTime, logger.SessionStart);
  EXPECT_TRUE(std::filesystem::exists(HelpPage(HelpClearStatistics, TAVRIK_HELP_SOURCE_DIR)));
  EXPECT_TRUE(Errors.empty()) << Errors.front();
}

}  // namespace
}  // namespace tavrik::test
