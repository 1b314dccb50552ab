#include "cfgmake.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QRect>
#include <QRegularExpression>
#include <QSize>
#include <QStringList>

#include <cmath>
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
    const double d = v.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!v.isDouble() || !std::isfinite(d) || d != std::floor(d) || d < double(lo) ||
        d > double(hi)) {
      return fail(where, tr("%1 must be a whole number from %2 to %3").arg(name).arg(lo).arg(hi));
    }
    *out = qint64(d);
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
    if (v.isDouble()) {
      *out = v.toDouble();
      return true;
    }
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

bool readValue(Checker &check, const QJsonValue &v, CfgFile::Entry *entry, const QString &where) {
  switch (entry->kind) {
    case CfgFile::K_Int: {
      qint64 x = 0;
      if (!check.integer(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), &x,
                         where, QStringLiteral("value"))) {
        return false;
      }
      entry->value = int(x);
      return true;
    }
    case CfgFile::K_Double: {
      double d = 0;
      if (!check.real(v, &d, where)) return false;
      entry->value = d;
      return true;
    }
    case CfgFile::K_String: {
      QString s;
      if (!check.string(v, &s, where, QStringLiteral("value"))) return false;
      entry->value = s;
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
      entry->value = list;
      return true;
    }
    case CfgFile::K_Rect: {
      qint32 r[4];
      if (!check.ints(v, 4, r, where, tr("[left, top, right, bottom]"))) return false;
      entry->value = QRect(QPoint(r[0], r[1]), QPoint(r[2], r[3]));
      return true;
    }
    case CfgFile::K_Size: {
      qint32 s[2];
      if (!check.ints(v, 2, s, where, tr("[width, height]"))) return false;
      entry->value = QSize(s[0], s[1]);
      return true;
    }
    case CfgFile::K_Color: {
      quint32 argb = 0;
      if (!check.color(v, &argb, where, QStringLiteral("value"))) return false;
      entry->value = QColor::fromRgba(argb);
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
      entry->value = QVariant::fromValue(pen);
      return true;
    }
  }
  return false;
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
  const QJsonObject root = doc.object();
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
      return check.fail(where, tr("type must be one of Int, Double, String, StringList, Rect, "
                                  "Size, Color, Pen"));
    }
    if (!o.contains(QStringLiteral("value"))) return check.fail(where, tr("value is missing"));
    if (!readValue(check, o.value(QStringLiteral("value")), &entry, where)) return false;
    out.append(entry);
  }
  *header = h;
  *entries = out;
  return true;
}
