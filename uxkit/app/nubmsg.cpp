#include "nubmsg.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace Nub {
namespace {

constexpr int kMsgSize = 8196;
char gMsgBuffer[kMsgSize] = {0};
MsgHandler gMsgHandler = nullptr;
ProgressHandler gProgressHandler = nullptr;
int gProgressTotal = 100;

// A null format keeps what the buffer already holds, so that `msg` can serve
// several types with one text.
void format(const char *fmt, va_list args) {
  if (!fmt) return;
  std::vsnprintf(gMsgBuffer, kMsgSize, fmt, args);
}

const char *defaultPrefix(MsgTypeE type) {
  switch (type) {
    case MsgInfo: return "";
    case MsgNote: return "Notice: ";
    case MsgWarn: return "Warning: ";
    case MsgFatal: return "Fatal error: ";
    case MsgLog: return "Log: ";
    case MsgStatus: return "State: ";
    case MsgInfoDlg: return "Info: ";
    case MsgWarnDlg: return "Warning: ";
    case MsgFatalDlg: return "Fatal error: ";
    default: return nullptr;
  }
}

void dispatch(MsgTypeE type) {
  if (gMsgHandler) {
    gMsgHandler(type, gMsgBuffer);
    return;
  }
  const char *prefix = defaultPrefix(type);
  if (prefix) std::fprintf(stderr, "%s%s\n", prefix, gMsgBuffer);
}

[[noreturn]] void endProcess() {
  std::fflush(stderr);
  std::exit(1);
}

}  // namespace

int maxMsgSize() { return kMsgSize; }

void debug(const char *, ...) {}

#define NUB_FORMAT_AND_SEND(TYPE)  \
  va_list args;                    \
  va_start(args, fmt);             \
  format(fmt, args);               \
  va_end(args);                    \
  dispatch(TYPE)

void info(const char *fmt, ...) { NUB_FORMAT_AND_SEND(MsgInfo); }
void note(const char *fmt, ...) { NUB_FORMAT_AND_SEND(MsgNote); }
bool warn(const char *fmt, ...) {
  NUB_FORMAT_AND_SEND(MsgWarn);
  return false;
}
void fatal(const char *fmt, ...) {
  NUB_FORMAT_AND_SEND(MsgFatal);
  endProcess();
}
void log(const char *fmt, ...) { NUB_FORMAT_AND_SEND(MsgLog); }
void status(const char *fmt, ...) { NUB_FORMAT_AND_SEND(MsgStatus); }
void infoDlg(const char *fmt, ...) { NUB_FORMAT_AND_SEND(MsgInfoDlg); }
void warnDlg(const char *fmt, ...) { NUB_FORMAT_AND_SEND(MsgWarnDlg); }
void fatalDlg(const char *fmt, ...) {
  NUB_FORMAT_AND_SEND(MsgFatalDlg);
  endProcess();
}

#undef NUB_FORMAT_AND_SEND

void msg(unsigned types, const char *fmt, ...) {
  va_list args;
  va_start(args, fmt);
  format(fmt, args);
  va_end(args);
  static const MsgTypeE order[] = {MsgInfo,   MsgNote,    MsgWarn,    MsgFatal,   MsgLog,
                                   MsgStatus, MsgInfoDlg, MsgWarnDlg, MsgFatalDlg};
  for (MsgTypeE type : order) {
    if (!(types & type)) continue;
    dispatch(type);
    if (type == MsgFatal || type == MsgFatalDlg) endProcess();
  }
}

MsgHandler installMsgHandler(MsgHandler handler) {
  MsgHandler previous = gMsgHandler;
  gMsgHandler = handler;
  return previous;
}

void progress(int current, int total) {
  if (total >= 0) gProgressTotal = total;
  if (gProgressHandler) {
    gProgressHandler(current, gProgressTotal);
  } else if (current >= 0) {
    std::fprintf(stderr, "Progress: %3d/%3d\n", current, gProgressTotal);
  }
}

ProgressHandler installProgressHandler(ProgressHandler handler) {
  ProgressHandler previous = gProgressHandler;
  gProgressHandler = handler;
  return previous;
}

bool checkFailed(const char *condition, const char *file, int line) {
  return warn(">>> ERR: '%s' in %s (%d) <<<", condition, file, line);
}

}  // namespace Nub
