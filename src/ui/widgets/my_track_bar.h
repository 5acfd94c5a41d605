#pragma once

#include <QSlider>

namespace tavrik {

// The slider of the preferences dialog: a track bar without a selection range (Qt's
// slider has none), ticks on both sides.
class TMyTrackBar : public QSlider {
  Q_OBJECT

 public:
  explicit TMyTrackBar(Qt::Orientation orientation, QWidget* parent = nullptr)
      : QSlider(orientation, parent) {
    setTickPosition(QSlider::TicksBothSides);
  }
};

}  // namespace tavrik
