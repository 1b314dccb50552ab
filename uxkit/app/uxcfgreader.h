#ifndef UXCFGREADER_H
#define UXCFGREADER_H

// Internal to the configuration codec (uxcfgfile.cpp): pulls big-endian
// fields and typed values off a device and remembers the first damage.

#include "uxcfgfile.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace Ux {

class CfgReader {
 public:
  static constexpr quint32 NULL_MARKER = 0xFFFFFFFFu;
  static constexpr quint32 MSECS_PER_DAY = 86400000u;

  explicit CfgReader(QIODevice &device)
      : mDevice(device),
        mEnd(device.isSequential() ? -1 : device.size()),
        mPos(device.isSequential() ? 0 : device.pos()),
        mStart(mPos) {}

  static QString tr(const char *text) { return QCoreApplication::translate("Ux::CfgFile", text); }

  qint64 offset() const { return mPos - mStart; }

  // Bytes left, or -1 when the device cannot tell (a pipe).
  qint64 remaining() const { return mEnd < 0 ? -1 : std::max<qint64>(0, mEnd - mPos); }

  bool failed() const { return mStatus != CfgFile::S_Ok; }
  CfgFile::StatusE status() const { return mStatus; }
  qint64 damageOffset() const { return mDamageOffset; }
  const QString &damage() const { return mDamage; }

  bool fail(CfgFile::StatusE status, qint64 offset, const QString &text) {
    if (failed()) return false;
    mStatus = status;
    mDamageOffset = offset;
    mDamage = text;
    return false;
  }

  bool atEnd() {
    if (mEnd >= 0) return mPos >= mEnd;
    char c = 0;
    return mDevice.peek(&c, 1) <= 0;
  }

  bool take(char *dst, qint64 n) {
    if (failed()) return false;
    const qint64 at = offset();
    qint64 done = 0;
    while (done < n) {
      const qint64 got = mDevice.read(dst + done, n - done);
      if (got < 0) {
        return fail(CfgFile::S_ReadError, at + done,
                    tr("the file could not be read at byte %1").arg(at + done));
      }
      if (got == 0) {
        mPos += done;
        return fail(CfgFile::S_CutShort, offset(), tr("the file ends at byte %1").arg(offset()));
      }
      done += got;
    }
    mPos += n;
    return true;
  }

  bool u8(quint8 *v) { return take(reinterpret_cast<char *>(v), 1); }

  bool u16(quint16 *v) {
    uchar b[2];
    if (!take(reinterpret_cast<char *>(b), 2)) return false;
    *v = qFromBigEndian<quint16>(b);
    return true;
  }

  bool u32(quint32 *v) {
    uchar b[4];
    if (!take(reinterpret_cast<char *>(b), 4)) return false;
    *v = qFromBigEndian<quint32>(b);
    return true;
  }

  bool i32(qint32 *v) {
    quint32 u = 0;
    if (!u32(&u)) return false;
    *v = qint32(u);
    return true;
  }

  bool u64(quint64 *v) {
    uchar b[8];
    if (!take(reinterpret_cast<char *>(b), 8)) return false;
    *v = qFromBigEndian<quint64>(b);
    return true;
  }

  bool f64(double *v) {
    quint64 bits = 0;
    if (!u64(&bits)) return false;
    std::memcpy(v, &bits, sizeof bits);
    return true;
  }

  // Whether `need` more bytes can be there; a device of unknown size is
  // given the benefit of the doubt and read in slices.
  bool fits(qint64 need, qint64 at, const QString &what) {
    const qint64 left = remaining();
    if (left >= 0 && need > left) {
      return fail(CfgFile::S_BadLength, at,
                  tr("%1 at byte %2 exceeds the %3 bytes that remain").arg(what).arg(at).arg(left));
    }
    return true;
  }

  bool string(QString *s) {
    const qint64 at = offset();
    quint32 bytes = 0;
    if (!u32(&bytes)) return false;
    if (bytes == NULL_MARKER) {
      *s = QString();
      return true;
    }
    if (bytes % 2 != 0) {
      return fail(CfgFile::S_BadLength, at, tr("odd string length %1 at byte %2").arg(bytes).arg(at));
    }
    if (!fits(bytes, at, tr("string length %1").arg(bytes))) return false;
    const qint64 units = bytes / 2;
    QString out;
    if (units == 0) out = QStringLiteral("");  // empty, not null
    qint64 done = 0;
    while (done < units) {
      const qint64 slice = std::min(units - done, SLICE);
      out.resize(done + slice);
      if (!take(reinterpret_cast<char *>(out.data() + done), slice * 2)) return false;
      done += slice;
    }
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    for (qint64 i = 0; i < units; ++i) p[i] = qFromBigEndian(p[i]);
    *s = out;
    return true;
  }

  bool byteArray(QByteArray *a) {
    const qint64 at = offset();
    quint32 bytes = 0;
    if (!u32(&bytes)) return false;
    if (bytes == NULL_MARKER) {
      *a = QByteArray();
      return true;
    }
    if (!fits(bytes, at, tr("byte-array length %1").arg(bytes))) return false;
    QByteArray out("", 0);  // empty, not null
    qint64 done = 0;
    while (done < bytes) {
      const qint64 slice = std::min(qint64(bytes) - done, SLICE);
      out.resize(done + slice);
      if (!take(out.data() + done, slice)) return false;
      done += slice;
    }
    *a = out;
    return true;
  }

  bool time(QTime *t) {
    const qint64 at = offset();
    quint32 ms = 0;
    if (!u32(&ms)) return false;
    if (ms >= MSECS_PER_DAY) {
      return fail(CfgFile::S_BadValue, at,
                  tr("a time of %1 ms at byte %2 lies past the end of the day").arg(ms).arg(at));
    }
    *t = QTime::fromMSecsSinceStartOfDay(int(ms));
    return true;
  }

  bool date(QDate *d) {
    quint32 jd = 0;
    if (!u32(&jd)) return false;
    *d = QDate::fromJulianDay(jd);
    return true;
  }

  // A count of items that each take at least `least` bytes.
  bool count(quint32 *n, qint64 least, const char *what) {
    const qint64 at = offset();
    if (!u32(n)) return false;
    return fits(qint64(*n) * least, at, tr(what).arg(*n));
  }

  // The type number and the value that follows it; `depth` counts the lists
  // and maps around it.
  bool value(CfgFile::Value *v, int depth) {
    const qint64 at = offset();
    quint32 type = 0;
    if (!u32(&type)) return false;
    if (!payload(type, &v->value, depth)) {
      if (!failed()) {
        fail(CfgFile::S_UnknownKind, at, tr("unknown type number %1 at byte %2").arg(type).arg(at));
      }
      return false;
    }
    v->kind = CfgFile::KindE(type);
    return true;
  }

  // The value of a kind; false without damage for a type number it does not know.
  bool payload(quint32 type, QVariant *value, int depth) {
    switch (type) {
      case CfgFile::K_Invalid: {
        const qint64 at = offset();
        quint32 marker = 0;
        if (!u32(&marker)) return false;
        if (marker != NULL_MARKER) {
          return fail(CfgFile::S_BadValue, at,
                      tr("the invalid value at byte %1 lacks the null-string marker").arg(at));
        }
        *value = QVariant();
        return true;
      }
      case CfgFile::K_Map:
      case CfgFile::K_List:
        return container(type, value, depth);
      case CfgFile::K_String: {
        QString s;
        if (!string(&s)) return false;
        *value = s;
        return true;
      }
      case CfgFile::K_StringList: {
        quint32 n = 0;
        // Each string takes at least its 4-byte length.
        if (!count(&n, 4, "string-list count %1")) return false;
        QStringList list;
        for (quint32 i = 0; i < n; ++i) {
          QString s;
          if (!string(&s)) return false;
          list.append(s);
        }
        *value = list;
        return true;
      }
      case CfgFile::K_Rect: {
        qint32 l = 0, t = 0, r = 0, b = 0;
        if (!i32(&l) || !i32(&t) || !i32(&r) || !i32(&b)) return false;
        *value = QRect(QPoint(l, t), QPoint(r, b));
        return true;
      }
      case CfgFile::K_Size:
      case CfgFile::K_Point: {
        qint32 x = 0, y = 0;
        if (!i32(&x) || !i32(&y)) return false;
        *value = type == CfgFile::K_Size ? QVariant(QSize(x, y)) : QVariant(QPoint(x, y));
        return true;
      }
      case CfgFile::K_Color: {
        quint32 argb = 0;
        if (!u32(&argb)) return false;
        *value = QColor::fromRgba(argb);
        return true;
      }
      case CfgFile::K_Int: {
        qint32 v = 0;
        if (!i32(&v)) return false;
        *value = int(v);
        return true;
      }
      case CfgFile::K_UInt: {
        quint32 v = 0;
        if (!u32(&v)) return false;
        *value = uint(v);
        return true;
      }
      case CfgFile::K_Bool: {
        const qint64 at = offset();
        quint8 b = 0;
        if (!u8(&b)) return false;
        if (b > 1) {
          return fail(CfgFile::S_BadValue, at,
                      tr("the Bool at byte %1 holds %2, neither 0 nor 1").arg(at).arg(b));
        }
        *value = b == 1;
        return true;
      }
      case CfgFile::K_Double: {
        double v = 0;
        if (!f64(&v)) return false;
        *value = v;
        return true;
      }
      case CfgFile::K_Date: {
        QDate d;
        if (!date(&d)) return false;
        *value = d;
        return true;
      }
      case CfgFile::K_Time: {
        QTime t;
        if (!time(&t)) return false;
        *value = t;
        return true;
      }
      case CfgFile::K_DateTime: {
        QDate d;
        QTime t;
        if (!date(&d) || !time(&t)) return false;
        *value = QDateTime(d, t, Qt::UTC);
        return true;
      }
      case CfgFile::K_ByteArray: {
        QByteArray a;
        if (!byteArray(&a)) return false;
        *value = a;
        return true;
      }
      case CfgFile::K_Pen: {
        CfgFile::Pen pen;
        quint16 width = 0;
        if (!u8(&pen.style) || !u16(&width) || !u32(&pen.color)) return false;
        pen.width = qint16(width);
        *value = QVariant::fromValue(pen);
        return true;
      }
      case CfgFile::K_LongLong:
      case CfgFile::K_ULongLong: {
        quint64 v = 0;
        if (!u64(&v)) return false;
        *value = type == CfgFile::K_LongLong ? QVariant(qlonglong(v)) : QVariant(qulonglong(v));
        return true;
      }
      default:
        return false;
    }
  }

 private:
  // Large strings are read in slices, so a length can never make us allocate
  // much more than the bytes that actually arrive.
  static constexpr qint64 SLICE = 1 << 16;

  bool container(quint32 type, QVariant *value, int depth) {
    const qint64 at = offset();
    if (depth >= CfgFile::MAX_DEPTH) {
      return fail(CfgFile::S_TooDeep, at,
                  tr("lists and maps nest deeper than %1 levels at byte %2")
                      .arg(CfgFile::MAX_DEPTH).arg(at));
    }
    quint32 n = 0;
    if (type == CfgFile::K_List) {
      // An item takes at least its type number and a Bool's byte.
      if (!count(&n, 5, "list count %1")) return false;
      CfgFile::List list;
      for (quint32 i = 0; i < n; ++i) {
        CfgFile::Value item;
        if (!this->value(&item, depth + 1)) return false;
        list.append(item);
      }
      *value = QVariant::fromValue(list);
      return true;
    }
    // A pair takes at least a key's length and the smallest value.
    if (!count(&n, 9, "map count %1")) return false;
    CfgFile::Map map;
    for (quint32 i = 0; i < n; ++i) {
      CfgFile::Entry pair;
      CfgFile::Value item;
      if (!string(&pair.key) || !this->value(&item, depth + 1)) return false;
      pair.kind = item.kind;
      pair.value = item.value;
      map.append(pair);
    }
    *value = QVariant::fromValue(map);
    return true;
  }

  QIODevice &mDevice;
  qint64 mEnd;
  qint64 mPos;
  qint64 mStart;
  CfgFile::StatusE mStatus = CfgFile::S_Ok;
  qint64 mDamageOffset = -1;
  QString mDamage;
};

}  // namespace Ux

#endif  // UXCFGREADER_H
