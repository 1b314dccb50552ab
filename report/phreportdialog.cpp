#include "phreportdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "uxcfg.h"

namespace {

const QString Group = QStringLiteral("Report");
const char *const AxisKeys[3] = {"ToleranceX", "ToleranceY", "ToleranceZ"};

}  // namespace

PhReportDialog::PhReportDialog(const QString &projectFile, QWidget *parent) : QDialog(parent) {
  setWindowTitle(tr("Export Report"));
  const Ux::Cfg cfg(Group);
  const QFileInfo project(projectFile);
  const QString base = project.dir().filePath(project.completeBaseName() + QStringLiteral("-report"));

  auto *files = new QGroupBox(tr("Files"), this);
  auto *grid = new QGridLayout(files);
  auto addFile = [&](QCheckBox *&check, QLineEdit *&edit, const QString &label, const QString &suffix,
                     const QString &filter, const char *key, bool bDefault, const QString &name) {
    check = new QCheckBox(label, files);
    check->setObjectName(name + QStringLiteral("Check"));
    check->setChecked(cfg.readBool(QString::fromLatin1(key), bDefault));
    edit = new QLineEdit(base + suffix, files);
    edit->setObjectName(name + QStringLiteral("File"));
    edit->setMinimumWidth(360);
    auto *button = new QPushButton(tr("&Browse..."), files);
    QLineEdit *target = edit;
    connect(button, &QPushButton::clicked, this, [this, target, filter]() { browse(target, filter); });
    const int row = grid->rowCount();
    grid->addWidget(check, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(button, row, 2);
  };
  addFile(mHtml, mHtmlFile, tr("&HTML"), QStringLiteral(".html"), tr("HTML files (*.html *.htm)"), "Html", true,
          QStringLiteral("html"));
  addFile(mPdf, mPdfFile, tr("&PDF"), QStringLiteral(".pdf"), tr("PDF files (*.pdf)"), "Pdf", true,
          QStringLiteral("pdf"));

  auto *check = new QGroupBox(tr("Control points"), this);
  auto *form = new QFormLayout(check);
  mCheck = new QCheckBox(tr("&Check the residuals against tolerances"), check);
  mCheck->setObjectName(QStringLiteral("toleranceCheck"));
  mCheck->setChecked(cfg.readBool(QStringLiteral("CheckTolerances"), false));
  form->addRow(mCheck);
  for (int axis = 0; axis < 3; ++axis) {
    auto *spin = new QDoubleSpinBox(check);
    spin->setObjectName(QStringLiteral("tolerance%1").arg(QLatin1Char("XYZ"[axis])));
    spin->setDecimals(4);
    spin->setRange(0.0, 1e6);
    spin->setSingleStep(0.01);
    spin->setValue(cfg.readReal(QString::fromLatin1(AxisKeys[axis]), 0.1));
    spin->setEnabled(mCheck->isChecked());
    connect(mCheck, &QCheckBox::toggled, spin, &QWidget::setEnabled);
    mTolerance[axis] = spin;
    form->addRow(tr("Tolerance %1:").arg(QLatin1Char("XYZ"[axis])), spin);
  }

  mError = new QLabel(this);
  mError->setObjectName(QStringLiteral("error"));
  mError->setStyleSheet(QStringLiteral("color: #b00000"));
  mError->hide();

  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &PhReportDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PhReportDialog::reject);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(files);
  layout->addWidget(check);
  layout->addWidget(mError);
  layout->addWidget(buttons);
}

PhReportOptions PhReportDialog::options() const {
  PhReportOptions o;
  if (mHtml->isChecked()) o.htmlFile = mHtmlFile->text().trimmed();
  if (mPdf->isChecked()) o.pdfFile = mPdfFile->text().trimmed();
  o.hasTolerance = mCheck->isChecked();
  for (int axis = 0; axis < 3; ++axis) o.tolerance[axis] = mTolerance[axis]->value();
  return o;
}

void PhReportDialog::accept() {
  QString problem;
  if (!mHtml->isChecked() && !mPdf->isChecked())
    problem = tr("Choose HTML, PDF or both.");
  else if ((mHtml->isChecked() && mHtmlFile->text().trimmed().isEmpty()) ||
           (mPdf->isChecked() && mPdfFile->text().trimmed().isEmpty()))
    problem = tr("Name a file for each format chosen.");
  if (!problem.isEmpty()) {
    mError->setText(problem);
    mError->show();
    return;
  }
  storeChoices();
  QDialog::accept();
}

void PhReportDialog::browse(QLineEdit *edit, const QString &filter) {
  const QString file = QFileDialog::getSaveFileName(this, tr("Export Report"), edit->text(), filter);
  if (!file.isEmpty()) edit->setText(file);
}

void PhReportDialog::storeChoices() const {
  Ux::Cfg cfg(Group);
  cfg.writeEntry(QStringLiteral("Html"), int(mHtml->isChecked()));
  cfg.writeEntry(QStringLiteral("Pdf"), int(mPdf->isChecked()));
  cfg.writeEntry(QStringLiteral("CheckTolerances"), int(mCheck->isChecked()));
  for (int axis = 0; axis < 3; ++axis) cfg.writeEntry(QString::fromLatin1(AxisKeys[axis]), mTolerance[axis]->value());
}
