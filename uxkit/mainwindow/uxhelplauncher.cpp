#include "uxhelplauncher.h"

#include <QProcess>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QStringList>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

namespace Ux {

bool openInExternalViewer(const QString &file, QProcess *process) {
#ifdef Q_OS_WIN
  if (!process) return false;
  process->setProgram(QStringLiteral("cmd.exe"));
  process->setArguments({QStringLiteral("/c"), file});
  process->start();
  return process->waitForStarted();
#else
  Q_UNUSED(process);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
#endif
}

}  // namespace Ux
