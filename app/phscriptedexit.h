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
// read from the environment variable TESSELLA_TEST_EXIT. A message box that
// follows the dialog (a save that failed) is acknowledged with its default
// button. The script "quit-on-failure" instead answers the read-failure box
// of the project named on the command line with "&Quit".
class PhScriptedExit : public QObject {
  Q_OBJECT

 public:
  static const char *const sVariable;

  // Null, with a warning for a script it does not understand, when the
  // variable is unset or wrong.
  static PhScriptedExit *fromEnvironment(QWidget *window, QObject *parent);

  // Starts once the event loop runs.
  void start();
  // Set for "quit-on-failure": start before the project is read.
  bool answersReadFailure() const { return mReadFailure; }

 private:
  PhScriptedExit(QWidget *window, bool viaQuit, bool prefs, bool positions, QObject *parent);
  void _answerExitDialog();
  void _acknowledgeMessages(int iTries);
  void _answerReadFailure(int iTries);

  QWidget *mWindow;
  bool mViaQuit;
  bool mPrefs;
  bool mPositions;
  bool mReadFailure = false;
};

#endif  // PHSCRIPTEDEXIT_H
