#include "cfgdump.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTime>

#include <cmath>
#include <cstring>
#include <initializer_list>

using Ux::CfgFile;

namespace {

constexpr quint64 QUIET_NAN_BITS = 0x7FF8000000000000ull;

QByteArray ints(std::initializer_list<qint64> values) {
  QByteArrayList parts;
  for (qint64 v : values) parts << QByteArray::number(v);
  return '[' + parts.join(", ") + ']';
}

// A Julian day ISO 8601 can name as a four-digit year.
bool plainYear(const QDate &date) { return date.isValid() && date.year() >= 1 && date.year() <= 9999; }

QByteArray dateText(const QDate &date) { return date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1(); }

QByteArray timeText(const QTime &time) { return time.toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1(); }

QByteArray valueJson(CfgFile::KindE kind, const QVariant &v) {
  switch (kind) {
    case CfgFile::K_Invalid:
      return "null";
    case CfgFile::K_Map: {
      QByteArrayList parts;
      for (const CfgFile::Entry &pair : v.value<CfgFile::Map>()) {
        parts << '[' + CfgDump::jsonString(pair.key) + ", " + CfgDump::typedJson(pair.kind, pair.value) + ']';
      }
      return '[' + parts.join(", ") + ']';
    }
    case CfgFile::K_List: {
      QByteArrayList parts;
      for (const CfgFile::Value &item : v.value<CfgFile::List>()) {
        parts << CfgDump::typedJson(item.kind, item.value);
      }
      return '[' + parts.join(", ") + ']';
    }
    case CfgFile::K_Int:
      return QByteArray::number(v.toInt());
    case CfgFile::K_UInt:
      return QByteArray::number(v.toUInt());
    case CfgFile::K_LongLong:
      return QByteArray::number(v.toLongLong());
    case CfgFile::K_ULongLong:
      return QByteArray::number(v.toULongLong());
    case CfgFile::K_Bool:
      return v.toBool() ? "true" : "false";
    case CfgFile::K_Double:
      return CfgDump::jsonDouble(v.toDouble());
    case CfgFile::K_String:
      return CfgDump::jsonString(v.toString());
    case CfgFile::K_StringList: {
      QByteArrayList parts;
      for (const QString &s : v.toStringList()) parts << CfgDump::jsonString(s);
      return '[' + parts.join(", ") + ']';
    }
    case CfgFile::K_Rect: {
      const QRect r = v.toRect();
      return ints({r.left(), r.top(), r.right(), r.bottom()});
    }
    case CfgFile::K_Size: {
      const QSize s = v.toSize();
      return ints({s.width(), s.height()});
    }
    case CfgFile::K_Point: {
      const QPoint p = v.toPoint();
      return ints({p.x(), p.y()});
    }
    case CfgFile::K_Color:
      return '"' + CfgDump::colorText(v.value<QColor>().rgba()) + '"';
    case CfgFile::K_Pen: {
      const CfgFile::Pen pen = v.value<CfgFile::Pen>();
      return "{\"style\": " + QByteArray::number(pen.style) +
             ", \"width\": " + QByteArray::number(pen.width) + ", \"color\": \"" +
             CfgDump::colorText(pen.color) + "\"}";
    }
    case CfgFile::K_Date: {
      const QDate date = v.toDate();
      if (plainYear(date)) return '"' + dateText(date) + '"';
      return "{\"julianDay\": " + QByteArray::number(date.toJulianDay()) + '}';
    }
    case CfgFile::K_Time:
      return '"' + timeText(v.toTime()) + '"';
    case CfgFile::K_DateTime: {
      const QDateTime dt = v.toDateTime();
      if (plainYear(dt.date())) return '"' + dateText(dt.date()) + 'T' + timeText(dt.time()) + '"';
      return "{\"julianDay\": " + QByteArray::number(dt.date().toJulianDay()) +
             ", \"msecs\": " + QByteArray::number(dt.time().msecsSinceStartOfDay()) + '}';
    }
    case CfgFile::K_ByteArray: {
      const QByteArray bytes = v.toByteArray();
      return bytes.isNull() ? QByteArray("null") : '"' + bytes.toBase64() + '"';
    }
  }
  return "null";
}

}  // namespace

QByteArray CfgDump::typedJson(CfgFile::KindE kind, const QVariant &value) {
  return "{\"type\": \"" + CfgFile::kindName(kind).toLatin1() + "\", \"value\": " +
         valueJson(kind, value) + '}';
}

QByteArray CfgDump::jsonString(const QString &text) {
  if (text.isNull()) return "null";
  QByteArray out = "\"";
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = text.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
      out += text.mid(i, 2).toUtf8();
      ++i;
    } else if (QChar::isSurrogate(c) || c < 0x20) {
      // A lone surrogate has no UTF-8 form; the escape keeps it exact.
      switch (c) {
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += "\\u" + QByteArray::number(c, 16).rightJustified(4, '0');
      }
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += QString(QChar(c)).toUtf8();
    }
  }
  return out + '"';
}

QByteArray CfgDump::jsonDouble(double value) {
  quint64 bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  // JSON has no form for these; strings that CfgMake reads back.
  if (std::isnan(value)) {
    if (bits == QUIET_NAN_BITS) return "\"nan\"";
    return "\"0x" + QByteArray::number(bits, 16).toUpper().rightJustified(16, '0') + '"';
  }
  if (std::isinf(value)) return value > 0 ? "\"inf\"" : "\"-inf\"";
  if (value == 0 && std::signbit(value)) return "\"-0.0\"";
  QByteArray text = QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
  if (!text.contains('.') && !text.contains('e')) text += ".0";
  return text;
}

QByteArray CfgDump::colorText(quint32 argb) {
  return '#' + QByteArray::number(argb, 16).toUpper().rightJustified(8, '0');
}

QByteArray CfgDump::writtenJson(const CfgFile::Header &header) {
  const QDate date = QDate::fromJulianDay(header.julianDay);
  if (header.msecs < 86400000u && date.isValid() && date.year() >= 1 && date.year() <= 9999) {
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(header.msecs));
    return '"' + date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + 'T' +
           time.toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1() + '"';
  }
  // Not a date-time ISO 8601 can name: the raw fields.
  return "{\"julianDay\": " + QByteArray::number(header.julianDay) +
         ", \"msecs\": " + QByteArray::number(header.msecs) + '}';
}

QByteArray CfgDump::toJson(const CfgFile::Contents &contents) {
  QByteArray out;
  out += "{\n";
  out += "  \"magic\": " + QByteArray::number(contents.header.magic) + ",\n";
  out += "  \"version\": " + QByteArray::number(contents.header.version) + ",\n";
  out += "  \"written\": " + writtenJson(contents.header) + ",\n";
  out += "  \"entries\": [";
  for (qsizetype i = 0; i < contents.entries.size(); ++i) {
    const CfgFile::Entry &entry = contents.entries.at(i);
    out += i == 0 ? "\n    " : ",\n    ";
    out += "{\"key\": " + jsonString(entry.key) + ", \"type\": \"" +
           CfgFile::kindName(entry.kind).toLatin1() + "\", \"value\": " +
           valueJson(entry.kind, entry.value) + '}';
  }
  out += contents.entries.isEmpty() ? "]\n" : "\n  ]\n";
  out += "}\n";
  return out;
}
