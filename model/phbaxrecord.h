#ifndef PHBAXRECORD_H
#define PHBAXRECORD_H

#include <QtEndian>
#include <cstdint>
#include <cstring>

// Field decoders of the BAX binary records: little-endian int16 and double,
// and ID9 fields (nine ASCII characters holding a decimal integer).
namespace PhBaxRecord {

inline int int16At(const char *p) {
  std::int16_t value;
  std::memcpy(&value, p, sizeof value);
  return qFromLittleEndian(value);
}

inline double doubleAt(const char *p) {
  std::uint64_t bits;
  std::memcpy(&bits, p, sizeof bits);
  bits = qFromLittleEndian(bits);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// As a standard decimal conversion reads it: leading blanks skipped, an
// optional sign, digits up to the first other character; no digits give 0.
// Nine characters hold at most nine digits, so the value never overflows.
inline int id9At(const char *p) {
  int i = 0;
  while (i < 9 && (p[i] == ' ' || (p[i] >= '\t' && p[i] <= '\r'))) ++i;
  bool bNegative = false;
  if (i < 9 && (p[i] == '-' || p[i] == '+')) {
    bNegative = p[i] == '-';
    ++i;
  }
  int value = 0;
  while (i < 9 && p[i] >= '0' && p[i] <= '9') value = value * 10 + (p[i++] - '0');
  return bNegative ? -value : value;
}

}  // namespace PhBaxRecord

#endif  // PHBAXRECORD_H
