#ifndef UXCFGWRITER_H
#define UXCFGWRITER_H

// Internal to the configuration codec (uxcfgfile.cpp): appends big-endian
// fields and typed values to a byte array, exactly as CfgReader reads them.

#include "uxcfgfile.h"

#include <QColor>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QtEndian>

#include <cstring>

namespace Ux {

class CfgWriter {
 public:
  static constexpr quint32 NULL_MARKER = 0xFFFFFFFFu;

  explicit CfgWriter(QByteArray &out) : mOut(out) {}

  void u8(quint8 v) { mOut.append(char(v)); }

  void u16(quint16 v) {
    uchar b[2];
    qToBigEndian(v, b);
    mOut.append(reinterpret_cast<const char *>(b), 2);
  }

  void u32(quint32 v) {
    uchar b[4];
    qToBigEndian(v, b);
    mOut.append(reinterpret_cast<const char *>(b), 4);
  }

  void i32(qint32 v) { u32(quint32(v)); }

  void u64(quint64 v) {
    uchar b[8];
    qToBigEndian(v, b);
    mOut.append(reinterpret_cast<const char *>(b), 8);
  }

  bool string(const QString &s) {
    if (s.isNull()) {
      u32(NULL_MARKER);
      return true;
    }
    if (qint64(s.size()) * 2 >= qint64(NULL_MARKER)) return false;
    u32(quint32(s.size() * 2));
    const qsizetype at = mOut.size();
    mOut.resize(at + s.size() * 2);
    uchar *dst = reinterpret_cast<uchar *>(mOut.data() + at);
    for (qsizetype i = 0; i < s.size(); ++i) qToBigEndian<quint16>(s.at(i).unicode(), dst + 2 * i);
    return true;
  }

  bool byteArray(const QByteArray &a) {
    if (a.isNull()) {
      u32(NULL_MARKER);
      return true;
    }
    if (qint64(a.size()) >= qint64(NULL_MARKER)) return false;
    u32(quint32(a.size()));
    mOut.append(a);
    return true;
  }

  bool count(qsizetype n) {
    if (qint64(n) >= qint64(NULL_MARKER)) return false;
    u32(quint32(n));
    return true;
  }

  // The type number and the value; the caller has checked that the value
  // holds what its kind needs (CfgFile::isConsistent).
  bool value(CfgFile::KindE kind, const QVariant &v) {
    u32(kind);
    switch (kind) {
      case CfgFile::K_Invalid:
        u32(NULL_MARKER);
        return true;
      case CfgFile::K_Map: {
        const CfgFile::Map map = v.value<CfgFile::Map>();
        if (!count(map.size())) return false;
        for (const CfgFile::Entry &pair : map) {
          if (!string(pair.key) || !value(pair.kind, pair.value)) return false;
        }
        return true;
      }
      case CfgFile::K_List: {
        const CfgFile::List list = v.value<CfgFile::List>();
        if (!count(list.size())) return false;
        for (const CfgFile::Value &item : list) {
          if (!value(item.kind, item.value)) return false;
        }
        return true;
      }
      case CfgFile::K_String:
        return string(v.toString());
      case CfgFile::K_StringList: {
        const QStringList list = v.toStringList();
        if (!count(list.size())) return false;
        for (const QString &s : list) {
          if (!string(s)) return false;
        }
        return true;
      }
      case CfgFile::K_Rect: {
        const QRect r = v.toRect();
        i32(r.left());
        i32(r.top());
        i32(r.right());
        i32(r.bottom());
        return true;
      }
      case CfgFile::K_Size: {
        const QSize s = v.toSize();
        i32(s.width());
        i32(s.height());
        return true;
      }
      case CfgFile::K_Point: {
        const QPoint p = v.toPoint();
        i32(p.x());
        i32(p.y());
        return true;
      }
      case CfgFile::K_Color:
        u32(v.value<QColor>().rgba());
        return true;
      case CfgFile::K_Int:
        i32(v.toInt());
        return true;
      case CfgFile::K_UInt:
        u32(v.toUInt());
        return true;
      case CfgFile::K_Bool:
        u8(v.toBool() ? 1 : 0);
        return true;
      case CfgFile::K_Double: {
        const double d = v.toDouble();
        quint64 bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        u64(bits);
        return true;
      }
      case CfgFile::K_Date:
        u32(quint32(v.toDate().toJulianDay()));
        return true;
      case CfgFile::K_Time:
        u32(quint32(v.toTime().msecsSinceStartOfDay()));
        return true;
      case CfgFile::K_DateTime: {
        const QDateTime dt = v.toDateTime();
        u32(quint32(dt.date().toJulianDay()));
        u32(quint32(dt.time().msecsSinceStartOfDay()));
        return true;
      }
      case CfgFile::K_ByteArray:
        return byteArray(v.toByteArray());
      case CfgFile::K_Pen: {
        const CfgFile::Pen pen = v.value<CfgFile::Pen>();
        u8(pen.style);
        u16(quint16(pen.width));
        u32(pen.color);
        return true;
      }
      case CfgFile::K_LongLong:
        u64(quint64(v.toLongLong()));
        return true;
      case CfgFile::K_ULongLong:
        u64(v.toULongLong());
        return true;
    }
    return false;
  }

 private:
  QByteArray &mOut;
};

}  // namespace Ux

#endif  // UXCFGWRITER_H
