#include "monkeywatchdog.h"

#include "monkeylog.h"

#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
long long nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

MonkeyWatchdog::MonkeyWatchdog(int iLimitMs, QObject *parent)
    : QObject(parent), mLimitMs(iLimitMs), mLastBeat(nowMs()) {
  mTimer = new QTimer(this);
  mTimer->setInterval(100);
  connect(mTimer, &QTimer::timeout, this, &MonkeyWatchdog::beat);
  mTimer->start();
  mThread = std::thread([this] { _watch(); });
}

MonkeyWatchdog::~MonkeyWatchdog() {
  mStop = true;
  mThread.join();
}

void MonkeyWatchdog::beat() { mLastBeat = nowMs(); }

void MonkeyWatchdog::_watch() {
  while (!mStop) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const long long silent = nowMs() - mLastBeat;
    if (silent > mLimitMs) {
      // Only async-safe enough: the loop is stuck, so nothing else writes.
      MonkeyLog::line(QStringLiteral("HANG: the event loop has not answered for %1 ms").arg(silent));
      std::fprintf(stderr, "monkey: HANG: the event loop has not answered for %lld ms\n", silent);
      std::fflush(stderr);
      std::abort();
    }
  }
}
