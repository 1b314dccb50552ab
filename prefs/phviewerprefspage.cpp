#include "phviewerprefspage.h"

#include "phfontlabel.h"
#include "qtcolorpicker.h"
#include "uxcfg.h"
#include "uxpath.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

PhViewerPrefsPage::PhViewerPrefsPage(const char *cfgSection, QWidget *parent)
    : Ux::PrefsTab(cfgSection, parent), mTextFont(phDefaultTextFont()) {}

QGroupBox *PhViewerPrefsPage::backgroundBox(const QString &title, const QString &label) {
  auto *box = new QGroupBox(title, this);
  auto *layout = new QHBoxLayout(box);
  layout->setSpacing(Ux::stdSpace());
  mBackground = new QtColorPicker(box, "background", -1, true);
  mBackground->setStandardColors();
  auto *caption = new QLabel(label, box);
  caption->setBuddy(mBackground);
  layout->addWidget(caption);
  layout->addWidget(mBackground);
  layout->addStretch();
  return box;
}

QGroupBox *PhViewerPrefsPage::textBox(const QString &title) {
  auto *box = new QGroupBox(title, this);
  auto *layout = new QHBoxLayout(box);
  layout->setSpacing(Ux::stdSpace());
  mFontLabel = new QLabel(box);
  mFontLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto *button = new QPushButton(tr("&Font"), box);
  button->setObjectName(QStringLiteral("fontButton"));
  layout->addWidget(mFontLabel, 1);
  layout->addWidget(button);
  connect(button, &QPushButton::clicked, this, &PhViewerPrefsPage::_slotSelectTextFont);
  setTextFont(mTextFont);
  return box;
}

QGroupBox *PhViewerPrefsPage::scaleBox() {
  auto *box = new QGroupBox(tr("&Scale:"), this);
  auto *layout = new QHBoxLayout(box);
  mScale = new QSpinBox(box);
  mScale->setRange(1, 100000);
  layout->addWidget(mScale);
  layout->addStretch();
  return box;
}

QCheckBox *PhViewerPrefsPage::blundersBox() {
  mBlunders = new QCheckBox(tr("Display &Blunders"), this);
  return mBlunders;
}

void PhViewerPrefsPage::readCommon(const Ux::Cfg &cfg) {
  mBackground->setCurrentColor(cfg.readColor(QStringLiteral("BG_Color"), Qt::white));
  setTextFont(cfg.readFont(QStringLiteral("TextFont"), phDefaultTextFont()));
  mScale->setValue(cfg.readNum(QStringLiteral("Scale"), 1000));
  mBlunders->setChecked(cfg.readBool(QStringLiteral("BlundersOn"), false));
}

void PhViewerPrefsPage::writeBackgroundAndFont(Ux::Cfg &cfg) {
  cfg.writeEntry(QStringLiteral("BG_Color"), mBackground->currentColor());
  cfg.writeEntry(QStringLiteral("TextFont"), mTextFont);
}

void PhViewerPrefsPage::setTextFont(const QFont &font) {
  mTextFont = font;
  if (mFontLabel) mFontLabel->setText(phFontLabelText(mTextFont));
}

void PhViewerPrefsPage::_slotSelectTextFont() {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, mTextFont, this);
  if (ok) setTextFont(font);
}
