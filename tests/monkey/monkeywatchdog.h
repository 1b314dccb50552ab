#ifndef MONKEYWATCHDOG_H
#define MONKEYWATCHDOG_H

#include <QObject>
#include <atomic>
#include <thread>

class QTimer;

// Ends the process when the event loop has not answered for a while: a timer
// of the loop (it fires in dialogs' loops too) beats, a thread of its own
// watches the beat and aborts with a message when it stops.
class MonkeyWatchdog : public QObject {
  Q_OBJECT

 public:
  explicit MonkeyWatchdog(int iLimitMs, QObject *parent = nullptr);
  ~MonkeyWatchdog() override;

  // A step known to take long (reading a large project) may stretch the limit.
  void beat();

 private:
  void _watch();

  const int mLimitMs;
  std::atomic<long long> mLastBeat;
  std::atomic<bool> mStop{false};
  QTimer *mTimer = nullptr;
  std::thread mThread;
};

#endif  // MONKEYWATCHDOG_H
