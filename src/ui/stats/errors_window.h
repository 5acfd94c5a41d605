#pragma once

#include <QDialog>
#include <memory>

#include "game/preferences.h"
#include "records/error_list.h"
#include "records/filter_follower.h"
#include "ui/stats/log_window.h"

class QAction;
class QLabel;
class QPushButton;
class QTableView;

namespace tavrik {

class TCardPainter;
class TErrorsModel;
class TLogger;
class TOptionsPanel;

// The errors window: the graded errors of the hand log that the shared log filter selects,
// each with its dealt cards and the player's and the perfect returns, beside the options
// panel (game, date, modes, grades, variants). A filter or grade change rebuilds the list,
// a variant change only repaints the cards. A header click sorts by that column; double
// click or Enter on a row opens the all-hands table of that hand; Ctrl+C copies the row.
// Modal.
class TfErrors : public TLogWindow {
  Q_OBJECT

 public:
  static constexpr int CardGap = 2;          // pixels between the small cards of a hand
  static constexpr int TitleRowHeight = 18;  // the grid's column titles

  // Localises the window, follows the logger's filter and lists its errors in log order.
  // `logger` and `preferences` must outlive the window; no record may be added while it
  // lives.
  TfErrors(TLogger& logger, const TPreferences& preferences, QWidget* parent = nullptr);
  ~TfErrors() override;

  // The list again from the log with the current filter and grades.
  void Rebuild();
  // A click on the header of grid column `column` (0..3): sorts by it, or flips the
  // direction when it is the sort column; the selected error stays selected.
  void GridHeaderClick(int column);
  // Opens the all-hands table of the error in row `row`.
  void ShowHand(int row);
  // Puts the current row's text on the clipboard (nothing without a current row).
  void CopyRow();

  const TErrorList& List() const { return list_; }
  const TErrorsModel& Model() const { return *model_; }
  // The painter of the hand cells (shared by every row).
  TCardPainter& CardPainter() { return *cardPainter_; }

  TOptionsPanel* Options = nullptr;
  QLabel* lErrorsHeader = nullptr;
  QTableView* Grid = nullptr;
  QAction* actCopy = nullptr;

 protected:
  // Enter on the grid opens the current row's hand; the hand column keeps its width and
  // the return columns share the rest when the grid's viewport changes size.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The panel changed a grade (rebuild) or a variant (repaint).
  void OptionsChanged();
  void SizeColumns();
  void ShowSortIndicator();

  TErrorList list_;
  std::unique_ptr<TCardPainter> cardPainter_;
  TErrorsModel* model_ = nullptr;
  int grades_ = AllGrades;
  TFilterFollower follower_{[this] { Rebuild(); }};
};

// Runs the errors window modally over the logger's filter.
void ShowErrorsWindow(TLogger& logger, const TPreferences& preferences, QWidget* parent);

}  // namespace tavrik
