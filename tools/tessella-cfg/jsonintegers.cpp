#include "jsonintegers.h"

#include <QJsonObject>
#include <QString>

#include <cmath>

namespace {

// Digits a double holds exactly whatever they are.
constexpr int EXACT_DIGITS = 15;
const char *const WRAP_KEY = "\u0001";

bool numberChar(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// The text of a wrapped literal, or a null array.
QByteArray wrapped(const QJsonValue &value) {
  if (!value.isObject()) return QByteArray();
  const QJsonObject o = value.toObject();
  const QJsonValue text = o.value(QLatin1String(WRAP_KEY));
  if (o.size() != 1 || !text.isString()) return QByteArray();
  return text.toString().toLatin1();
}

}  // namespace

QByteArray JsonIntegers::protect(const QByteArray &json) {
  QByteArray out;
  out.reserve(json.size());
  bool inString = false;
  for (qsizetype i = 0; i < json.size(); ++i) {
    const char c = json.at(i);
    if (inString) {
      out += c;
      if (c == '\\' && i + 1 < json.size()) {
        out += json.at(++i);
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
      out += c;
      continue;
    }
    if (c != '-' && (c < '0' || c > '9')) {
      out += c;
      continue;
    }
    qsizetype end = i;
    int digits = 0;
    bool whole = true;
    while (end < json.size() && numberChar(json.at(end))) {
      const char d = json.at(end);
      if (d >= '0' && d <= '9') ++digits;
      if (d == '.' || d == 'e' || d == 'E') whole = false;
      ++end;
    }
    const QByteArray literal = json.mid(i, end - i);
    if (whole && digits > EXACT_DIGITS) {
      out += "{\"\\u0001\": \"" + literal + "\"}";
    } else {
      out += literal;
    }
    i = end - 1;
  }
  return out;
}

bool JsonIntegers::wholeNumber(const QJsonValue &value, bool *negative, quint64 *magnitude) {
  const QByteArray text = wrapped(value);
  if (!text.isNull()) {
    const bool neg = text.startsWith('-');
    const QByteArray digits = neg ? text.mid(1) : text;
    if (digits.isEmpty()) return false;
    quint64 m = 0;
    for (char d : digits) {
      if (d < '0' || d > '9') return false;
      const quint64 next = m * 10 + quint64(d - '0');
      if (m > (~quint64(0)) / 10 || next < m * 10) return false;
      m = next;
    }
    *negative = neg && m != 0;
    *magnitude = m;
    return true;
  }
  if (!value.isDouble()) return false;
  const double d = value.toDouble();
  // 2^64 is the first magnitude out of reach.
  if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) >= 18446744073709551616.0) return false;
  *negative = d < 0;
  *magnitude = quint64(std::fabs(d));
  return true;
}

bool JsonIntegers::isWrapped(const QJsonValue &value) { return !wrapped(value).isNull(); }

bool JsonIntegers::number(const QJsonValue &value, double *out) {
  const QByteArray text = wrapped(value);
  if (!text.isNull()) {
    bool ok = false;
    *out = text.toDouble(&ok);
    return ok;
  }
  if (!value.isDouble()) return false;
  *out = value.toDouble();
  return true;
}
