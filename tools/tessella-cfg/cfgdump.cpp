#include "cfgdump.h"

#include <QColor>
#include <QDate>
#include <QLocale>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTime>

#include <cmath>
#include <cstring>

using Ux::CfgFile;

namespace {

constexpr quint64 QUIET_NAN_BITS = 0x7FF8000000000000ull;

QByteArray valueJson(const CfgFile::Entry &entry) {
  const QVariant &v = entry.value;
  switch (entry.kind) {
    case CfgFile::K_Int:
      return QByteArray::number(v.toInt());
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
      return '[' + QByteArray::number(r.left()) + ", " + QByteArray::number(r.top()) + ", " +
             QByteArray::number(r.right()) + ", " + QByteArray::number(r.bottom()) + ']';
    }
    case CfgFile::K_Size: {
      const QSize s = v.toSize();
      return '[' + QByteArray::number(s.width()) + ", " + QByteArray::number(s.height()) + ']';
    }
    case CfgFile::K_Color:
      return '"' + CfgDump::colorText(v.value<QColor>().rgba()) + '"';
    case CfgFile::K_Pen: {
      const CfgFile::Pen pen = v.value<CfgFile::Pen>();
      return "{\"style\": " + QByteArray::number(pen.style) +
             ", \"width\": " + QByteArray::number(pen.width) + ", \"color\": \"" +
             CfgDump::colorText(pen.color) + "\"}";
    }
  }
  return "null";
}

}  // namespace

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
           CfgFile::kindName(entry.kind).toLatin1() + "\", \"value\": " + valueJson(entry) + '}';
  }
  out += contents.entries.isEmpty() ? "]\n" : "\n  ]\n";
  out += "}\n";
  return out;
}
