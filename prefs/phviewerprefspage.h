#ifndef PHVIEWERPREFSPAGE_H
#define PHVIEWERPREFSPAGE_H

#include "uxprefstab.h"

#include <QFont>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QtColorPicker;
namespace Ux {
class Cfg;
}

// What the image-viewer and object-viewer pages share: background colour,
// text font with its dialog, scale and the blunder switch.
class PhViewerPrefsPage : public Ux::PrefsTab {
  Q_OBJECT

 public:
  PhViewerPrefsPage(const char *cfgSection, QWidget *parent);

  QtColorPicker *backgroundPicker() const { return mBackground; }
  QLabel *fontLabel() const { return mFontLabel; }
  QSpinBox *scaleSpin() const { return mScale; }
  QCheckBox *blundersCheck() const { return mBlunders; }
  const QFont &textFont() const { return mTextFont; }

 protected:
  QGroupBox *backgroundBox(const QString &title, const QString &label);
  QGroupBox *textBox(const QString &title);
  QGroupBox *scaleBox();
  QCheckBox *blundersBox();

  void readCommon(const Ux::Cfg &cfg);
  void writeBackgroundAndFont(Ux::Cfg &cfg);
  void setTextFont(const QFont &font);

 private slots:
  void _slotSelectTextFont();

 private:
  QtColorPicker *mBackground = nullptr;
  QLabel *mFontLabel = nullptr;
  QSpinBox *mScale = nullptr;
  QCheckBox *mBlunders = nullptr;
  QFont mTextFont;
};

#endif  // PHVIEWERPREFSPAGE_H
