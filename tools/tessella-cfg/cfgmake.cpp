#include "cfgmake.h"

#include "jsonintegers.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QPoint>
#include <QRect>
#include <QRegularExpression>
#include <QSize>
#include <QStringList>

#include <cstring>
#include <limits>

using Ux::CfgFile;

namespace {

QString tr(const char *text) { return QCoreApplication::translate("tessella-cfg", text); }

// Collects the first fault with the place it was found.
class Checker {
 public:
  explicit Checker(QString *error) : mError(error) {}

  bool fail(const QString &where, const QString &what) {
    *mError = where.isEmpty() ? what : where + QStringLiteral(": ") + what;
    return false;
  }

  bool integer(const QJsonValue &v, qint64 lo, qint64 hi, qint64 *out, const QString &where,
               const QString &name) {
    bool negative = false;
    quint64 magnitude = 0;
    // Magnitudes up to 2^63, one past what qint64 holds, are compared as
    // magnitude - 1 against -(bound + 1).
    const bool whole = JsonIntegers::wholeNumber(v, &negative, &magnitude);
    const bool fits =
        whole && (negative ? lo < 0 && magnitude - 1 <= quint64(-(lo + 1)) &&
                                 (hi >= 0 || magnitude - 1 >= quint64(-(hi + 1)))
                           : hi >= 0 && magnitude <= quint64(hi) && (lo <= 0 || magnitude >= quint64(lo)));
    if (!fits) {
      return fail(where, tr("%1 must be a whole number from %2 to %3").arg(name).arg(lo).arg(hi));
    }
    *out = negative ? qint64(-qint64(magnitude - 1) - 1) : qint64(magnitude);
    return true;
  }

  bool unsignedInteger(const QJsonValue &v, quint64 hi, quint64 *out, const QString &where,
                       const QString &name) {
    bool negative = false;
    quint64 magnitude = 0;
    if (!JsonIntegers::wholeNumber(v, &negative, &magnitude) || negative || magnitude > hi) {
      return fail(where, tr("%1 must be a whole number from 0 to %2").arg(name).arg(hi));
    }
    *out = magnitude;
    return true;
  }

  bool string(const QJsonValue &v, QString *out, const QString &where, const QString &name) {
    if (v.isNull()) {
      *out = QString();
      return true;
    }
    if (!v.isString()) return fail(where, tr("%1 must be a string or null").arg(name));
    *out = v.toString();
    if (out->isNull()) *out = QStringLiteral("");  // "" stays an empty, not a null, string
    return true;
  }

  bool color(const QJsonValue &v, quint32 *out, const QString &where, const QString &name) {
    static const QRegularExpression form(QStringLiteral("^#([0-9A-Fa-f]{6}|[0-9A-Fa-f]{8})$"));
    const QString text = v.toString();
    if (!v.isString() || !form.match(text).hasMatch()) {
      return fail(where, tr("%1 must be a colour \"#AARRGGBB\" or \"#RRGGBB\"").arg(name));
    }
    *out = text.mid(1).toUInt(nullptr, 16);
    if (text.size() == 7) *out |= 0xFF000000u;
    return true;
  }

  bool real(const QJsonValue &v, double *out, const QString &where) {
    if (JsonIntegers::number(v, out)) return true;
    const QString text = v.toString();
    quint64 bits = 0;
    if (text == QLatin1String("nan")) {
      bits = 0x7FF8000000000000ull;
    } else if (text == QLatin1String("inf")) {
      bits = 0x7FF0000000000000ull;
    } else if (text == QLatin1String("-inf")) {
      bits = 0xFFF0000000000000ull;
    } else if (text == QLatin1String("-0.0")) {
      bits = 0x8000000000000000ull;
    } else {
      static const QRegularExpression raw(QStringLiteral("^0x[0-9A-Fa-f]{16}$"));
      if (!v.isString() || !raw.match(text).hasMatch()) {
        return fail(where, tr("value must be a number, \"nan\", \"inf\", \"-inf\", \"-0.0\" "
                              "or the bits \"0x\" and 16 hex digits"));
      }
      bits = text.mid(2).toULongLong(nullptr, 16);
    }
    std::memcpy(out, &bits, sizeof bits);
    return true;
  }

  // An array of exactly n 32-bit integers.
  bool ints(const QJsonValue &v, int n, qint32 *out, const QString &where, const QString &form) {
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != n) return fail(where, tr("value must be %1").arg(form));
    for (int i = 0; i < n; ++i) {
      qint64 x = 0;
      if (!integer(a.at(i), std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
                   &x, where, tr("each of %1").arg(form))) {
        return false;
      }
      out[i] = qint32(x);
    }
    return true;
  }

  bool onlyFields(const QJsonObject &o, const QStringList &allowed, const QString &where) {
    if (JsonIntegers::isWrapped(o)) return fail(where, tr("an object belongs here, not a number"));
    for (auto it = o.begin(); it != o.end(); ++it) {
      if (!allowed.contains(it.key())) {
        return fail(where, tr("unknown field \"%1\" (allowed: %2)").arg(it.key(), allowed.join(QStringLiteral(", "))));
      }
    }
    return true;
  }

 private:
  QString *mError;
};

bool readWritten(Checker &check, const QJsonValue &v, CfgFile::Header *header) {
  const QString where = QStringLiteral("written");
  if (v.isUndefined() || v.isNull()) {
    const CfgFile::Header now = CfgFile::headerAt(QDateTime::currentDateTime());
    header->julianDay = now.julianDay;
    header->msecs = now.msecs;
    return true;
  }
  if (v.isObject()) {
    const QJsonObject o = v.toObject();
    qint64 jd = 0;
    qint64 ms = 0;
    if (!check.onlyFields(o, {QStringLiteral("julianDay"), QStringLiteral("msecs")}, where) ||
        !check.integer(o.value(QStringLiteral("julianDay")), 0, 0xFFFFFFFFll, &jd, where, QStringLiteral("julianDay")) ||
        !check.integer(o.value(QStringLiteral("msecs")), 0, 0xFFFFFFFFll, &ms, where, QStringLiteral("msecs"))) {
      return false;
    }
    header->julianDay = quint32(jd);
    header->msecs = quint32(ms);
    return true;
  }
  // A local date-time, optionally with milliseconds; with a zone it is
  // converted to local time.
  static const QRegularExpression local(QStringLiteral(
      "^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})(?:\\.(\\d{1,3}))?$"));
  const QString text = v.toString();
  const QRegularExpressionMatch m = local.match(text);
  QDate date;
  QTime time;
  if (m.hasMatch()) {
    date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const int ms = m.captured(7).leftJustified(3, QLatin1Char('0')).toInt();
    time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), ms);
  } else if (v.isString()) {
    const QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (dt.isValid() && dt.timeSpec() != Qt::LocalTime) {
      date = dt.toLocalTime().date();
      time = dt.toLocalTime().time();
    }
  }
  if (!date.isValid() || !time.isValid()) {
    return check.fail(where, tr("must be an ISO 8601 date-time such as \"2024-05-01T12:30:00.000\""));
  }
  header->julianDay = quint32(date.toJulianDay());
  header->msecs = quint32(time.msecsSinceStartOfDay());
  return true;
}

// A date "YYYY-MM-DD" or, for days ISO 8601 cannot name, {"julianDay": n}.
bool readDate(Checker &check, const QJsonValue &v, QDate *out, const QString &where) {
  if (v.isObject()) {
    qint64 jd = 0;
    if (!check.onlyFields(v.toObject(), {QStringLiteral("julianDay")}, where) ||
        !check.integer(v.toObject().value(QStringLiteral("julianDay")), 0, 0xFFFFFFFFll, &jd, where,
                       QStringLiteral("julianDay"))) {
      return false;
    }
    *out = QDate::fromJulianDay(jd);
    return true;
  }
  static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
  const QRegularExpressionMatch m = form.match(v.toString());
  if (v.isString() && m.hasMatch()) {
    *out = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (out->isValid()) return true;
  }
  return check.fail(where, tr("value must be a date \"YYYY-MM-DD\" or {\"julianDay\": n}"));
}

// A time of day "hh:mm:ss.zzz", the milliseconds optional.
bool readTime(Checker &check, const QJsonValue &v, QTime *out, const QString &where) {
  static const QRegularExpression form(
      QStringLiteral("^(\\d{2}):(\\d{2}):(\\d{2})(?:\\.(\\d{1,3}))?$"));
  const QRegularExpressionMatch m = form.match(v.toString());
  if (v.isString() && m.hasMatch()) {
    const int ms = m.captured(4).leftJustified(3, QLatin1Char('0')).toInt();
    *out = QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), ms);
    if (out->isValid()) return true;
  }
  return check.fail(where, tr("value must be a time \"hh:mm:ss.zzz\""));
}

// A date and a time "YYYY-MM-DDThh:mm:ss.zzz" or {"julianDay": n, "msecs": n}.
bool readDateTime(Checker &check, const QJsonValue &v, QDateTime *out, const QString &where) {
  const QString form = tr("value must be a date-time \"YYYY-MM-DDThh:mm:ss.zzz\" or "
                          "{\"julianDay\": n, \"msecs\": n}");
  QDate date;
  QTime time;
  if (v.isObject()) {
    const QJsonObject o = v.toObject();
    qint64 jd = 0;
    qint64 ms = 0;
    if (!check.onlyFields(o, {QStringLiteral("julianDay"), QStringLiteral("msecs")}, where) ||
        !check.integer(o.value(QStringLiteral("julianDay")), 0, 0xFFFFFFFFll, &jd, where,
                       QStringLiteral("julianDay")) ||
        !check.integer(o.value(QStringLiteral("msecs")), 0, 86400000 - 1, &ms, where,
                       QStringLiteral("msecs"))) {
      return false;
    }
    date = QDate::fromJulianDay(jd);
    time = QTime::fromMSecsSinceStartOfDay(int(ms));
  } else {
    const QStringList parts = v.toString().split(QLatin1Char('T'));
    QString ignored;
    Checker quiet(&ignored);
    if (!v.isString() || parts.size() != 2 || !readDate(quiet, parts.at(0), &date, where) ||
        date.year() < 1 || !readTime(quiet, parts.at(1), &time, where)) {
      return check.fail(where, form);
    }
  }
  *out = QDateTime(date, time, Qt::UTC);
  return true;
}

bool readTyped(Checker &check, const QJsonValue &v, CfgFile::Value *out, const QString &where,
               int depth);

bool readValue(Checker &check, const QJsonValue &v, CfgFile::KindE kind, QVariant *out,
               const QString &where, int depth) {
  switch (kind) {
    case CfgFile::K_Invalid:
      if (!v.isNull()) return check.fail(where, tr("value must be null"));
      *out = QVariant();
      return true;
    case CfgFile::K_Map:
    case CfgFile::K_List: {
      if (depth >= CfgFile::MAX_DEPTH) {
        return check.fail(where, tr("lists and maps may nest at most %1 levels").arg(CfgFile::MAX_DEPTH));
      }
      const QString form = kind == CfgFile::K_Map
                               ? tr("value must be an array of [key, {\"type\": ..., \"value\": ...}]")
                               : tr("value must be an array of {\"type\": ..., \"value\": ...}");
      if (!v.isArray()) return check.fail(where, form);
      const QJsonArray a = v.toArray();
      CfgFile::List list;
      CfgFile::Map map;
      for (qsizetype i = 0; i < a.size(); ++i) {
        const QString at = where + QStringLiteral("[%1]").arg(i);
        CfgFile::Value item;
        if (kind == CfgFile::K_List) {
          if (!readTyped(check, a.at(i), &item, at, depth + 1)) return false;
          list.append(item);
          continue;
        }
        const QJsonArray pair = a.at(i).toArray();
        QString key;
        if (!a.at(i).isArray() || pair.size() != 2) return check.fail(at, form);
        if (!check.string(pair.at(0), &key, at, QStringLiteral("key")) ||
            !readTyped(check, pair.at(1), &item, at, depth + 1)) {
          return false;
        }
        map.append({key, item.kind, item.value});
      }
      *out = kind == CfgFile::K_Map ? QVariant::fromValue(map) : QVariant::fromValue(list);
      return true;
    }
    case CfgFile::K_Int:
    case CfgFile::K_LongLong: {
      const bool narrow = kind == CfgFile::K_Int;
      qint64 x = 0;
      const qint64 lo = narrow ? std::numeric_limits<qint32>::min() : std::numeric_limits<qint64>::min();
      const qint64 hi = narrow ? std::numeric_limits<qint32>::max() : std::numeric_limits<qint64>::max();
      if (!check.integer(v, lo, hi, &x, where, QStringLiteral("value"))) {
        return false;
      }
      *out = narrow ? QVariant(int(x)) : QVariant(qlonglong(x));
      return true;
    }
    case CfgFile::K_UInt:
    case CfgFile::K_ULongLong: {
      const bool narrow = kind == CfgFile::K_UInt;
      quint64 x = 0;
      const quint64 hi = narrow ? std::numeric_limits<quint32>::max() : std::numeric_limits<quint64>::max();
      if (!check.unsignedInteger(v, hi, &x, where, QStringLiteral("value"))) {
        return false;
      }
      *out = narrow ? QVariant(uint(x)) : QVariant(qulonglong(x));
      return true;
    }
    case CfgFile::K_Bool:
      if (!v.isBool()) return check.fail(where, tr("value must be true or false"));
      *out = v.toBool();
      return true;
    case CfgFile::K_Double: {
      double d = 0;
      if (!check.real(v, &d, where)) return false;
      *out = d;
      return true;
    }
    case CfgFile::K_String: {
      QString s;
      if (!check.string(v, &s, where, QStringLiteral("value"))) return false;
      *out = s;
      return true;
    }
    case CfgFile::K_StringList: {
      if (!v.isArray()) return check.fail(where, tr("value must be an array of strings"));
      QStringList list;
      const QJsonArray a = v.toArray();
      for (qsizetype i = 0; i < a.size(); ++i) {
        QString s;
        if (!check.string(a.at(i), &s, where, QStringLiteral("value[%1]").arg(i))) return false;
        list.append(s);
      }
      *out = list;
      return true;
    }
    case CfgFile::K_Rect: {
      qint32 r[4];
      if (!check.ints(v, 4, r, where, tr("[left, top, right, bottom]"))) return false;
      *out = QRect(QPoint(r[0], r[1]), QPoint(r[2], r[3]));
      return true;
    }
    case CfgFile::K_Size:
    case CfgFile::K_Point: {
      qint32 p[2];
      const bool size = kind == CfgFile::K_Size;
      if (!check.ints(v, 2, p, where, size ? tr("[width, height]") : tr("[x, y]"))) return false;
      *out = size ? QVariant(QSize(p[0], p[1])) : QVariant(QPoint(p[0], p[1]));
      return true;
    }
    case CfgFile::K_Color: {
      quint32 argb = 0;
      if (!check.color(v, &argb, where, QStringLiteral("value"))) return false;
      *out = QColor::fromRgba(argb);
      return true;
    }
    case CfgFile::K_Pen: {
      if (!v.isObject()) {
        return check.fail(where, tr("value must be {\"style\": n, \"width\": n, \"color\": \"#AARRGGBB\"}"));
      }
      const QJsonObject o = v.toObject();
      CfgFile::Pen pen;
      qint64 style = 0;
      qint64 width = 0;
      if (!check.onlyFields(o, {QStringLiteral("style"), QStringLiteral("width"), QStringLiteral("color")}, where) ||
          !check.integer(o.value(QStringLiteral("style")), 0, 255, &style, where, QStringLiteral("style")) ||
          !check.integer(o.value(QStringLiteral("width")), -32768, 32767, &width, where, QStringLiteral("width")) ||
          !check.color(o.value(QStringLiteral("color")), &pen.color, where, QStringLiteral("color"))) {
        return false;
      }
      pen.style = quint8(style);
      pen.width = qint16(width);
      *out = QVariant::fromValue(pen);
      return true;
    }
    case CfgFile::K_Date: {
      QDate date;
      if (!readDate(check, v, &date, where)) return false;
      *out = date;
      return true;
    }
    case CfgFile::K_Time: {
      QTime time;
      if (!readTime(check, v, &time, where)) return false;
      *out = time;
      return true;
    }
    case CfgFile::K_DateTime: {
      QDateTime dt;
      if (!readDateTime(check, v, &dt, where)) return false;
      *out = dt;
      return true;
    }
    case CfgFile::K_ByteArray: {
      if (v.isNull()) {
        *out = QByteArray();
        return true;
      }
      const auto decoded = QByteArray::fromBase64Encoding(v.toString().toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
      if (!v.isString() || !decoded) return check.fail(where, tr("value must be base64 text or null"));
      // "" stays an empty, not a null, byte array.
      *out = decoded.decoded.isNull() ? QByteArray("", 0) : decoded.decoded;
      return true;
    }
  }
  return false;
}

// The kind names as the messages list them.
QString kindList() { return CfgFile::kindNames().join(QStringLiteral(", ")); }

// A nested value: {"type": "<kind>", "value": ...}.
bool readTyped(Checker &check, const QJsonValue &v, CfgFile::Value *out, const QString &where,
               int depth) {
  const QJsonObject o = v.toObject();
  if (!v.isObject()) return check.fail(where, tr("must be an object with type and value"));
  if (!check.onlyFields(o, {QStringLiteral("type"), QStringLiteral("value")}, where)) return false;
  if (!CfgFile::kindFromName(o.value(QStringLiteral("type")).toString(), &out->kind)) {
    return check.fail(where, tr("type must be one of %1").arg(kindList()));
  }
  if (!o.contains(QStringLiteral("value"))) return check.fail(where, tr("value is missing"));
  return readValue(check, o.value(QStringLiteral("value")), out->kind, &out->value, where, depth);
}

}  // namespace

bool CfgMake::fromJson(const QByteArray &json, CfgFile::Header *header,
                       QList<CfgFile::Entry> *entries, QString *error) {
  Checker check(error);
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    const QByteArray before = json.left(parseError.offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = parseError.offset - (before.lastIndexOf('\n') + 1) + 1;
    return check.fail(QString(), tr("invalid JSON at line %1, column %2: %3")
                                     .arg(line).arg(column).arg(parseError.errorString()));
  }
  if (!doc.isObject()) return check.fail(QString(), tr("the JSON must be an object"));
  // Parsed again with long integers wrapped, so they arrive exactly.
  const QJsonObject root = QJsonDocument::fromJson(JsonIntegers::protect(json)).object();
  if (!check.onlyFields(root, {QStringLiteral("magic"), QStringLiteral("version"),
                               QStringLiteral("written"), QStringLiteral("entries")}, QString())) {
    return false;
  }

  CfgFile::Header h;
  if (root.contains(QStringLiteral("magic"))) {
    qint64 magic = 0;
    if (!check.integer(root.value(QStringLiteral("magic")), CfgFile::MAGIC, CfgFile::MAGIC, &magic,
                       QString(), QStringLiteral("magic"))) {
      return false;
    }
  }
  if (root.contains(QStringLiteral("version"))) {
    qint64 version = 0;
    if (!check.integer(root.value(QStringLiteral("version")), std::numeric_limits<qint32>::min(),
                       std::numeric_limits<qint32>::max(), &version, QString(), QStringLiteral("version"))) {
      return false;
    }
    h.version = qint32(version);
  }
  if (!readWritten(check, root.value(QStringLiteral("written")), &h)) return false;

  const QJsonValue list = root.value(QStringLiteral("entries"));
  if (!list.isArray()) return check.fail(QString(), tr("\"entries\" must be an array"));
  const QJsonArray array = list.toArray();
  QList<CfgFile::Entry> out;
  out.reserve(array.size());
  for (qsizetype i = 0; i < array.size(); ++i) {
    QString where = QStringLiteral("entries[%1]").arg(i);
    const QJsonValue item = array.at(i);
    if (!item.isObject()) return check.fail(where, tr("must be an object with key, type and value"));
    const QJsonObject o = item.toObject();
    if (!check.onlyFields(o, {QStringLiteral("key"), QStringLiteral("type"), QStringLiteral("value")}, where)) {
      return false;
    }
    CfgFile::Entry entry;
    if (!o.contains(QStringLiteral("key")) ||
        !check.string(o.value(QStringLiteral("key")), &entry.key, where, QStringLiteral("key"))) {
      return check.fail(where, tr("key must be a string or null"));
    }
    if (!entry.key.isNull()) where += QStringLiteral(" (\"%1\")").arg(entry.key);
    if (!CfgFile::kindFromName(o.value(QStringLiteral("type")).toString(), &entry.kind)) {
      return check.fail(where, tr("type must be one of %1").arg(kindList()));
    }
    if (!o.contains(QStringLiteral("value"))) return check.fail(where, tr("value is missing"));
    if (!readValue(check, o.value(QStringLiteral("value")), entry.kind, &entry.value, where, 0)) {
      return false;
    }
    out.append(entry);
  }
  *header = h;
  *entries = out;
  return true;
}
