#ifndef MODALANSWER_H
#define MODALANSWER_H

#include <QApplication>
#include <QDialog>
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

#endif  // MODALANSWER_H
