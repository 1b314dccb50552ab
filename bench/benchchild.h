#ifndef BENCHCHILD_H
#define BENCHCHILD_H

#include <QString>
#include <QStringList>

// One run of another program as a child process, its output thrown away:
// wall time from start to its end and its peak resident set, as the system
// counts them for the child (wait4).
class BenchChild {
 public:
  struct Result {
    bool ok = false;       // started and exited with status 0
    double wallMs = 0.0;
    double peakMiB = 0.0;  // largest resident set
  };

  // `environment` entries "NAME=value" are added to this process's.
  static Result run(const QString &program, const QStringList &arguments,
                    const QStringList &environment = {});
};

#endif  // BENCHCHILD_H
