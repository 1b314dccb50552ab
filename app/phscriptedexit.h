#ifndef PHSCRIPTEDEXIT_H
#define PHSCRIPTEDEXIT_H

#include <QObject>
#include <QString>

class QWidget;

// Leaves the program the way a user does, so that tests of the whole program
// reach the real way out: once the event loop runs, the main window's close
// (its close button) or its Quit action, then the exit dialog answered with its
// two check boxes set as asked and "Yes" pressed.
//
// The script is "close|quit PREFS POSITIONS", each of PREFS and POSITIONS 0 or 1,
// read from the environment variable TESSELLA_TEST_EXIT.
class PhScriptedExit : public QObject {
  Q_OBJECT

 public:
  static const char *const sVariable;

  // Null, with a warning for a script it does not understand, when the
  // variable is unset or wrong.
  static PhScriptedExit *fromEnvironment(QWidget *window, QObject *parent);

  // Starts once the event loop runs.
  void start();

 private:
  PhScriptedExit(QWidget *window, bool viaQuit, bool prefs, bool positions, QObject *parent);
  void _answerExitDialog();

  QWidget *mWindow;
  bool mViaQuit;
  bool mPrefs;
  bool mPositions;
};

#endif  // PHSCRIPTEDEXIT_H
