#include "phscriptedexit.h"

#include "nubmsg.h"
#include "uxmainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

const char *const PhScriptedExit::sVariable = "TESSELLA_TEST_EXIT";

PhScriptedExit::PhScriptedExit(QWidget *window, bool viaQuit, bool prefs, bool positions, QObject *parent)
    : QObject(parent), mWindow(window), mViaQuit(viaQuit), mPrefs(prefs), mPositions(positions) {}

PhScriptedExit *PhScriptedExit::fromEnvironment(QWidget *window, QObject *parent) {
  const QString script = qEnvironmentVariable(sVariable).simplified();
  if (script.isEmpty()) return nullptr;
  if (script == QLatin1String("quit-on-failure")) {
    auto *exit = new PhScriptedExit(window, false, false, false, parent);
    exit->mReadFailure = true;
    return exit;
  }
  const QStringList words = script.split(QLatin1Char(' '));
  auto is = [&words](int i, const char *a, const char *b) {
    return words.size() > i && (words.at(i) == QLatin1String(a) || words.at(i) == QLatin1String(b));
  };
  if (words.size() != 3 || !is(0, "close", "quit") || !is(1, "0", "1") || !is(2, "0", "1")) {
    Nub::warn("%s=\"%s\" is not understood; expected \"close|quit 0|1 0|1\" or \"quit-on-failure\".", sVariable,
              script.toUtf8().constData());
    return nullptr;
  }
  return new PhScriptedExit(window, words.at(0) == QLatin1String("quit"), words.at(1) == QLatin1String("1"),
                            words.at(2) == QLatin1String("1"), parent);
}

void PhScriptedExit::start() {
  if (mReadFailure) {
    _answerReadFailure(0);
    return;
  }
  QTimer::singleShot(0, this, [this] {
    // The dialog runs its own event loop; its answer comes from inside that loop.
    QTimer::singleShot(0, this, &PhScriptedExit::_answerExitDialog);
    auto *mainWindow = qobject_cast<Ux::MainWindow *>(mWindow);
    QAction *quit = mainWindow ? mainWindow->action(Ux::MainWindow::UIA_FileQuit) : nullptr;
    if (mViaQuit && quit)
      quit->trigger();
    else
      mWindow->close();
  });
}

void PhScriptedExit::_answerExitDialog() {
  auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
  if (!dialog) {
    // Not up yet: the close may still be on its way.
    QTimer::singleShot(10, this, &PhScriptedExit::_answerExitDialog);
    return;
  }
  if (auto *preferences = dialog->findChild<QGroupBox *>()) preferences->setChecked(mPrefs);
  if (auto *positions = dialog->findChild<QCheckBox *>()) positions->setChecked(mPositions);
  for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
    if (button->text() == QLatin1String("Yes")) {
      QTimer::singleShot(0, this, [this] { _acknowledgeMessages(0); });
      button->click();
      return;
    }
  }
  Nub::warn("%s", "The exit dialog has no \"Yes\" button.");
}

void PhScriptedExit::_acknowledgeMessages(int iTries) {
  // Polled for a while only: without a message the program has left long before.
  if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
    if (QAbstractButton *button = box->defaultButton() ? box->defaultButton() : box->escapeButton()) button->click();
  }
  if (iTries < 500) QTimer::singleShot(10, this, [this, iTries] { _acknowledgeMessages(iTries + 1); });
}

void PhScriptedExit::_answerReadFailure(int iTries) {
  if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
    for (QAbstractButton *button : box->buttons()) {
      if (button->text() == QLatin1String("&Quit")) {
        button->click();
        return;
      }
    }
  }
  if (iTries < 3000) {
    QTimer::singleShot(10, this, [this, iTries] { _answerReadFailure(iTries + 1); });
    return;
  }
  Nub::warn("%s", "No read-failure box came up.");
}
