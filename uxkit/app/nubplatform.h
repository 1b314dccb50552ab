#ifndef NUBPLATFORM_H
#define NUBPLATFORM_H

#include "nubux_export.h"

// Small queries of the platform the library runs on.
namespace Nub {

enum EndianE { EndianUnknown = 0, EndianBig = 1, EndianLittle = 2 };

NUBUX_EXPORT const char *version();
NUBUX_EXPORT const char *os();

// Results live in one shared name buffer; null (with a warning) on failure.
NUBUX_EXPORT const char *currentUserName();
NUBUX_EXPORT const char *computerName();

NUBUX_EXPORT EndianE endian();
NUBUX_EXPORT const char *endianTxt(int type);
NUBUX_EXPORT const char *endianTxt();

NUBUX_EXPORT void niy(const char *name = nullptr);

// Allocates 5000 blocks of 1 MiB and never frees them: a stress test of the
// out-of-memory path.
NUBUX_EXPORT void memTest();
// The same with the texts that open and close the test.
NUBUX_EXPORT void memTest(const char *startText, const char *finishedText);

}  // namespace Nub

#endif  // NUBPLATFORM_H
