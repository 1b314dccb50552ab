#ifndef MONKEYDRIVER_H
#define MONKEYDRIVER_H

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>

class MonkeyModals;
class MonkeyRng;
class MonkeyWatchdog;
class QAction;
class QMenu;
class QWidget;
class Tessella;

// Drives the main window as a random user would, one step at a time from the
// event loop, and checks the invariants after every step; at the end it
// leaves through the exit dialog.
class MonkeyDriver : public QObject {
  Q_OBJECT

 public:
  struct Budget {
    int actions = 1000;
    int seconds = 60;
  };

  MonkeyDriver(Tessella *window, MonkeyRng &rng, MonkeyModals &modals, MonkeyWatchdog &watchdog,
               const Budget &budget, QObject *parent = nullptr);

  void start();
  int steps() const { return mSteps; }
  int checks() const { return mChecks; }
  bool leaving() const { return mLeaving; }

 private:
  void _step();
  void _settle();
  void _check();
  void _leave();

  void _menuAction();
  void _openProject();
  void _key();
  void _mouse();
  void _listView();
  void _docks();
  void _viewerWindows();
  void _preferences();
  void _resizeWindow();

  QList<QWidget *> _viewers() const;
  QList<QWidget *> _views() const;
  void _collect(QMenu *menu, const QString &path, QList<QPair<QString, QAction *>> &into, int depth) const;
  void _fiddle(QWidget *root, bool bButtons);

  QPointer<Tessella> mWindow;
  MonkeyRng &mRng;
  MonkeyModals &mModals;
  MonkeyWatchdog &mWatchdog;
  Budget mBudget;
  QElapsedTimer mClock;
  int mSteps = 0;
  int mChecks = 0;
  bool mLeaving = false;
};

#endif  // MONKEYDRIVER_H
