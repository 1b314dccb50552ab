#ifndef MODALANSWER_H
#define MODALANSWER_H

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

// Answers the next modal dialog from the event loop: calls `act` with it as
// soon as it is shown and `accepts` it. Keeps polling until one appears or
// the timeout ends.
inline void answerNextModal(std::function<void(QWidget *)> act, int timeoutMs = 5000,
                            std::function<bool(QWidget *)> accepts = nullptr) {
  auto *timer = new QTimer;
  auto elapsed = std::make_shared<int>(0);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act, elapsed, timeoutMs, accepts]() {
    *elapsed += 10;
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && (!accepts || accepts(modal))) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    } else if (*elapsed > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start();
}

// The same for the next modal widget of class T only.
template <class T>
void answerNext(std::function<void(T *)> act, int timeoutMs = 5000) {
  answerNextModal([act](QWidget *w) { act(qobject_cast<T *>(w)); }, timeoutMs,
                  [](QWidget *w) { return qobject_cast<T *>(w) != nullptr; });
}

inline void rejectNextModal() {
  answerNextModal([](QWidget *w) {
    if (auto *d = qobject_cast<QDialog *>(w)) d->reject();
  });
}

inline void acceptNextModal() {
  answerNextModal([](QWidget *w) {
    if (auto *d = qobject_cast<QDialog *>(w)) d->accept();
  });
}

// Types the file's path into the dialog, as a user would.
inline void chooseFile(QFileDialog *dialog, const QString &file) {
  auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
  QVERIFY(edit);
  edit->setText(QFileInfo(file).absoluteFilePath());
  static_cast<QDialog *>(dialog)->accept();
  QVERIFY(!dialog->isVisible());
}

// Chooses a file in the next file dialog, or cancels it for an empty name.
inline void answerFileDialog(const QString &file, QString *seenDirectory = nullptr) {
  answerNext<QFileDialog>([file, seenDirectory](QFileDialog *dialog) {
    if (seenDirectory) *seenDirectory = dialog->directory().absolutePath();
    if (file.isEmpty()) {
      dialog->reject();
      return;
    }
    chooseFile(dialog, file);
  });
}

#endif  // MODALANSWER_H
