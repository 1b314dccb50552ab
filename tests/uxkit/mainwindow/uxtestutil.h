#ifndef UXTESTUTIL_H
#define UXTESTUTIL_H

// Helpers of the main-window framework's tests: an application object with
// its own directories, and answers to modal dialogs given from the test.

#include "uxapp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

namespace UxTest {

// Runs `answer` on the next modal dialog once it is up. Polls on a short
// timer, so the production code keeps calling exec() as it does.
inline void whenModal(std::function<void(QWidget *)> answer, int tries = 500) {
  QTimer::singleShot(10, [answer, tries]() {
    QWidget *modal = QApplication::activeModalWidget();
    if (modal)
      answer(modal);
    else if (tries > 0)
      whenModal(answer, tries - 1);
  });
}

struct BoxSeen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QWidget *parent = nullptr;
  bool seen = false;
};

// Answers the next message box with `button` and records what it showed.
inline void answerBox(BoxSeen *seen, QMessageBox::StandardButton button = QMessageBox::Ok) {
  whenModal([seen, button](QWidget *w) {
    auto *box = qobject_cast<QMessageBox *>(w);
    if (!box) return;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->parent = box->parentWidget();
    seen->seen = true;
    if (QAbstractButton *b = box->button(button))
      b->click();
    else
      box->reject();
  });
}

}  // namespace UxTest

// A test main with the library's application object, initialised with its
// own log and configuration directories below the test's empty home.
#define UX_TEST_MAIN(TestObject)                                             \
  int main(int argc, char **argv) {                                          \
    Ux::App app("UxTest", argc, argv);                                       \
    if (!app.init(true, QStringLiteral("log"), QStringLiteral(".log"),       \
                  QStringLiteral("cfg"), QStringLiteral(".cfg")))            \
      return 1;                                                              \
    app.setAttribute(Qt::AA_Use96Dpi, true);                                 \
    TestObject tc;                                                           \
    QTEST_SET_MAIN_SOURCE_PATH                                               \
    return QTest::qExec(&tc, argc, argv);                                    \
  }

#endif  // UXTESTUTIL_H
