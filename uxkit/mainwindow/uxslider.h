#ifndef UXSLIDER_H
#define UXSLIDER_H

#include "nubux_export.h"

#include <QWidget>

class QLabel;
class QLCDNumber;
class QSlider;

namespace Ux {

// A horizontal slider with an optional label in front and a digital read-out
// of its value behind.
class NUBUX_EXPORT Slider : public QWidget {
  Q_OBJECT

 public:
  Slider(const QString &label, int minValue, int maxValue, QWidget *parent = nullptr,
         const char *name = nullptr);
  ~Slider() override;

  QSlider *slider() const { return mSlider; }
  QLabel *label() const { return mLabel; }
  QLCDNumber *display() const { return mDisplay; }

  int value() const;
  void setMinValue(int value);
  // Widens the read-out to the digits of the new maximum.
  void setMaxValue(int value);
  // Out-of-range values and the current value change nothing.
  void setValue(int value);

 private:
  QLabel *mLabel = nullptr;
  QSlider *mSlider = nullptr;
  QLCDNumber *mDisplay = nullptr;
};

}  // namespace Ux

#endif  // UXSLIDER_H
