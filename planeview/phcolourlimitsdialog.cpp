#include "phcolourlimitsdialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *limitBox(double value, const QString &unit, QWidget *parent) {
  auto *box = new QDoubleSpinBox(parent);
  box->setDecimals(6);
  box->setRange(-1.0e9, 1.0e9);
  box->setValue(value);
  if (!unit.isEmpty()) box->setSuffix(QLatin1Char(' ') + unit);
  return box;
}

}  // namespace

PhColourLimitsDialog::PhColourLimitsDialog(const QString &valueName, const QString &unit, double low, double high,
                                           QWidget *parent)
    : QDialog(parent) {
  setWindowTitle(tr("Colour Limits"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Points coloured by %1: the values drawn in the first and in the last "
                                  "colour of the map. Values beyond take the nearer end.")
                                   .arg(valueName),
                               this));
  auto *form = new QFormLayout;
  mLow = limitBox(low, unit, this);
  mHigh = limitBox(high, unit, this);
  form->addRow(tr("&First colour at:"), mLow);
  form->addRow(tr("&Last colour at:"), mHigh);
  layout->addLayout(form);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

double PhColourLimitsDialog::low() const { return mLow->value(); }

double PhColourLimitsDialog::high() const { return mHigh->value(); }
