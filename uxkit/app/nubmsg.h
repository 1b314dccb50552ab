#ifndef NUBMSG_H
#define NUBMSG_H

#include "nubux_export.h"

// Messages, progress and the check form: the lowest layer of reporting.
// Every function formats into one shared buffer and hands the text to the
// installed handler, or writes a default line to standard error.

#if defined(__GNUC__)
#define NUB_PRINTF(fmtIndex, argIndex) __attribute__((format(printf, fmtIndex, argIndex)))
#else
#define NUB_PRINTF(fmtIndex, argIndex)
#endif

namespace Nub {

enum MsgTypeE : unsigned {
  MsgDebug = 1,
  MsgInfo = 2,
  MsgNote = 4,
  MsgWarn = 8,
  MsgFatal = 16,
  MsgLog = 32,
  MsgStatus = 64,
  MsgInfoDlg = 128,
  MsgWarnDlg = 256,
  MsgFatalDlg = 512
};

using MsgHandler = void (*)(MsgTypeE type, const char *text);
using ProgressHandler = void (*)(int current, int total);

NUBUX_EXPORT int maxMsgSize();

NUBUX_EXPORT void debug(const char *format, ...) NUB_PRINTF(1, 2);
NUBUX_EXPORT void info(const char *format, ...) NUB_PRINTF(1, 2);
NUBUX_EXPORT void note(const char *format, ...) NUB_PRINTF(1, 2);
NUBUX_EXPORT bool warn(const char *format, ...) NUB_PRINTF(1, 2);
[[noreturn]] NUBUX_EXPORT void fatal(const char *format, ...) NUB_PRINTF(1, 2);
NUBUX_EXPORT void log(const char *format, ...) NUB_PRINTF(1, 2);
NUBUX_EXPORT void status(const char *format, ...) NUB_PRINTF(1, 2);
NUBUX_EXPORT void infoDlg(const char *format, ...) NUB_PRINTF(1, 2);
NUBUX_EXPORT void warnDlg(const char *format, ...) NUB_PRINTF(1, 2);
[[noreturn]] NUBUX_EXPORT void fatalDlg(const char *format, ...) NUB_PRINTF(1, 2);

// Formats once and serves every type bit set, in ascending bit order from 2.
NUBUX_EXPORT void msg(unsigned types, const char *format, ...) NUB_PRINTF(2, 3);

// Returns the previous handler; null restores standard-error output.
NUBUX_EXPORT MsgHandler installMsgHandler(MsgHandler handler);

// progress(0, n) starts, progress(i, -1) advances, progress(-1, -1) ends.
NUBUX_EXPORT void progress(int current, int total);
NUBUX_EXPORT ProgressHandler installProgressHandler(ProgressHandler handler);

// The check form: warns ">>> ERR: '<condition>' in <file> (<line>) <<<" and
// returns false, so the caller can leave at once.
NUBUX_EXPORT bool checkFailed(const char *condition, const char *file, int line);

}  // namespace Nub

// Leaves the current function with `result` when `condition` holds.
#define NUB_CHECK_RETURN(condition, result)                  \
  do {                                                       \
    if (condition) {                                         \
      Nub::checkFailed(#condition, __FILE__, __LINE__);      \
      return result;                                         \
    }                                                        \
  } while (false)

// The same for functions returning nothing.
#define NUB_CHECK(condition)                                 \
  do {                                                       \
    if (condition) {                                         \
      Nub::checkFailed(#condition, __FILE__, __LINE__);      \
      return;                                                \
    }                                                        \
  } while (false)

// Warns in the check form without leaving; for checks that skip a step.
#define NUB_CHECK_WARN(condition) \
  ((condition) ? (Nub::checkFailed(#condition, __FILE__, __LINE__), true) : false)

#endif  // NUBMSG_H
