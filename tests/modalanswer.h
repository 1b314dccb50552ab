#ifndef MODALANSWER_H
#define MODALANSWER_H

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Answers the next modal dialog from the event loop: calls `act` with it as
// soon as it is shown. Keeps polling until one appears or the timeout ends.
inline void answerNextModal(std::function<void(QWidget *)> act, int timeoutMs = 5000) {
  auto *timer = new QTimer;
  auto elapsed = std::make_shared<int>(0);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act, elapsed, timeoutMs]() {
    *elapsed += 10;
    if (QWidget *modal = QApplication::activeModalWidget()) {
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

#endif  // MODALANSWER_H
