#ifndef MONKEYMODALS_H
#define MONKEYMODALS_H

#include <QObject>
#include <QPointer>
#include <memory>

class MonkeyProjects;
class MonkeyRng;
class QDialog;
class QFileDialog;
class QMenu;
class QMessageBox;
class QTimer;

// Answers whatever modal dialog or popup menu is up, at random, from a timer
// that also runs inside the dialogs' own loops; so the monkey never blocks on
// one. The answer itself is posted, so that a dialog it opens runs its loop
// outside this timer.
class MonkeyModals : public QObject {
  Q_OBJECT

 public:
  // Answers draw from a stream of their own, so that the steps' choices do
  // not depend on how many answers came between them.
  MonkeyModals(quint64 seed, const MonkeyProjects &projects, QObject *parent = nullptr);
  ~MonkeyModals() override;

  // "&Quit" in the read-failure box ends the process; only where that is allowed.
  void setFatalAllowed(bool bAllowed) { mFatalAllowed = bAllowed; }
  // From now on the exit dialog is answered "Yes", with these check boxes.
  void setLeaving(bool bPreferences, bool bPositions);
  bool leaving() const { return mLeaving; }
  int answered() const { return mAnswered; }

 private:
  void _poll();
  void _answerPopup(QMenu *menu);
  void _answer(QWidget *modal);
  void _answerExitDialog(QDialog *dialog);
  void _answerMessageBox(QMessageBox *box);
  void _answerFileDialog(QFileDialog *dialog);
  void _answerOther(QDialog *dialog);
  void _fiddle(QWidget *root, int iTimes);

  std::unique_ptr<MonkeyRng> mOwnRng;
  MonkeyRng &mRng;
  const MonkeyProjects &mProjects;
  QTimer *mTimer = nullptr;
  QPointer<QWidget> mPending;
  int mPendingTicks = 0;
  bool mFatalAllowed = false;
  bool mLeaving = false;
  bool mSavePreferences = false;
  bool mSavePositions = false;
  int mAnswered = 0;
};

#endif  // MONKEYMODALS_H
