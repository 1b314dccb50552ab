#ifndef JSONINTEGERS_H
#define JSONINTEGERS_H

#include <QByteArray>
#include <QJsonValue>

// Whole JSON numbers read exactly. The toolkit's JSON values hold doubles,
// which lose 64-bit integers beyond 2^53; so before parsing, every integer
// literal too long for a double is wrapped as {"\u0001": "<digits>"}, and
// the checkers read numbers through wholeNumber, which knows that form.
class JsonIntegers {
 public:
  // The JSON text with its long integer literals wrapped; the text must
  // already parse, so that numbers are found outside strings only.
  static QByteArray protect(const QByteArray &json);

  // A whole number as sign and magnitude, from a JSON number that holds an
  // integer or from a wrapped literal; false for anything else, or for a
  // magnitude of 2^64 and more.
  static bool wholeNumber(const QJsonValue &value, bool *negative, quint64 *magnitude);

  // Whether the value is a wrapped literal.
  static bool isWrapped(const QJsonValue &value);

  // A number as a double, a wrapped literal included; false for anything else.
  static bool number(const QJsonValue &value, double *out);
};

#endif  // JSONINTEGERS_H
