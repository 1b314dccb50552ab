#include "phprefsobjectviewer.h"

#include "uxcfg.h"
#include "uxpath.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

PhPrefsObjectViewer::PhPrefsObjectViewer(QWidget *parent) : PhViewerPrefsPage("ObjectViewer", parent) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());
  auto *row1 = new QHBoxLayout;
  row1->addWidget(backgroundBox(tr("&Background:"), tr("&Color")), 1);
  row1->addWidget(textBox(tr("&Text:")), 1);
  layout->addLayout(row1);
  auto *row2 = new QHBoxLayout;
  row2->addWidget(scaleBox(), 1);
  row2->addStretch(1);
  layout->addLayout(row2);
  layout->addWidget(blundersBox());
  layout->addStretch();
}

void PhPrefsObjectViewer::initWidgets() { readCommon(Ux::Cfg(cfgSection())); }

void PhPrefsObjectViewer::slotSaveWidgetStates() {
  Ux::Cfg cfg(cfgSection());
  writeBackgroundAndFont(cfg);
  cfg.writeEntry(QStringLiteral("Scale"), scaleSpin()->value());
  cfg.writeEntry(QStringLiteral("BlundersOn"), int(blundersCheck()->isChecked()));
  emit sigWidgetsSaved();
}
