#ifndef PHCOLOURLIMITSDIALOG_H
#define PHCOLOURLIMITSDIALOG_H

#include <QDialog>

class QDoubleSpinBox;

// Asks for the values drawn in the colour map's first and last colour, in
// the unit the value is shown in; the caller stores them.
class PhColourLimitsDialog : public QDialog {
  Q_OBJECT

 public:
  // `low` and `high` as shown (already times the shown factor).
  PhColourLimitsDialog(const QString &valueName, const QString &unit, double low, double high,
                       QWidget *parent = nullptr);

  double low() const;
  double high() const;

 private:
  QDoubleSpinBox *mLow = nullptr;
  QDoubleSpinBox *mHigh = nullptr;
};

#endif  // PHCOLOURLIMITSDIALOG_H
