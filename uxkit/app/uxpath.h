#ifndef UXPATH_H
#define UXPATH_H

#include "nubux_export.h"

#include <QString>

class QFileInfo;

// Path composition and layout helpers shared by the library and the program.
namespace Ux {

// a + "/" + b (the slash only between two non-empty parts), native separators.
NUBUX_EXPORT QString pathConcat(const QString &a, const QString &b);
// "INVALID", "%d [Bytes]", "%.2f [KB]" or "%.2f [MB]".
NUBUX_EXPORT QString pathSizeTxt(const QFileInfo &info);
NUBUX_EXPORT QString pathSetExtension(const QString &path, const QString &ext,
                                      bool *changed = nullptr);

NUBUX_EXPORT QString supportedInputImageFormats();
NUBUX_EXPORT QString supportedOutputImageFormats();

NUBUX_EXPORT int stdSpace();

// A common width for a column of labels: measured from the widest text.
NUBUX_EXPORT int layoutOn(const char *text);
NUBUX_EXPORT int layoutOff();
NUBUX_EXPORT int layoutWidth();
NUBUX_EXPORT bool layoutActive();

}  // namespace Ux

#endif  // UXPATH_H
