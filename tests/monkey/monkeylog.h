#ifndef MONKEYLOG_H
#define MONKEYLOG_H

#include <QString>

// The action log: one line per step, written straight to the file so that a
// crash leaves every step before it on disk.
class MonkeyLog {
 public:
  // An empty path logs to standard error only when `echo` is set.
  static bool open(const QString &path, bool echo);
  static void line(const QString &text);
  static void close();
};

#endif  // MONKEYLOG_H
