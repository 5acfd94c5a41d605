#include "ui/main/paytable_grid.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/widgets/gradient.h"

namespace tavrik {

namespace {

const QColor LightBlue(151, 203, 255);
const QColor Teal(0, 128, 128);
const QColor Silver(192, 192, 192);
const QColor Navy(0, 0, 128);
constexpr double NamesShare = 0.4;  // of the grid's width; the bet columns share the rest
constexpr int SmallestFontPixels = 7;

QImage GradientImage(int width, int height, const QColor& top, const QColor& bottom) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  QPainter painter(&image);
  GradientFill(painter, image.rect(), top, 255, 0, bottom);
  return image;
}

}  // namespace

TPaytableGrid::TPaytableGrid(const TGameEngine& engine, QWidget* parent)
    : QWidget(parent), engine_(engine) {
  setObjectName("PayoutGrid");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaytableGrid::Rebuild() {
  const int rows = engine_.CategoryCount();
  const int gridWidth = width();
  const int gridHeight = height();
  const int firstShare = static_cast<int>(std::lround(gridWidth * NamesShare));
  const int betWidth = static_cast<int>(std::lround((gridWidth - firstShare) / 5.0));
  columnWidths_.assign(6, betWidth);
  columnWidths_[0] = gridWidth - 5 * betWidth;
  rowHeights_.assign(static_cast<size_t>(std::max(0, rows)), 0);
  int given = 0;
  int tallest = 1;
  for (int i = 0; i < rows; ++i) {
    const int bottom =
        static_cast<int>(std::lround(static_cast<double>(i + 1) * gridHeight / rows));
    rowHeights_[static_cast<size_t>(i)] = bottom - given;
    tallest = std::max(tallest, bottom - given);
    given = bottom;
  }
  gridFont_ = font();
  const int lowest =
      rowHeights_.empty() ? tallest : *std::min_element(rowHeights_.begin(), rowHeights_.end());
  const int largest = static_cast<int>(std::lround(QFontInfo(gridFont_).pixelSize() * fontScale_));
  for (int size = largest; size > SmallestFontPixels; --size) {
    QFont candidate = gridFont_;
    candidate.setPixelSize(size);
    QFont candidateBold = candidate;
    candidateBold.setBold(true);
    const int textHeight = QFontMetrics(candidate).height();
    int textWidth = 0;
    for (int row = 0; row < rows; ++row) {
      textWidth =
          std::max(textWidth, QFontMetrics(candidateBold).horizontalAdvance(CellLook(0, row).Text));
    }
    gridFont_ = candidate;
    if (textHeight <= lowest - 2 && textWidth <= columnWidths_[0] - 4) break;
  }
  betBackground_ = GradientImage(betWidth, tallest, Lighten(LightBlue, 20), LightBlue);
  winBackground_ = GradientImage(columnWidths_[0], tallest, Lighten(Teal, 40), Lighten(Teal, 20));
  plainBackground_ = GradientImage(columnWidths_[0], tallest, Qt::white, Lighten(Silver, 40));
  update();
}

void TPaytableGrid::SetFontScale(double scale) {
  if (scale == fontScale_) return;
  fontScale_ = scale;
  Rebuild();
}

TPaytableGrid::TCellLook TPaytableGrid::CellLook(int column, int row) const {
  TCellLook look;
  if (column == 0) {
    look.Text = "   " + QString::fromStdString(engine_.CategoryName(row)).toUpper();
  } else {
    look.Text = QString::number(engine_.GetPayout(row, column));
  }
  if (row == engine_.HandCategory()) {
    look.Background = 2;
    look.Bold = true;
    look.TextColour = column == 0 || column == engine_.Bet() ? QColor(Qt::white) : Navy;
  } else if (column == engine_.Bet()) {
    look.Background = 1;
    look.TextColour = Navy;
  } else {
    look.TextColour = palette().color(QPalette::WindowText);
  }
  return look;
}

void TPaytableGrid::DrawCell(QPainter& painter, int column, int row, const QRect& cell) const {
  const TCellLook look = CellLook(column, row);
  // Neighbouring cells share their edge.
  const QRect area = cell.adjusted(column > 0 ? -1 : 0, row > 0 ? -1 : 0, 0, 0);
  painter.fillRect(area, Qt::black);
  const QImage& background = look.Background == 2
                                 ? winBackground_
                                 : (look.Background == 1 ? betBackground_ : plainBackground_);
  const QRect inner = area.adjusted(1, 1, -1, -1);
  painter.drawImage(inner.topLeft(), background, QRect(0, 0, inner.width(), inner.height()));
  QFont cellFont = gridFont_;
  if (look.Bold) cellFont.setBold(true);
  painter.setFont(cellFont);
  painter.setPen(look.TextColour);
  const int alignment =
      (column == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter | Qt::TextSingleLine;
  painter.drawText(inner, alignment, look.Text);
}

std::pair<int, int> TPaytableGrid::CellAt(QPoint point) const {
  int column = -1;
  int x = 0;
  for (size_t i = 0; i < columnWidths_.size(); ++i) {
    if (point.x() >= x && point.x() < x + columnWidths_[i]) column = static_cast<int>(i);
    x += columnWidths_[i];
  }
  int row = -1;
  int y = 0;
  for (size_t i = 0; i < rowHeights_.size(); ++i) {
    if (point.y() >= y && point.y() < y + rowHeights_[i]) row = static_cast<int>(i);
    y += rowHeights_[i];
  }
  if (column < 0 || row < 0) return {-1, -1};
  return {column, row};
}

void TPaytableGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  int y = 0;
  for (size_t row = 0; row < rowHeights_.size(); ++row) {
    int x = 0;
    for (size_t column = 0; column < columnWidths_.size(); ++column) {
      DrawCell(painter, static_cast<int>(column), static_cast<int>(row),
               QRect(x, y, columnWidths_[column], rowHeights_[row]));
      x += columnWidths_[column];
    }
    y += rowHeights_[row];
  }
}

void TPaytableGrid::mousePressEvent(QMouseEvent* event) {
  const int column = CellAt(event->position().toPoint()).first;
  if (column >= 0) emit ColumnClicked(column);
}

void TPaytableGrid::resizeEvent(QResizeEvent* /*event*/) {
  Rebuild();
}

}  // namespace tavrik
