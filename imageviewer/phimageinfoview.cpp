#include "phimageinfoview.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "nubmsg.h"
#include "phimage.h"
#include "uxpath.h"

namespace {

QLabel *newValueLabel(QWidget *parent) {
  auto *label = new QLabel(parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setLineWidth(2);
  label->setMargin(2);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

// Every label keeps the width its text asks for.
QLabel *newCaption(const QString &text, QWidget *parent) {
  auto *label = new QLabel(text, parent);
  label->setFixedWidth(label->sizeHint().width());
  return label;
}

}  // namespace

PhImageInfoView::PhImageInfoView(QWidget *parent) : QWidget(parent) {
  Nub::debug("PhImageInfoView");
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());
  auto *box = new QGroupBox(tr("Image Info"), this);
  auto *grid = new QGridLayout(box);
  grid->setSpacing(Ux::stdSpace());
  const QString captions[] = {tr("Image ID:"), tr("Camera ID:"), tr("# Coords:"), tr("Projection Centre:")};
  for (int row = 0; row < 4; ++row)
    grid->addWidget(newCaption(captions[row], box), row, 0, Qt::AlignLeft | Qt::AlignTop);
  for (int i = 0; i < 3; ++i) {
    mValues[i] = newValueLabel(box);
    grid->addWidget(mValues[i], i, 1, Qt::AlignLeft);
  }
  auto *centre = new QGridLayout;
  centre->setSpacing(Ux::stdSpace());
  const QString axes[] = {tr("X: "), tr("Y: "), tr("Z: ")};
  for (int axis = 0; axis < 3; ++axis) {
    centre->addWidget(newCaption(axes[axis], box), axis, 0);
    mValues[3 + axis] = newValueLabel(box);
    centre->addWidget(mValues[3 + axis], axis, 1, Qt::AlignLeft);
    centre->addWidget(newCaption(tr("± "), box), axis, 2);
    mValues[6 + axis] = newValueLabel(box);
    centre->addWidget(mValues[6 + axis], axis, 3, Qt::AlignLeft);
  }
  centre->setColumnStretch(4, 1);
  grid->addLayout(centre, 3, 1);
  grid->setColumnStretch(2, 1);
  layout->addWidget(box);
  layout->addStretch(1);
  fill(nullptr);
}

PhImageInfoView::~PhImageInfoView() { Nub::debug("~PhImageInfoView"); }

QLabel *PhImageInfoView::value(int i) const { return i >= 0 && i < ValueCount ? mValues[i] : nullptr; }

void PhImageInfoView::setValue(int i, const QString &text) {
  mValues[i]->setText(text);
  mValues[i]->setFixedWidth(mValues[i]->sizeHint().width());
}

void PhImageInfoView::fill(const PhImage *image) {
  if (!image) {
    for (int i = 0; i < ValueCount; ++i) setValue(i, QString());
    return;
  }
  setValue(0, QString::number(image->imageId()));
  setValue(1, QString::number(image->cameraId()));
  setValue(2, QString::number(image->pointCount()));
  const PhObjectCoord &centre = image->projectionCentre();
  // Coordinates in f(0..2), their sigmas in f(3..5).
  for (int axis = 0; axis < 3; ++axis) {
    setValue(3 + axis, QString::number(centre.f(axis), 'f', 3));
    setValue(6 + axis, QString::number(centre.f(3 + axis), 'f', 3));
  }
}
