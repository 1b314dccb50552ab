#include "uxterminationwatch.h"

#include "nubmsg.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace Ux {

#ifdef Q_OS_UNIX
namespace {

int gPipe[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT};

extern "C" void onTerminationSignal(int number) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  // A full pipe already holds a request to leave.
  [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace
#endif

TerminationWatch::TerminationWatch(QObject *parent) : QObject(parent) {
#ifdef Q_OS_UNIX
  if (gPipe[0] >= 0) return;  // one watch per process
  if (::pipe(gPipe) != 0) {
    gPipe[0] = gPipe[1] = -1;
    Nub::warn("%s", QCoreApplication::translate("Ux::TerminationWatch", "Can't watch for termination signals.")
                        .toUtf8()
                        .constData());
    return;
  }
  for (int fd : gPipe) {
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  struct sigaction action = {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kSignals) ::sigaction(number, &action, nullptr);
  mNotifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
  connect(mNotifier, &QSocketNotifier::activated, this, &TerminationWatch::_slotSignalled);
#endif
}

TerminationWatch::~TerminationWatch() {
#ifdef Q_OS_UNIX
  if (!mNotifier) return;
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int number : kSignals) ::sigaction(number, &action, nullptr);
  delete mNotifier;
  mNotifier = nullptr;
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
#endif
}

void TerminationWatch::_slotSignalled() {
#ifdef Q_OS_UNIX
  unsigned char byte = 0;
  while (::read(gPipe[0], &byte, 1) == 1) {
  }
  Nub::note("%s", QCoreApplication::translate("Ux::TerminationWatch", "Signal %1 received: leaving without saving.")
                      .arg(int(byte))
                      .toUtf8()
                      .constData());
  // Ends every running loop, those of open dialogs too, and keeps ending
  // the loops started after, until the main one has returned: a signal that
  // comes during start-up must not leave the main loop running.
  auto *leave = new QTimer(this);
  connect(leave, &QTimer::timeout, this, [] { QCoreApplication::exit(0); });
  leave->start(0);
  QCoreApplication::exit(0);
#endif
}

}  // namespace Ux
