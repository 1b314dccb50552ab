#include "phprefspoints.h"

#include "phglobal.h"
#include "phsymbolpixmap.h"
#include "qtcolorpicker.h"
#include "uxcfg.h"
#include "uxpath.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString key(const char *name, int iType) { return QString::fromLatin1(name) + QString::number(iType); }

QtColorPicker *newPicker(QWidget *parent, const char *name) {
  auto *picker = new QtColorPicker(parent, name, -1, true);
  picker->setStandardColors();
  return picker;
}

QSpinBox *newSizeSpin(QWidget *parent, int min, int max) {
  auto *spin = new QSpinBox(parent);
  spin->setRange(min, max);
  spin->setSuffix(QObject::tr(" pixel"));
  return spin;
}

void addLabelled(QHBoxLayout *row, const QString &text, QWidget *widget) {
  auto *label = new QLabel(text, widget->parentWidget());
  label->setBuddy(widget);
  row->addWidget(label);
  row->addWidget(widget);
}

}  // namespace

QString PhPrefsPoints::pointTypeName(int iType, bool bAccel) { return PhGlobal::pointTypeName(iType, bAccel); }

QString PhPrefsPoints::symbolName(int iSymbol) { return PhGlobal::symbolTypeName(iSymbol); }

PhPrefsPoints::PhPrefsPoints(QWidget *parent) : Ux::PrefsTab("Points", parent) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());
  for (int i = 0; i < TypeCount; ++i) {
    auto *box = new QGroupBox(pointTypeName(i, true), this);
    box->setCheckable(true);
    auto *row = new QHBoxLayout(box);
    row->setSpacing(Ux::stdSpace());
    mSymbols[i] = new QComboBox(box);
    for (int s = 0; s < 3; ++s) mSymbols[i]->addItem(QIcon(PhSymbolPixmap::symbolPixmap(s)), symbolName(s));
    mColors[i] = newPicker(box, "pointColor");
    mSizes[i] = newSizeSpin(box, 3, 25);
    addLabelled(row, tr("S&ymbol"), mSymbols[i]);
    addLabelled(row, tr("&Color"), mColors[i]);
    addLabelled(row, tr("&Size"), mSizes[i]);
    row->addStretch();
    mTypeBoxes[i] = box;
    layout->addWidget(box);
  }
  layout->addWidget(_markBox(tr("S&elected Points"), mMarkColor, mMarkSize));
  layout->addWidget(_markBox(tr("&Blunder Points"), mBlunderColor, mBlunderSize));
  layout->addStretch();
}

QGroupBox *PhPrefsPoints::_markBox(const QString &title, QtColorPicker *&picker, QSpinBox *&spin) {
  auto *box = new QGroupBox(title, this);
  auto *row = new QHBoxLayout(box);
  row->setSpacing(Ux::stdSpace());
  picker = newPicker(box, "markColor");
  spin = newSizeSpin(box, 1, 10);
  addLabelled(row, tr("Color"), picker);
  addLabelled(row, tr("+Si&ze"), spin);
  row->addStretch();
  return box;
}

void PhPrefsPoints::initWidgets() {
  const Ux::Cfg cfg(cfgSection());
  for (int i = 0; i < TypeCount; ++i) {
    mTypeBoxes[i]->setChecked(cfg.readBool(key("PointOn_", i), true));
    mSymbols[i]->setCurrentIndex(cfg.readNum(key("PointSymbol_", i), PhGlobal::SYM_Circle));
    mColors[i]->setCurrentColor(cfg.readColor(key("PointColor_", i), Qt::black));
    mSizes[i]->setValue(cfg.readNum(key("PointSize_", i), 7));
  }
  mMarkColor->setCurrentColor(cfg.readColor(QStringLiteral("MarkColor"), Qt::red));
  mMarkSize->setValue(cfg.readNum(QStringLiteral("MarkSize"), 2));
  mBlunderColor->setCurrentColor(cfg.readColor(QStringLiteral("BlunderColor"), Qt::red));
  mBlunderSize->setValue(cfg.readNum(QStringLiteral("BlunderSize"), 2));
}

void PhPrefsPoints::slotSaveWidgetStates() {
  Ux::Cfg cfg(cfgSection());
  for (int i = 0; i < TypeCount; ++i) {
    cfg.writeEntry(key("PointOn_", i), int(mTypeBoxes[i]->isChecked()));
    cfg.writeEntry(key("PointSymbol_", i), mSymbols[i]->currentIndex());
    cfg.writeEntry(key("PointColor_", i), mColors[i]->currentColor());
    cfg.writeEntry(key("PointSize_", i), mSizes[i]->value());
  }
  cfg.writeEntry(QStringLiteral("MarkColor"), mMarkColor->currentColor());
  cfg.writeEntry(QStringLiteral("MarkSize"), mMarkSize->value());
  cfg.writeEntry(QStringLiteral("BlunderColor"), mBlunderColor->currentColor());
  cfg.writeEntry(QStringLiteral("BlunderSize"), mBlunderSize->value());
  emit sigWidgetsSaved();
}
