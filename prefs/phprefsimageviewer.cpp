#include "phprefsimageviewer.h"

#include "qtcolorpicker.h"
#include "uxcfg.h"
#include "uxpath.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

PhPrefsImageViewer::PhPrefsImageViewer(QWidget *parent) : PhViewerPrefsPage("ImageViewer", parent) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());

  auto *row1 = new QHBoxLayout;
  row1->addWidget(backgroundBox(tr("Background:"), tr("&Color")), 1);
  row1->addWidget(textBox(tr("Text:")), 1);
  layout->addLayout(row1);

  auto *largest = new QGroupBox(tr("Largest Residual:"), this);
  auto *grid = new QGridLayout(largest);
  grid->setSpacing(Ux::stdSpace());
  mLargestResidualColor = new QtColorPicker(largest, "largestResidual", -1, true);
  mLargestResidualColor->setStandardColors();
  mLargestResidualSize = new QSpinBox(largest);
  mLargestResidualSize->setRange(1, 10);
  mLargestResidualSize->setSuffix(tr(" pixel"));
  auto *colorLabel = new QLabel(tr("Color"), largest);
  colorLabel->setBuddy(mLargestResidualColor);
  auto *sizeLabel = new QLabel(tr("+Si&ze"), largest);
  sizeLabel->setBuddy(mLargestResidualSize);
  grid->addWidget(colorLabel, 0, 0);
  grid->addWidget(mLargestResidualColor, 0, 1);
  grid->addWidget(sizeLabel, 1, 0);
  grid->addWidget(mLargestResidualSize, 1, 1);
  auto *row2 = new QHBoxLayout;
  row2->addWidget(largest, 1);
  row2->addWidget(scaleBox(), 1);
  layout->addLayout(row2);

  mPointIds = new QCheckBox(tr("Display Point &IDs"), this);
  layout->addWidget(mPointIds);
  layout->addWidget(blundersBox());
  layout->addStretch();
}

void PhPrefsImageViewer::initWidgets() {
  const Ux::Cfg cfg(cfgSection());
  readCommon(cfg);
  mLargestResidualColor->setCurrentColor(cfg.readColor(QStringLiteral("LargestResidualColor"), Qt::red));
  mLargestResidualSize->setValue(cfg.readNum(QStringLiteral("LargestResidualSize"), 2));
  mPointIds->setChecked(cfg.readBool(QStringLiteral("PointIdsOn"), false));
}

void PhPrefsImageViewer::slotSaveWidgetStates() {
  Ux::Cfg cfg(cfgSection());
  writeBackgroundAndFont(cfg);
  cfg.writeEntry(QStringLiteral("LargestResidualColor"), mLargestResidualColor->currentColor());
  cfg.writeEntry(QStringLiteral("LargestResidualSize"), mLargestResidualSize->value());
  cfg.writeEntry(QStringLiteral("Scale"), scaleSpin()->value());
  cfg.writeEntry(QStringLiteral("PointIdsOn"), int(mPointIds->isChecked()));
  cfg.writeEntry(QStringLiteral("BlundersOn"), int(blundersCheck()->isChecked()));
  emit sigWidgetsSaved();
}
