#include "monkeylog.h"

#include <QByteArray>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {
int sFd = -1;
bool sEcho = false;

void writeAll(int fd, const QByteArray &bytes) {
  const char *p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, size_t(left));
    if (n <= 0) return;
    p += n;
    left -= n;
  }
}
}  // namespace

bool MonkeyLog::open(const QString &path, bool echo) {
  sEcho = echo;
  if (path.isEmpty()) return true;
  sFd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return sFd >= 0;
}

void MonkeyLog::line(const QString &text) {
  const QByteArray bytes = text.toUtf8() + '\n';
  if (sFd >= 0) writeAll(sFd, bytes);
  if (sEcho) writeAll(2, bytes);
}

void MonkeyLog::close() {
  if (sFd >= 0) ::close(sFd);
  sFd = -1;
}
