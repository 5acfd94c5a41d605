#pragma once

#include <QString>
#include <QWidget>
#include <array>

#include "game/preferences.h"
#include "records/log_filter.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace tavrik {

class TLogger;

// The option groups of the panel, or-ed into its mask; they stand top to bottom in this
// order. The statistics and clear-by-filter windows use 7, the charts 15, the errors 55.
enum TPanelOption : int {
  OptionGame = 1,      // the game of the log filter
  OptionDate = 2,      // the first day of the log filter
  OptionModes = 4,     // the play modes of the log filter
  OptionUnits = 8,     // dollars or coins
  OptionGrades = 16,   // the error grades to show
  OptionVariants = 32  // the player's and the perfect variants to show
};

// The error grades as Grades() gives them.
enum TGradeFlag : int { GradeSerious = 2, GradeMedium = 4, GradeMinor = 8 };

// The options panel of the statistics, errors, charts and clear-by-filter windows: the
// game, date and mode groups edit the logger's shared log filter (whose change
// notification the window follows), the unit, grade and variant groups are the window's
// own and announce themselves through OptionsChanged.
class TOptionsPanel : public QWidget {
  Q_OBJECT

 public:
  // Builds and localises the groups of `mask` (TPanelOption bits). `preferences` must
  // outlive the panel.
  TOptionsPanel(int mask, const TPreferences& preferences, QWidget* parent = nullptr);

  // Fills the game and date lists from the logger's filter, selects its game, date and
  // modes. From then on the game, date and mode controls drive that filter. `logger`
  // must outlive the panel, and no record may be added while the panel shows.
  void SetLogger(TLogger& logger);

  int Mask() const { return mask_; }
  // Whether "$" is selected rather than "coins", and the selected unit's caption.
  bool IsDollars() const;
  QString UnitCaption() const;
  // The checked grades, TGradeFlag or-ed (2 serious, 4 medium, 8 minor).
  int Grades() const;
  bool ShowYourVariant() const;
  bool ShowBestVariant() const;
  void EnableUnits(bool enabled);

  // Controls of the groups in the mask (the others stay null).
  QLabel* lHeader = nullptr;
  QLabel* lGame = nullptr;
  QComboBox* cbGame = nullptr;
  QLabel* lDate = nullptr;
  QComboBox* cbDate = nullptr;
  QLabel* lModes = nullptr;
  std::array<QCheckBox*, 4> cbModes{};  // AutoHold, Training, RealPlay, PlayErrorHands
  QLabel* lUnits = nullptr;
  QRadioButton* rbDollars = nullptr;
  QRadioButton* rbCoins = nullptr;
  QLabel* lGrades = nullptr;
  std::array<QCheckBox*, 3> cbGrades{};  // serious, medium, minor
  QLabel* lVariants = nullptr;
  QCheckBox* cbYourVariant = nullptr;
  QCheckBox* cbBestVariant = nullptr;

 signals:
  // The unit, a grade or a variant changed.
  void OptionsChanged();

 private:
  void AddGroupLabel(QBoxLayout* layout, QLabel*& label, const QString& text);
  QCheckBox* AddCheckBox(QBoxLayout* layout, const QString& text, bool checked);
  TModeSet CheckedModes() const;

  int mask_;
  const TPreferences& preferences_;
  TLogger* logger_ = nullptr;
  bool filling_ = false;  // true while SetLogger fills the controls
};

}  // namespace tavrik
