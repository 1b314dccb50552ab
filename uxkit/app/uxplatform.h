#ifndef UXPLATFORM_H
#define UXPLATFORM_H

#include "nubux_export.h"

#include <QString>

// Toolkit-side platform queries.
namespace Ux {

NUBUX_EXPORT const char *version();
// Null string (with a warning) on failure.
NUBUX_EXPORT QString currentUserName();
NUBUX_EXPORT QString computerName();
NUBUX_EXPORT void memTest();

}  // namespace Ux

#endif  // UXPLATFORM_H
