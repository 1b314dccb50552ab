#ifndef BENCHCHILD_H
#define BENCHCHILD_H

#include <QString>
#include <QStringList>

// One run of another program as a child process, its output thrown away:
// wall time from start to its end and its peak resident set, as the system
// counts them for the child (wait4).
//
// The child is started by a fresh, small run of this program (`measure`):
// a child started straight from the benchmark would inherit the benchmark's
// own resident set as its peak until it calls exec.
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

  // The first argument that makes this program the small starter.
  static constexpr const char *StarterOption = "--child-rusage";
  // The starter: runs argv[0] with its arguments and prints the wall time
  // in nanoseconds, the peak resident set in kilobytes and 1 or 0 for
  // success. Returns the exit status of the starter.
  static int measure(char **argv);
};

#endif  // BENCHCHILD_H
