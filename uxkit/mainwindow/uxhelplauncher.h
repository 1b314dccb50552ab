#ifndef UXHELPLAUNCHER_H
#define UXHELPLAUNCHER_H

#include "nubux_export.h"

#include <QString>

class QProcess;

namespace Ux {

// Opens a file in the viewer the operating system associates with it. On
// Windows the command interpreter is started through `process` (whose output
// the caller may read); elsewhere the desktop opens it, without a shell.
NUBUX_EXPORT bool openInExternalViewer(const QString &file, QProcess *process);

}  // namespace Ux

#endif  // UXHELPLAUNCHER_H
