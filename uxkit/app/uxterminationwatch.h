#ifndef UXTERMINATIONWATCH_H
#define UXTERMINATIONWATCH_H

#include "nubux_export.h"

#include <QObject>

class QSocketNotifier;

namespace Ux {

// Turns SIGTERM and SIGINT into a clean end of the event loop: the loop
// returns 0 and everything is destroyed as after a normal exit, so the log is
// closed. Nothing is asked and nothing is saved. The signal handler itself
// only writes the signal's number into a pipe; the rest runs in the loop.
class NUBUX_EXPORT TerminationWatch : public QObject {
  Q_OBJECT

 public:
  explicit TerminationWatch(QObject *parent = nullptr);
  ~TerminationWatch() override;

  // False when the pipe or the handlers could not be set up.
  bool isActive() const { return mNotifier != nullptr; }

 private:
  void _slotSignalled();

  QSocketNotifier *mNotifier = nullptr;
};

}  // namespace Ux

#endif  // UXTERMINATIONWATCH_H
