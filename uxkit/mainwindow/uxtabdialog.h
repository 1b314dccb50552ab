#ifndef UXTABDIALOG_H
#define UXTABDIALOG_H

#include "nubux_export.h"

#include <QDialog>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace Ux {

// A dialog of tabbed pages with "Ok", "Apply" and "Cancel" buttons. Ok and
// Apply both emit sigApply (Ok then closes the dialog), so the page in front
// can save its settings either way.
class NUBUX_EXPORT TabDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TabDialog(QWidget *parent = nullptr, const char *name = nullptr);
  ~TabDialog() override;

  int addTab(QWidget *page, const QString &label);
  int insertTab(QWidget *page, const QString &label, int index);
  QWidget *currentPage() const;
  void showPage(QWidget *page);
  QTabWidget *tabWidget() const { return mTabs; }

  // Each adds its button when the text is not empty; an empty text removes it.
  void setOkButton(const QString &text);
  void setApplyButton(const QString &text);
  void setCancelButton(const QString &text);
  QPushButton *okButton() const { return mOk; }
  QPushButton *applyButton() const { return mApply; }
  QPushButton *cancelButton() const { return mCancel; }

 signals:
  void sigApply();

 protected:
  // Pages come after construction: the first size may be too narrow for
  // their tabs.
  void showEvent(QShowEvent *event) override;

 private:
  QPushButton *_setButton(QPushButton *button, const QString &text, int role);

  QTabWidget *mTabs = nullptr;
  QDialogButtonBox *mButtons = nullptr;
  QPushButton *mOk = nullptr;
  QPushButton *mApply = nullptr;
  QPushButton *mCancel = nullptr;
};

}  // namespace Ux

#endif  // UXTABDIALOG_H
