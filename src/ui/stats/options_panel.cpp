#include "ui/stats/options_panel.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "core/game_list.h"
#include "records/logger.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/error_handler.h"
#include "ui/widgets/gradient_label.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

namespace {

constexpr int HeaderHeight = 22;
constexpr int GroupIndent = 8;

}  // namespace

TOptionsPanel::TOptionsPanel(int mask, const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), mask_(mask), preferences_(preferences) {
  setObjectName("TOptionsPanel");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* header = new TGradientLabel(this);
  header->setFixedHeight(HeaderHeight);
  header->setText(Text(preferences, "Options", "Header"));
  StyleHeaderLabel(header, QString::fromStdString(preferences.FontName));
  lHeader = header;
  layout->addWidget(lHeader);

  auto* body = new QVBoxLayout();
  body->setContentsMargins(GroupIndent, 2, GroupIndent, 2);
  body->setSpacing(2);
  layout->addLayout(body);
  const auto addList = [&](QLabel*& label, QComboBox*& list, const char* key,
                           void (TLogFilter::*select)(int)) {
    AddGroupLabel(body, label, Text(preferences, "Options", key));
    list = new QComboBox(this);
    body->addWidget(list);
    connect(list, &QComboBox::activated, this, [this, select](int index) {
      if (logger_ != nullptr && !filling_ && index >= 0) {
        Guarded([&] { (logger_->Filter().*select)(index); });
      }
    });
  };
  if ((mask & OptionGame) != 0) addList(lGame, cbGame, "VideoPoker", &TLogFilter::SetGameIndex);
  if ((mask & OptionDate) != 0) addList(lDate, cbDate, "From", &TLogFilter::SetDateIndex);
  if ((mask & OptionModes) != 0) {
    AddGroupLabel(body, lModes, Text(preferences, "Main.Menu", "Mode"));
    const std::array<const char*, 4> keys = {"AutoHint", "Training", "RealPlay",
                                             "PlayProblemHands"};
    for (size_t mode = 0; mode < keys.size(); ++mode) {
      cbModes[mode] = AddCheckBox(body, Text(preferences, "Main.Menu", keys[mode]), true);
      connect(cbModes[mode], &QCheckBox::toggled, this, [this] {
        if (logger_ != nullptr && !filling_) {
          Guarded([this] { logger_->Filter().SetModes(CheckedModes()); });
        }
      });
    }
  }
  if ((mask & OptionUnits) != 0) {
    AddGroupLabel(body, lUnits, Text(preferences, "Options", "Balance"));
    auto* row = new QHBoxLayout();
    rbDollars = new QRadioButton(Text(preferences, "Options", "Dollars"), this);
    rbCoins = new QRadioButton(Text(preferences, "Options", "Coins"), this);
    rbCoins->setChecked(true);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {rbDollars, rbCoins}) {
      group->addButton(button);
      row->addWidget(button);
    }
    row->addStretch(1);
    body->addLayout(row);
    connect(rbDollars, &QRadioButton::toggled, this, &TOptionsPanel::OptionsChanged);
  }
  if ((mask & OptionGrades) != 0) {
    AddGroupLabel(body, lGrades, Text(preferences, "Errors", "ShowErrors"));
    const std::array<const char*, 3> keys = {"Serious", "Medium", "Minor"};
    for (size_t grade = 0; grade < keys.size(); ++grade) {
      cbGrades[grade] = AddCheckBox(body, Text(preferences, "Errors", keys[grade]), true);
    }
  }
  if ((mask & OptionVariants) != 0) {
    AddGroupLabel(body, lVariants, Text(preferences, "Errors", "ShowVariants"));
    cbYourVariant = AddCheckBox(body, Text(preferences, "Errors", "YourVariant"), false);
    cbBestVariant = AddCheckBox(body, Text(preferences, "Errors", "BestVariant"), false);
  }
  for (QCheckBox* box : {cbGrades[0], cbGrades[1], cbGrades[2], cbYourVariant, cbBestVariant}) {
    if (box != nullptr) connect(box, &QCheckBox::toggled, this, &TOptionsPanel::OptionsChanged);
  }
  layout->addStretch(1);
}

void TOptionsPanel::AddGroupLabel(QBoxLayout* layout, QLabel*& label, const QString& text) {
  label = new QLabel(text, this);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  if (layout->count() > 0) layout->addSpacing(6);
  layout->addWidget(label);
}

QCheckBox* TOptionsPanel::AddCheckBox(QBoxLayout* layout, const QString& text, bool checked) {
  auto* box = new QCheckBox(text, this);
  box->setChecked(checked);
  layout->addWidget(box);
  return box;
}

void TOptionsPanel::SetLogger(TLogger& logger) {
  logger_ = &logger;
  const TLogFilter& filter = logger.Filter();
  filling_ = true;
  if (cbGame != nullptr) {
    cbGame->clear();
    for (const std::string& key : filter.GameKeys) {
      QString line = " " + QString::fromStdString(GameDisplayName(GameFromKey(key)));
      // The player's paytables (index above 0) are told apart from the built-in one.
      if (const int paytable = PaytableFromKey(key); paytable > 0) {
        line += " " +
                FormatText(Text(preferences_, "Options", "Paytable"), {QString::number(paytable)});
      }
      cbGame->addItem(line);
    }
    if (cbGame->count() > 0)
      cbGame->setItemText(0, " " + Text(preferences_, "Options", "AllGames"));
    cbGame->setCurrentIndex(filter.GetGameIndex());
  }
  if (cbDate != nullptr) {
    cbDate->clear();
    for (const std::string& text : filter.DateTexts) cbDate->addItem(QString::fromStdString(text));
    if (cbDate->count() > 0) cbDate->setItemText(0, " " + Text(preferences_, "Options", "Current"));
    cbDate->setCurrentIndex(filter.GetDateIndex());
  }
  if (cbModes[0] != nullptr) {
    for (size_t mode = 0; mode < cbModes.size(); ++mode) {
      cbModes[mode]->setChecked(((filter.Modes() >> mode) & 1) != 0);
    }
  }
  filling_ = false;
}

TModeSet TOptionsPanel::CheckedModes() const {
  TModeSet modes = 0;
  for (size_t mode = 0; mode < cbModes.size(); ++mode) {
    if (cbModes[mode]->isChecked()) modes = static_cast<TModeSet>(modes | (1U << mode));
  }
  return modes;
}

bool TOptionsPanel::IsDollars() const {
  return rbDollars != nullptr && rbDollars->isChecked();
}

QString TOptionsPanel::UnitCaption() const {
  return Text(preferences_, "Options", IsDollars() ? "Dollars" : "Coins");
}

int TOptionsPanel::Grades() const {
  int grades = 0;
  const std::array<int, 3> flags = {GradeSerious, GradeMedium, GradeMinor};
  for (size_t grade = 0; grade < cbGrades.size(); ++grade) {
    if (cbGrades[grade] != nullptr && cbGrades[grade]->isChecked()) grades |= flags[grade];
  }
  return grades;
}

bool TOptionsPanel::ShowYourVariant() const {
  return cbYourVariant != nullptr && cbYourVariant->isChecked();
}

bool TOptionsPanel::ShowBestVariant() const {
  return cbBestVariant != nullptr && cbBestVariant->isChecked();
}

void TOptionsPanel::EnableUnits(bool enabled) {
  for (QWidget* widget : std::initializer_list<QWidget*>{lUnits, rbDollars, rbCoins}) {
    if (widget != nullptr) widget->setEnabled(enabled);
  }
}

}  // namespace tavrik
