#ifndef UXMSG_H
#define UXMSG_H

#include "nubux_export.h"

#include <QString>

// The message functions for texts that are already made: translated, then
// filled with QString::arg. The text is handed over as data, never as a
// format, so a "%" in a translation or a file name is only a character.
namespace Ux {

NUBUX_EXPORT void info(const QString &text);
NUBUX_EXPORT void note(const QString &text);
// False, as Nub::warn, so a failing function can return it.
NUBUX_EXPORT bool warn(const QString &text);
NUBUX_EXPORT void log(const QString &text);
NUBUX_EXPORT void status(const QString &text);
NUBUX_EXPORT void infoDlg(const QString &text);
NUBUX_EXPORT void warnDlg(const QString &text);
[[noreturn]] NUBUX_EXPORT void fatal(const QString &text);
[[noreturn]] NUBUX_EXPORT void fatalDlg(const QString &text);
NUBUX_EXPORT void msg(unsigned types, const QString &text);

}  // namespace Ux

#endif  // UXMSG_H
