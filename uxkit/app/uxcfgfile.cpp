#include "uxcfgfile.h"

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QIODevice>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace Ux {

namespace {

constexpr quint32 NULL_STRING = 0xFFFFFFFFu;
constexpr quint32 MSECS_PER_DAY = 86400000u;
// Large strings are read in slices, so a length can never make us allocate
// much more than the bytes that actually arrive.
constexpr qint64 SLICE = 1 << 16;

qint64 sWriteLimit = -1;

QString trFile(const char *text) { return QCoreApplication::translate("Ux::CfgFile", text); }

// Pulls big-endian fields off a device and remembers the first damage.
class Reader {
 public:
  explicit Reader(QIODevice &device)
      : mDevice(device),
        mEnd(device.isSequential() ? -1 : device.size()),
        mPos(device.isSequential() ? 0 : device.pos()),
        mStart(mPos) {}

  qint64 offset() const { return mPos - mStart; }

  // Bytes left, or -1 when the device cannot tell (a pipe).
  qint64 remaining() const { return mEnd < 0 ? -1 : std::max<qint64>(0, mEnd - mPos); }

  bool failed() const { return mStatus != CfgFile::S_Ok; }
  CfgFile::StatusE status() const { return mStatus; }
  qint64 damageOffset() const { return mDamageOffset; }
  const QString &damage() const { return mDamage; }

  void fail(CfgFile::StatusE status, qint64 offset, const QString &text) {
    if (failed()) return;
    mStatus = status;
    mDamageOffset = offset;
    mDamage = text;
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
        fail(CfgFile::S_ReadError, at + done,
             trFile("the file could not be read at byte %1").arg(at + done));
        return false;
      }
      if (got == 0) {
        mPos += done;
        fail(CfgFile::S_CutShort, offset(), trFile("the file ends at byte %1").arg(offset()));
        return false;
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

  bool f64(double *v) {
    uchar b[8];
    if (!take(reinterpret_cast<char *>(b), 8)) return false;
    const quint64 bits = qFromBigEndian<quint64>(b);
    std::memcpy(v, &bits, sizeof bits);
    return true;
  }

  // Whether `need` more bytes can be there; a device of unknown size is
  // given the benefit of the doubt and read in slices.
  bool fits(qint64 need, qint64 at, const QString &what) {
    const qint64 left = remaining();
    if (left >= 0 && need > left) {
      fail(CfgFile::S_BadLength, at,
           trFile("%1 at byte %2 exceeds the %3 bytes that remain").arg(what).arg(at).arg(left));
      return false;
    }
    return true;
  }

  bool string(QString *s) {
    const qint64 at = offset();
    quint32 bytes = 0;
    if (!u32(&bytes)) return false;
    if (bytes == NULL_STRING) {
      *s = QString();
      return true;
    }
    if (bytes % 2 != 0) {
      fail(CfgFile::S_BadLength, at, trFile("odd string length %1 at byte %2").arg(bytes).arg(at));
      return false;
    }
    if (!fits(bytes, at, trFile("string length %1").arg(bytes))) return false;
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

 private:
  QIODevice &mDevice;
  qint64 mEnd;
  qint64 mPos;
  qint64 mStart;
  CfgFile::StatusE mStatus = CfgFile::S_Ok;
  qint64 mDamageOffset = -1;
  QString mDamage;
};

bool readValue(Reader &in, quint32 type, QVariant *value) {
  switch (type) {
    case CfgFile::K_String: {
      QString s;
      if (!in.string(&s)) return false;
      *value = s;
      return true;
    }
    case CfgFile::K_StringList: {
      const qint64 at = in.offset();
      quint32 count = 0;
      if (!in.u32(&count)) return false;
      // Each string takes at least its 4-byte length.
      if (!in.fits(qint64(count) * 4, at, trFile("string-list count %1").arg(count))) return false;
      QStringList list;
      for (quint32 i = 0; i < count; ++i) {
        QString s;
        if (!in.string(&s)) return false;
        list.append(s);
      }
      *value = list;
      return true;
    }
    case CfgFile::K_Rect: {
      qint32 l = 0, t = 0, r = 0, b = 0;
      if (!in.i32(&l) || !in.i32(&t) || !in.i32(&r) || !in.i32(&b)) return false;
      *value = QRect(QPoint(l, t), QPoint(r, b));
      return true;
    }
    case CfgFile::K_Size: {
      qint32 w = 0, h = 0;
      if (!in.i32(&w) || !in.i32(&h)) return false;
      *value = QSize(w, h);
      return true;
    }
    case CfgFile::K_Color: {
      quint32 argb = 0;
      if (!in.u32(&argb)) return false;
      *value = QColor::fromRgba(argb);
      return true;
    }
    case CfgFile::K_Int: {
      qint32 v = 0;
      if (!in.i32(&v)) return false;
      *value = int(v);
      return true;
    }
    case CfgFile::K_Double: {
      double v = 0;
      if (!in.f64(&v)) return false;
      *value = v;
      return true;
    }
    case CfgFile::K_Pen: {
      CfgFile::Pen pen;
      quint16 width = 0;
      if (!in.u8(&pen.style) || !in.u16(&width) || !in.u32(&pen.color)) return false;
      pen.width = qint16(width);
      *value = QVariant::fromValue(pen);
      return true;
    }
    default:
      return false;
  }
}

void putU32(QByteArray &out, quint32 v) {
  uchar b[4];
  qToBigEndian(v, b);
  out.append(reinterpret_cast<const char *>(b), 4);
}

void putI32(QByteArray &out, qint32 v) { putU32(out, quint32(v)); }

bool putString(QByteArray &out, const QString &s) {
  if (s.isNull()) {
    putU32(out, NULL_STRING);
    return true;
  }
  if (qint64(s.size()) * 2 >= qint64(NULL_STRING)) return false;
  putU32(out, quint32(s.size() * 2));
  const qsizetype at = out.size();
  out.resize(at + s.size() * 2);
  uchar *dst = reinterpret_cast<uchar *>(out.data() + at);
  for (qsizetype i = 0; i < s.size(); ++i) qToBigEndian<quint16>(s.at(i).unicode(), dst + 2 * i);
  return true;
}

bool putValue(QByteArray &out, const CfgFile::Entry &entry) {
  putU32(out, entry.kind);
  const QVariant &v = entry.value;
  switch (entry.kind) {
    case CfgFile::K_String:
      return putString(out, v.toString());
    case CfgFile::K_StringList: {
      const QStringList list = v.toStringList();
      if (qint64(list.size()) >= qint64(NULL_STRING)) return false;
      putU32(out, quint32(list.size()));
      for (const QString &s : list) {
        if (!putString(out, s)) return false;
      }
      return true;
    }
    case CfgFile::K_Rect: {
      const QRect r = v.toRect();
      putI32(out, r.left());
      putI32(out, r.top());
      putI32(out, r.right());
      putI32(out, r.bottom());
      return true;
    }
    case CfgFile::K_Size: {
      const QSize s = v.toSize();
      putI32(out, s.width());
      putI32(out, s.height());
      return true;
    }
    case CfgFile::K_Color:
      putU32(out, v.value<QColor>().rgba());
      return true;
    case CfgFile::K_Int:
      putI32(out, v.toInt());
      return true;
    case CfgFile::K_Double: {
      const double d = v.toDouble();
      quint64 bits = 0;
      std::memcpy(&bits, &d, sizeof bits);
      uchar b[8];
      qToBigEndian(bits, b);
      out.append(reinterpret_cast<const char *>(b), 8);
      return true;
    }
    case CfgFile::K_Pen: {
      const CfgFile::Pen pen = v.value<CfgFile::Pen>();
      out.append(char(pen.style));
      uchar b[2];
      qToBigEndian(quint16(pen.width), b);
      out.append(reinterpret_cast<const char *>(b), 2);
      putU32(out, pen.color);
      return true;
    }
  }
  return false;
}

}  // namespace

CfgFile::Contents CfgFile::read(QIODevice &device) {
  Contents c;
  Reader in(device);
  auto finish = [&c, &in]() {
    c.status = in.status();
    c.damageOffset = in.damageOffset();
    c.damage = in.damage();
    return c;
  };

  if (!in.u32(&c.header.magic)) {
    if (in.status() == S_ReadError) return finish();
    c.header.magic = 0;
    c.status = S_BadMagic;
    c.damageOffset = 0;
    c.damage = trFile("the file is shorter than its magic number");
    return c;
  }
  if (c.header.magic != MAGIC) {
    c.status = S_BadMagic;
    c.damageOffset = 0;
    c.damage = trFile("magic number %1 in place of %2").arg(c.header.magic).arg(MAGIC);
    return c;
  }
  c.header.version = 0;
  if (!in.i32(&c.header.version) || !in.u32(&c.header.julianDay) || !in.u32(&c.header.msecs) ||
      !in.u32(&c.count)) {
    return finish();
  }

  for (quint32 i = 0; i < c.count; ++i) {
    const qint64 at = in.offset();
    if (in.atEnd()) {
      in.fail(S_CutShort, at,
              trFile("the file ends after %1 of %2 entries").arg(i).arg(c.count));
      return finish();
    }
    Entry entry;
    quint32 type = 0;
    if (!in.string(&entry.key)) return finish();
    const qint64 typeAt = in.offset();
    if (!in.u32(&type)) return finish();
    QVariant value;
    if (!readValue(in, type, &value)) {
      if (!in.failed()) {
        in.fail(S_UnknownKind, typeAt,
                trFile("unknown type number %1 at byte %2").arg(type).arg(typeAt));
      }
      return finish();
    }
    entry.kind = KindE(type);
    entry.value = value;
    c.entries.append(entry);
  }
  if (!in.atEnd()) {
    in.fail(S_TrailingData, in.offset(),
            trFile("data follow the last entry at byte %1").arg(in.offset()));
  }
  return finish();
}

CfgFile::Contents CfgFile::read(const QByteArray &bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return read(buffer);
}

QByteArray CfgFile::encode(const Header &header, const QList<Entry> &entries) {
  QByteArray out;
  if (qint64(entries.size()) >= qint64(NULL_STRING)) return QByteArray();
  putU32(out, header.magic);
  putI32(out, header.version);
  putU32(out, header.julianDay);
  putU32(out, header.msecs);
  putU32(out, quint32(entries.size()));
  for (const Entry &entry : entries) {
    if (!isConsistent(entry) || !putString(out, entry.key) || !putValue(out, entry)) {
      return QByteArray();
    }
  }
  return out;
}

bool CfgFile::write(QIODevice &device, const Header &header, const QList<Entry> &entries) {
  const QByteArray bytes = encode(header, entries);
  if (bytes.isEmpty()) return false;
  qint64 toWrite = bytes.size();
  const bool faulted = sWriteLimit >= 0 && sWriteLimit < toWrite;
  if (faulted) toWrite = sWriteLimit;
  qint64 done = 0;
  while (done < toWrite) {
    const qint64 n = device.write(bytes.constData() + done, toWrite - done);
    if (n <= 0) return false;
    done += n;
  }
  return !faulted;
}

CfgFile::Header CfgFile::headerAt(const QDateTime &written) {
  Header h;
  const QDate date = written.date();
  const QTime time = written.time();
  const qint64 jd = date.isValid() ? date.toJulianDay() : 0;
  h.julianDay = (jd >= 0 && jd <= qint64(0xFFFFFFFFu)) ? quint32(jd) : 0;
  h.msecs = time.isValid() ? quint32(time.msecsSinceStartOfDay()) : 0;
  return h;
}

QDateTime CfgFile::written(const Header &header) {
  if (header.msecs >= MSECS_PER_DAY) return QDateTime();
  const QDate date = QDate::fromJulianDay(header.julianDay);
  const QTime time = QTime::fromMSecsSinceStartOfDay(int(header.msecs));
  if (!date.isValid() || !time.isValid()) return QDateTime();
  return QDateTime(date, time);
}

bool CfgFile::fromVariant(const QString &key, const QVariant &value, Entry *entry) {
  Entry e;
  e.key = key;
  switch (value.metaType().id()) {
    case QMetaType::Int:
      e.kind = K_Int;
      e.value = value.toInt();
      break;
    case QMetaType::Double:
      e.kind = K_Double;
      e.value = value.toDouble();
      break;
    case QMetaType::QString:
      e.kind = K_String;
      e.value = value.toString();
      break;
    case QMetaType::QStringList:
      e.kind = K_StringList;
      e.value = value.toStringList();
      break;
    case QMetaType::QRect:
      e.kind = K_Rect;
      e.value = value.toRect();
      break;
    case QMetaType::QSize:
      e.kind = K_Size;
      e.value = value.toSize();
      break;
    case QMetaType::QColor:
      e.kind = K_Color;
      e.value = value;
      break;
    case QMetaType::QPen: {
      const QPen qpen = value.value<QPen>();
      Pen pen;
      pen.style = quint8((int(qpen.style()) & 0x0F) | (int(qpen.capStyle()) & 0x30) |
                         (int(qpen.joinStyle()) & 0xC0));
      pen.width = qint16(std::clamp(qpen.width(), -32768, 32767));
      pen.color = qpen.color().rgba();
      e.kind = K_Pen;
      e.value = QVariant::fromValue(pen);
      break;
    }
    default:
      return false;
  }
  *entry = e;
  return true;
}

QVariant CfgFile::toVariant(const Entry &entry) {
  if (entry.kind != K_Pen) return entry.value;
  const Pen pen = entry.value.value<Pen>();
  const int style = pen.style & 0x0F;
  const int cap = pen.style & 0x30;
  const int join = pen.style & 0xC0;
  QPen qpen(QColor::fromRgba(pen.color));
  qpen.setStyle(style <= Qt::DashDotDotLine ? Qt::PenStyle(style) : Qt::SolidLine);
  qpen.setCapStyle(cap == Qt::SquareCap || cap == Qt::RoundCap ? Qt::PenCapStyle(cap)
                                                                : Qt::FlatCap);
  qpen.setJoinStyle(join == Qt::BevelJoin || join == Qt::RoundJoin ? Qt::PenJoinStyle(join)
                                                                    : Qt::MiterJoin);
  qpen.setWidth(std::max<int>(0, pen.width));
  return QVariant::fromValue(qpen);
}

QString CfgFile::kindName(KindE kind) {
  switch (kind) {
    case K_String: return QStringLiteral("String");
    case K_StringList: return QStringLiteral("StringList");
    case K_Rect: return QStringLiteral("Rect");
    case K_Size: return QStringLiteral("Size");
    case K_Color: return QStringLiteral("Color");
    case K_Int: return QStringLiteral("Int");
    case K_Double: return QStringLiteral("Double");
    case K_Pen: return QStringLiteral("Pen");
  }
  return QString();
}

bool CfgFile::kindFromName(const QString &name, KindE *kind) {
  for (KindE k : {K_String, K_StringList, K_Rect, K_Size, K_Color, K_Int, K_Double, K_Pen}) {
    if (name == kindName(k)) {
      *kind = k;
      return true;
    }
  }
  return false;
}

bool CfgFile::isConsistent(const Entry &entry) {
  const int id = entry.value.metaType().id();
  switch (entry.kind) {
    case K_String: return id == QMetaType::QString;
    case K_StringList: return id == QMetaType::QStringList;
    case K_Rect: return id == QMetaType::QRect;
    case K_Size: return id == QMetaType::QSize;
    case K_Color: return id == QMetaType::QColor;
    case K_Int: return id == QMetaType::Int;
    case K_Double: return id == QMetaType::Double;
    case K_Pen: return id == QMetaType::fromType<Pen>().id();
  }
  return false;
}

void CfgFile::setWriteLimitForTest(qint64 bytes) { sWriteLimit = bytes; }

}  // namespace Ux
