#include "phprefslinks.h"

#include "phglobal.h"
#include "uxcfg.h"
#include "uxpath.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PhPrefsLinks::PhPrefsLinks(QWidget *parent) : Ux::PrefsTab("Links", parent) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());
  auto *box = new QGroupBox(tr("Connections:"), this);
  auto *row = new QHBoxLayout(box);
  row->setSpacing(Ux::stdSpace());
  mLineType = new QComboBox(box);
  for (int i = 0; i < 3; ++i) mLineType->addItem(lineTypeName(i));
  auto *label = new QLabel(tr("&Line Type"), box);
  label->setBuddy(mLineType);
  row->addWidget(label);
  row->addWidget(mLineType);
  row->addStretch();
  layout->addWidget(box);
  layout->addStretch();
}

QString PhPrefsLinks::lineTypeName(int iType) { return PhGlobal::lineTypeName(iType); }

void PhPrefsLinks::initWidgets() {
  mLineType->setCurrentIndex(Ux::Cfg(cfgSection()).readNum(QStringLiteral("LinkLineType"), PhGlobal::LT_Solid));
}

void PhPrefsLinks::slotSaveWidgetStates() {
  Ux::Cfg(cfgSection()).writeEntry(QStringLiteral("LinkLineType"), mLineType->currentIndex());
  emit sigWidgetsSaved();
}
