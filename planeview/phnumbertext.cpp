#include "phnumbertext.h"

#include <QLatin1StringView>

#include <charconv>

namespace {

// Fixed three decimals, as printf's "%.3f" in the C locale, whatever the
// program's locale is.
void appendFixed(QString &out, double value) {
  char buffer[64];
  const std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
  if (r.ec != std::errc()) return;
  out.append(QLatin1StringView(buffer, r.ptr - buffer));
}

}  // namespace

PhNumberText::PhNumberText(const QString &format) {
  QString literal;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == QLatin1Char('%') && i + 1 < format.size() &&
        (format[i + 1] == QLatin1Char('1') || format[i + 1] == QLatin1Char('2'))) {
      mLiterals.append(literal);
      mPlaces.append(format[i + 1] == QLatin1Char('1') ? 0 : 1);
      literal.clear();
      ++i;
      continue;
    }
    literal.append(c);
  }
  mLiterals.append(literal);
}

void PhNumberText::fill(QString &out, double a, double b) const {
  // Truncating keeps the string's room.
  out.truncate(0);
  for (qsizetype i = 0; i < mPlaces.size(); ++i) {
    out.append(mLiterals[i]);
    appendFixed(out, mPlaces[i] == 0 ? a : b);
  }
  if (!mLiterals.isEmpty()) out.append(mLiterals.last());
}

void PhNumberText::fillInteger(QString &out, int value) {
  char buffer[16];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.truncate(0);
  out.append(QLatin1StringView(buffer, r.ptr - buffer));
}
