#ifndef NUBTEXT_H
#define NUBTEXT_H

#include "nubmsg.h"

// Text helpers. Results of `text` and `ascii` live in one shared buffer that
// each call overwrites.
namespace Nub {

NUBUX_EXPORT int maxTextSize();
NUBUX_EXPORT const char *text(const char *format, ...) NUB_PRINTF(1, 2);

NUBUX_EXPORT const char *ascii(const char *value);
NUBUX_EXPORT const char *ascii(bool value);
NUBUX_EXPORT const char *ascii(unsigned long value);
NUBUX_EXPORT const char *ascii(float value);
NUBUX_EXPORT const char *ascii(double value);

NUBUX_EXPORT bool testFlag(unsigned value, unsigned flag);

}  // namespace Nub

#endif  // NUBTEXT_H
