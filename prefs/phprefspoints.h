#ifndef PHPREFSPOINTS_H
#define PHPREFSPOINTS_H

#include "uxprefstab.h"

#include <array>

class QComboBox;
class QGroupBox;
class QSpinBox;
class QtColorPicker;

// Preferences of the point symbols (group "Points"): per point type whether
// it is drawn, its symbol, colour and size; the marks of selected points
// and blunders.
class PhPrefsPoints : public Ux::PrefsTab {
  Q_OBJECT

 public:
  static constexpr int TypeCount = 7;

  explicit PhPrefsPoints(QWidget *parent = nullptr);

  // The type's group box title (with accelerator) or its plain name.
  static QString pointTypeName(int iType, bool bAccel);
  static QString symbolName(int iSymbol);

  QGroupBox *typeBox(int iType) const { return mTypeBoxes[iType]; }
  QComboBox *symbolCombo(int iType) const { return mSymbols[iType]; }
  QtColorPicker *colorPicker(int iType) const { return mColors[iType]; }
  QSpinBox *sizeSpin(int iType) const { return mSizes[iType]; }
  QtColorPicker *markPicker() const { return mMarkColor; }
  QSpinBox *markSpin() const { return mMarkSize; }
  QtColorPicker *blunderPicker() const { return mBlunderColor; }
  QSpinBox *blunderSpin() const { return mBlunderSize; }

  void initWidgets() override;

 public slots:
  void slotSaveWidgetStates() override;

 private:
  QGroupBox *_markBox(const QString &title, QtColorPicker *&picker, QSpinBox *&spin);

  std::array<QGroupBox *, TypeCount> mTypeBoxes{};
  std::array<QComboBox *, TypeCount> mSymbols{};
  std::array<QtColorPicker *, TypeCount> mColors{};
  std::array<QSpinBox *, TypeCount> mSizes{};
  QtColorPicker *mMarkColor = nullptr;
  QSpinBox *mMarkSize = nullptr;
  QtColorPicker *mBlunderColor = nullptr;
  QSpinBox *mBlunderSize = nullptr;
};

#endif  // PHPREFSPOINTS_H
