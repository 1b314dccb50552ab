#ifndef PHCSVWRITER_H
#define PHCSVWRITER_H

#include <QByteArray>
#include <QString>

// Comma-separated values as RFC 4180 has them: a field with a comma, quote
// or line break is quoted, quotes doubled; lines end in CR LF. Numbers in
// the C locale, in the shortest form that reads back to the same value.
class PhCsvWriter {
 public:
  explicit PhCsvWriter(char separator = ',') : mSeparator(separator) {}

  PhCsvWriter &field(const QString &text);
  PhCsvWriter &field(const char *text) { return field(QString::fromUtf8(text)); }
  PhCsvWriter &number(long long value);
  PhCsvWriter &number(int value) { return number(static_cast<long long>(value)); }
  PhCsvWriter &number(double value);
  PhCsvWriter &number(float value);
  // An empty field.
  PhCsvWriter &empty();
  void endRow();

  const QByteArray &bytes() const { return mBytes; }

  static QByteArray shortest(double value);
  static QByteArray shortest(float value);

 private:
  void separate();

  char mSeparator;
  QByteArray mBytes;
  bool mRowStarted = false;
};

#endif  // PHCSVWRITER_H
