#include "phcsvwriter.h"

#include <charconv>
#include <cmath>

namespace {

template <class T>
QByteArray shortestOf(T value) {
  // Not-a-number and infinities have no CSV form a reader agrees on.
  if (!std::isfinite(value)) return QByteArray();
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return QByteArray(buffer, int(result.ptr - buffer));
}

}  // namespace

QByteArray PhCsvWriter::shortest(double value) { return shortestOf(value); }

QByteArray PhCsvWriter::shortest(float value) { return shortestOf(value); }

void PhCsvWriter::separate() {
  if (mRowStarted) mBytes += mSeparator;
  mRowStarted = true;
}

PhCsvWriter &PhCsvWriter::field(const QString &text) {
  separate();
  const QByteArray utf8 = text.toUtf8();
  const bool quote = utf8.contains(mSeparator) || utf8.contains('"') || utf8.contains('\n') ||
                     utf8.contains('\r');
  if (!quote) {
    mBytes += utf8;
    return *this;
  }
  mBytes += '"';
  for (char c : utf8) {
    if (c == '"') mBytes += '"';
    mBytes += c;
  }
  mBytes += '"';
  return *this;
}

PhCsvWriter &PhCsvWriter::number(long long value) {
  separate();
  mBytes += QByteArray::number(value);
  return *this;
}

PhCsvWriter &PhCsvWriter::number(double value) {
  separate();
  mBytes += shortest(value);
  return *this;
}

PhCsvWriter &PhCsvWriter::number(float value) {
  separate();
  mBytes += shortest(value);
  return *this;
}

PhCsvWriter &PhCsvWriter::empty() {
  separate();
  return *this;
}

void PhCsvWriter::endRow() {
  mBytes += "\r\n";
  mRowStarted = false;
}
