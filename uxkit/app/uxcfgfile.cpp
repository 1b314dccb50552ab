#include "uxcfgfile.h"

#include "uxcfgreader.h"
#include "uxcfgwriter.h"

#include <QBuffer>
#include <QColor>
#include <QDateTime>
#include <QIODevice>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <algorithm>

namespace Ux {

namespace {

qint64 sWriteLimit = -1;

QString trFile(const char *text) { return CfgReader::tr(text); }

}  // namespace

CfgFile::Contents CfgFile::read(QIODevice &device) {
  Contents c;
  CfgReader in(device);
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
    Value value;
    if (!in.string(&entry.key) || !in.value(&value, 0)) return finish();
    entry.kind = value.kind;
    entry.value = value.value;
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
  QByteArray bytes;
  CfgWriter out(bytes);
  out.u32(header.magic);
  out.i32(header.version);
  out.u32(header.julianDay);
  out.u32(header.msecs);
  if (!out.count(entries.size())) return QByteArray();
  for (const Entry &entry : entries) {
    if (!isConsistent(entry) || !out.string(entry.key) || !out.value(entry.kind, entry.value)) {
      return QByteArray();
    }
  }
  return bytes;
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
  if (header.msecs >= CfgReader::MSECS_PER_DAY) return QDateTime();
  const QDate date = QDate::fromJulianDay(header.julianDay);
  const QTime time = QTime::fromMSecsSinceStartOfDay(int(header.msecs));
  if (!date.isValid() || !time.isValid()) return QDateTime();
  return QDateTime(date, time);
}

namespace {

bool julianDayFits(const QDate &date) {
  return date.isValid() && date.toJulianDay() >= 0 && date.toJulianDay() <= qint64(0xFFFFFFFFu);
}

// A value of the store's table as the file holds it.
bool storedOf(const QVariant &value, CfgFile::Value *out, int depth) {
  CfgFile::Value v;
  v.value = value;
  switch (value.metaType().id()) {
    case QMetaType::UnknownType:
      v.kind = CfgFile::K_Invalid;
      v.value = QVariant();
      break;
    case QMetaType::QVariantMap: {
      if (depth >= CfgFile::MAX_DEPTH) return false;
      const QVariantMap table = value.toMap();
      CfgFile::Map map;
      map.reserve(table.size());
      for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
        CfgFile::Value item;
        if (!storedOf(it.value(), &item, depth + 1)) return false;
        map.append({it.key(), item.kind, item.value});
      }
      v.kind = CfgFile::K_Map;
      v.value = QVariant::fromValue(map);
      break;
    }
    case QMetaType::QVariantList: {
      if (depth >= CfgFile::MAX_DEPTH) return false;
      const QVariantList table = value.toList();
      CfgFile::List list;
      list.reserve(table.size());
      for (const QVariant &element : table) {
        CfgFile::Value item;
        if (!storedOf(element, &item, depth + 1)) return false;
        list.append(item);
      }
      v.kind = CfgFile::K_List;
      v.value = QVariant::fromValue(list);
      break;
    }
    case QMetaType::QString: v.kind = CfgFile::K_String; break;
    case QMetaType::QStringList: v.kind = CfgFile::K_StringList; break;
    case QMetaType::QRect: v.kind = CfgFile::K_Rect; break;
    case QMetaType::QSize: v.kind = CfgFile::K_Size; break;
    case QMetaType::QColor: v.kind = CfgFile::K_Color; break;
    case QMetaType::QPoint: v.kind = CfgFile::K_Point; break;
    case QMetaType::Int: v.kind = CfgFile::K_Int; break;
    case QMetaType::UInt: v.kind = CfgFile::K_UInt; break;
    case QMetaType::Bool: v.kind = CfgFile::K_Bool; break;
    case QMetaType::Double: v.kind = CfgFile::K_Double; break;
    case QMetaType::LongLong: v.kind = CfgFile::K_LongLong; break;
    case QMetaType::ULongLong: v.kind = CfgFile::K_ULongLong; break;
    case QMetaType::QByteArray: v.kind = CfgFile::K_ByteArray; break;
    case QMetaType::QDate:
      if (!julianDayFits(value.toDate())) return false;
      v.kind = CfgFile::K_Date;
      break;
    case QMetaType::QTime:
      if (!value.toTime().isValid()) return false;
      v.kind = CfgFile::K_Time;
      break;
    case QMetaType::QDateTime: {
      // The clock reading in the value's own zone: the file holds no zone.
      const QDateTime dt = value.toDateTime();
      if (!julianDayFits(dt.date()) || !dt.time().isValid()) return false;
      v.kind = CfgFile::K_DateTime;
      v.value = QDateTime(dt.date(), dt.time(), Qt::UTC);
      break;
    }
    case QMetaType::QPen: {
      const QPen qpen = value.value<QPen>();
      CfgFile::Pen pen;
      pen.style = quint8((int(qpen.style()) & 0x0F) | (int(qpen.capStyle()) & 0x30) |
                         (int(qpen.joinStyle()) & 0xC0));
      pen.width = qint16(std::clamp(qpen.width(), -32768, 32767));
      pen.color = qpen.color().rgba();
      v.kind = CfgFile::K_Pen;
      v.value = QVariant::fromValue(pen);
      break;
    }
    default:
      return false;
  }
  *out = v;
  return true;
}

QPen penOf(const CfgFile::Pen &pen) {
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
  return qpen;
}

// A stored value as the store's table holds it.
QVariant tableOf(CfgFile::KindE kind, const QVariant &value) {
  switch (kind) {
    case CfgFile::K_Map: {
      QVariantMap table;
      for (const CfgFile::Entry &pair : value.value<CfgFile::Map>()) {
        table.insert(pair.key, tableOf(pair.kind, pair.value));
      }
      return table;
    }
    case CfgFile::K_List: {
      QVariantList table;
      for (const CfgFile::Value &item : value.value<CfgFile::List>()) {
        table.append(tableOf(item.kind, item.value));
      }
      return table;
    }
    case CfgFile::K_Pen:
      return QVariant::fromValue(penOf(value.value<CfgFile::Pen>()));
    default:
      return value;
  }
}

struct KindName {
  CfgFile::KindE kind;
  const char *name;
};

constexpr KindName KIND_NAMES[] = {
    {CfgFile::K_Invalid, "Invalid"},     {CfgFile::K_Map, "Map"},
    {CfgFile::K_List, "List"},           {CfgFile::K_String, "String"},
    {CfgFile::K_StringList, "StringList"}, {CfgFile::K_Rect, "Rect"},
    {CfgFile::K_Size, "Size"},           {CfgFile::K_Color, "Color"},
    {CfgFile::K_Point, "Point"},         {CfgFile::K_Int, "Int"},
    {CfgFile::K_UInt, "UInt"},           {CfgFile::K_Bool, "Bool"},
    {CfgFile::K_Double, "Double"},       {CfgFile::K_Date, "Date"},
    {CfgFile::K_Time, "Time"},           {CfgFile::K_DateTime, "DateTime"},
    {CfgFile::K_ByteArray, "ByteArray"}, {CfgFile::K_Pen, "Pen"},
    {CfgFile::K_LongLong, "LongLong"},   {CfgFile::K_ULongLong, "ULongLong"},
};

}  // namespace

bool CfgFile::fromVariant(const QString &key, const QVariant &value, Entry *entry) {
  Value v;
  if (!storedOf(value, &v, 0)) return false;
  *entry = {key, v.kind, v.value};
  return true;
}

QVariant CfgFile::toVariant(const Entry &entry) { return tableOf(entry.kind, entry.value); }

QString CfgFile::kindName(KindE kind) {
  for (const KindName &k : KIND_NAMES) {
    if (k.kind == kind) return QString::fromLatin1(k.name);
  }
  return QString();
}

bool CfgFile::kindFromName(const QString &name, KindE *kind) {
  for (const KindName &k : KIND_NAMES) {
    if (name == QLatin1String(k.name)) {
      *kind = k.kind;
      return true;
    }
  }
  return false;
}

QStringList CfgFile::kindNames() {
  QStringList names;
  for (const KindName &k : KIND_NAMES) names << QString::fromLatin1(k.name);
  return names;
}

bool CfgFile::isConsistent(const Entry &entry) { return isConsistent(Value{entry.kind, entry.value}); }

bool CfgFile::isConsistent(const Value &value, int depth) {
  const QVariant &v = value.value;
  const int id = v.metaType().id();
  switch (value.kind) {
    case K_Invalid: return !v.isValid();
    case K_Map: {
      if (id != QMetaType::fromType<Map>().id() || depth >= MAX_DEPTH) return false;
      const Map map = v.value<Map>();
      return std::all_of(map.cbegin(), map.cend(), [depth](const Entry &pair) {
        return isConsistent(Value{pair.kind, pair.value}, depth + 1);
      });
    }
    case K_List: {
      if (id != QMetaType::fromType<List>().id() || depth >= MAX_DEPTH) return false;
      const List list = v.value<List>();
      return std::all_of(list.cbegin(), list.cend(),
                         [depth](const Value &item) { return isConsistent(item, depth + 1); });
    }
    case K_String: return id == QMetaType::QString;
    case K_StringList: return id == QMetaType::QStringList;
    case K_Rect: return id == QMetaType::QRect;
    case K_Size: return id == QMetaType::QSize;
    case K_Color: return id == QMetaType::QColor;
    case K_Point: return id == QMetaType::QPoint;
    case K_Int: return id == QMetaType::Int;
    case K_UInt: return id == QMetaType::UInt;
    case K_Bool: return id == QMetaType::Bool;
    case K_Double: return id == QMetaType::Double;
    case K_Date: return id == QMetaType::QDate && julianDayFits(v.toDate());
    case K_Time: return id == QMetaType::QTime && v.toTime().isValid();
    case K_DateTime: {
      const QDateTime dt = v.toDateTime();
      return id == QMetaType::QDateTime && dt.timeSpec() == Qt::UTC &&
             julianDayFits(dt.date()) && dt.time().isValid();
    }
    case K_ByteArray: return id == QMetaType::QByteArray;
    case K_Pen: return id == QMetaType::fromType<Pen>().id();
    case K_LongLong: return id == QMetaType::LongLong;
    case K_ULongLong: return id == QMetaType::ULongLong;
  }
  return false;
}

void CfgFile::setWriteLimitForTest(qint64 bytes) { sWriteLimit = bytes; }

}  // namespace Ux
