#ifndef UXLOGVIEW_H
#define UXLOGVIEW_H

#include "nubux_export.h"

#include <QDialog>
#include <QHash>
#include <QSize>

class QTextEdit;

namespace Ux {

// A dialog that shows one log file. At most one per path is open; all of
// them open at the size the user last gave any of them.
class NUBUX_EXPORT LogView : public QDialog {
  Q_OBJECT

 public:
  LogView(const QString &path, QWidget *parent = nullptr);
  ~LogView() override;

  const QString &path() const { return mPath; }
  QTextEdit *textView() const { return mText; }

  // The open log view of that path, or null.
  static LogView *find(const QString &path);
  static QSize rememberedSize() { return _size; }
  // Forgets the remembered size (a fresh start for tests and new sessions).
  static void resetRememberedSize() { _size = QSize(); }

 protected:
  void showEvent(QShowEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

 private:
  bool _load();

  QString mPath;
  QTextEdit *mText = nullptr;
  bool mFirstResize = true;

  static QHash<QString, LogView *> _views;
  static QSize _size;
};

}  // namespace Ux

#endif  // UXLOGVIEW_H
