#include "nubtext.h"

#include <cstdarg>
#include <cstdio>

namespace Nub {
namespace {
constexpr int kTextSize = 8196;
char gTextBuffer[kTextSize] = {0};
}  // namespace

int maxTextSize() { return kTextSize; }

const char *text(const char *fmt, ...) {
  if (!fmt) return nullptr;
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(gTextBuffer, kTextSize, fmt, args);
  va_end(args);
  return gTextBuffer;
}

const char *ascii(const char *value) { return value; }
const char *ascii(bool value) { return value ? "TRUE" : "FALSE"; }
const char *ascii(unsigned long value) { return text("%lu", value); }
const char *ascii(float value) { return text("%f", static_cast<double>(value)); }
const char *ascii(double value) { return text("%f", value); }

bool testFlag(unsigned value, unsigned flag) { return (value & flag) != 0; }

}  // namespace Nub
