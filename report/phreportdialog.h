#ifndef PHREPORTDIALOG_H
#define PHREPORTDIALOG_H

#include <QDialog>

#include "phreportoptions.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;

// Asks where the report goes (an HTML file, a PDF file or both) and the
// per-axis tolerances of the control check. The choices, apart from the
// files, are kept under "Report" for the next time.
class PhReportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PhReportDialog(const QString &projectFile, QWidget *parent = nullptr);

  // The files and tolerances chosen; the unit and the time are the caller's.
  PhReportOptions options() const;

 public slots:
  // Refuses, with the reason shown, when no format is chosen or a chosen one has no file.
  void accept() override;

 private:
  void browse(QLineEdit *edit, const QString &filter);
  void storeChoices() const;

  QCheckBox *mHtml = nullptr;
  QLineEdit *mHtmlFile = nullptr;
  QCheckBox *mPdf = nullptr;
  QLineEdit *mPdfFile = nullptr;
  QCheckBox *mCheck = nullptr;
  QDoubleSpinBox *mTolerance[3] = {nullptr, nullptr, nullptr};
  QLabel *mError = nullptr;
};

#endif  // PHREPORTDIALOG_H
