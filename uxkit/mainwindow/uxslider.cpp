#include "uxslider.h"

#include "nubmsg.h"
#include "uxpath.h"

#include <QHBoxLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QSlider>

namespace Ux {

namespace {
int digitsOf(int value) { return QString::number(value).size(); }
}  // namespace

Slider::Slider(const QString &label, int minValue, int maxValue, QWidget *parent,
               const char *name)
    : QWidget(parent) {
  Nub::debug("Ux::Slider");
  if (name) setObjectName(QString::fromUtf8(name));

  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(Ux::stdSpace());

  mSlider = new QSlider(Qt::Horizontal, this);
  mSlider->setRange(minValue, maxValue);
  mSlider->setPageStep(1);
  mSlider->setValue(minValue);

  if (!label.isEmpty()) {
    mLabel = new QLabel(label, this);
    if (Ux::layoutActive()) mLabel->setMinimumWidth(Ux::layoutWidth());
    mLabel->setBuddy(mSlider);
    layout->addWidget(mLabel);
  }
  layout->addWidget(mSlider, 2);

  mDisplay = new QLCDNumber(digitsOf(maxValue), this);
  mDisplay->setSegmentStyle(QLCDNumber::Flat);
  mDisplay->setFrameStyle(QFrame::NoFrame);
  mDisplay->display(mSlider->value());
  mDisplay->setMinimumSize(mDisplay->sizeHint());
  layout->addWidget(mDisplay);

  connect(mSlider, &QSlider::valueChanged, mDisplay, qOverload<int>(&QLCDNumber::display));
}

Slider::~Slider() { Nub::debug("~Ux::Slider"); }

int Slider::value() const { return mSlider->value(); }

void Slider::setMinValue(int value) { mSlider->setMinimum(value); }

void Slider::setMaxValue(int value) {
  mDisplay->setDigitCount(digitsOf(value));
  mDisplay->setMinimumSize(mDisplay->sizeHint());
  mSlider->setMaximum(value);
}

void Slider::setValue(int value) {
  if (value == mSlider->value()) return;
  if (value < mSlider->minimum() || value > mSlider->maximum()) return;
  mSlider->setValue(value);
}

}  // namespace Ux
