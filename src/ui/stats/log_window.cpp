#include "ui/stats/log_window.h"

#include <QBoxLayout>
#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

#include "records/ole_date.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

TLogWindow::TLogWindow(const char* section, HelpContext help, const TPreferences& preferences,
                       QWidget* parent)
    : QDialog(parent), preferences_(preferences) {
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(preferences.SetWindowCaption(section)));
  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(helpKey, &QShortcut::activated, this,
          [this, help] { ShowHelpTopic(help, preferences_, this); });
}

TGradientLabel* TLogWindow::HeaderLabel(const QString& text) {
  auto* label = new TGradientLabel(this);
  label->setFixedHeight(HeaderHeight);
  label->setText(text);
  StyleHeaderLabel(label, QString::fromStdString(preferences_.FontName));
  return label;
}

QVBoxLayout* TLogWindow::NewColumn() {
  auto* column = new QVBoxLayout();
  column->setSpacing(2);
  column->setContentsMargins(0, 0, 0, 0);
  return column;
}

void TLogWindow::LayOutColumns(QVBoxLayout* left, int leftWidth, QVBoxLayout* right,
                               std::initializer_list<QPushButton*> buttons) {
  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(4, 4, 4, 8);
  columns->setSpacing(6);
  auto* leftBox = new QWidget(this);
  leftBox->setFixedWidth(std::max(LeftColumnWidth, leftWidth));
  leftBox->setLayout(left);
  columns->addWidget(leftBox);

  auto* row = new QHBoxLayout();
  row->setContentsMargins(0, 6, 0, 0);
  for (QPushButton* button : buttons) row->addWidget(button);
  row->addStretch(1);
  btnOK = new QPushButton(Text(preferences_, "Main.Buttons", "OK"), this);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  row->addWidget(btnOK);
  right->addLayout(row);
  columns->addLayout(right, 1);
}

void TInsetTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QString text = cell.text;
  cell.text.clear();
  QStyle* style = cell.widget != nullptr ? cell.widget->style() : nullptr;
  if (style != nullptr) style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  painter->save();
  painter->setFont(cell.font);
  painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(option.rect.adjusted(TLogWindow::CellMargin, 0, -TLogWindow::CellMargin, 0),
                    static_cast<int>(cell.displayAlignment), text);
  painter->restore();
}

std::string SystemShortDate(double oleDate) {
  const TLocalDateTime day = FromOleDate(oleDate);
  return QLocale::system()
      .toString(QDate(day.Year, day.Month, day.Day), QLocale::ShortFormat)
      .toStdString();
}

}  // namespace tavrik
