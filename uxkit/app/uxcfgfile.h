#ifndef UXCFGFILE_H
#define UXCFGFILE_H

#include "nubux_export.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

class QDateTime;
class QIODevice;

namespace Ux {

// The byte-level codec of a configuration file: big-endian, a 20-byte
// header, then key and typed value pairs. Every field is encoded by hand so
// the layout never depends on the toolkit's own stream formats.
//
// Reading never trusts a count or a length: each is checked against the
// bytes that remain before anything is allocated, and reading stops at the
// first damage, keeping the entries read before it.
class NUBUX_EXPORT CfgFile {
 public:
  static constexpr quint32 MAGIC = 9998;
  static constexpr qint32 VERSION = 100;
  static constexpr int HEADER_SIZE = 20;

  // Type numbers of the value kinds a file can hold: the variant numbering
  // of the 3.3 data stream.
  enum KindE : quint32 {
    K_Invalid = 0,
    K_Map = 1,
    K_List = 2,
    K_String = 3,
    K_StringList = 4,
    K_Rect = 8,
    K_Size = 9,
    K_Color = 10,
    K_Point = 14,
    K_Int = 16,
    K_UInt = 17,
    K_Bool = 18,
    K_Double = 19,
    K_Date = 26,
    K_Time = 27,
    K_DateTime = 28,
    K_ByteArray = 29,
    K_Pen = 32,
    K_LongLong = 33,
    K_ULongLong = 34
  };

  // Lists and maps nest at most this deep; deeper ones are refused as damage.
  static constexpr int MAX_DEPTH = 64;

  // A pen as stored: the or-ed style/cap/join byte, the width and the colour.
  struct Pen {
    quint8 style = 1;
    qint16 width = 0;
    quint32 color = 0xFF000000u;
    bool operator==(const Pen &other) const {
      return style == other.style && width == other.width && color == other.color;
    }
  };

  // One stored value as the file holds it, by kind:
  //   Invalid    an invalid QVariant (the file holds the null-string marker)
  //   Map        CfgFile::Map, the pairs in file order
  //   List       CfgFile::List
  //   String, StringList, Rect, Size, Color, Point
  //              QString, QStringList, QRect, QSize, QColor, QPoint
  //   Int, UInt, Bool, Double, LongLong, ULongLong
  //              int, uint, bool, double, qlonglong, qulonglong
  //   Date       QDate (every stored Julian day is one)
  //   Time       QTime, valid
  //   DateTime   QDateTime in UTC: the file holds no zone, and UTC keeps the
  //              stored clock reading exactly, with no daylight-saving shift
  //   ByteArray  QByteArray, null and empty kept apart
  //   Pen        CfgFile::Pen
  struct Value {
    KindE kind = K_Int;
    QVariant value;
    bool operator==(const Value &other) const {
      return kind == other.kind && value == other.value;
    }
  };
  using List = QList<Value>;

  // One stored entry, or one pair of a Map.
  struct Entry {
    QString key;
    KindE kind = K_Int;
    QVariant value;
    bool operator==(const Entry &other) const {
      return key == other.key && kind == other.kind && value == other.value;
    }
  };
  using Map = QList<Entry>;

  struct Header {
    quint32 magic = MAGIC;
    qint32 version = VERSION;
    quint32 julianDay = 0;
    quint32 msecs = 0;
  };

  enum StatusE {
    S_Ok,
    S_BadMagic,      // not a configuration file; nothing else was read
    S_CutShort,      // the data end inside the header or before the last entry
    S_BadLength,     // a length or count larger than the bytes that remain, or odd
    S_UnknownKind,   // a type number this codec cannot read
    S_BadValue,      // a value no writer writes: a Bool byte other than 0 and 1, a time
                     // past the end of the day, an Invalid without the null-string marker
    S_TooDeep,       // lists and maps nested deeper than MAX_DEPTH
    S_TrailingData,  // all entries read, but bytes follow them
    S_ReadError      // the device failed
  };

  struct Contents {
    Header header;
    quint32 count = 0;
    QList<Entry> entries;
    StatusE status = S_Ok;
    qint64 damageOffset = -1;
    QString damage;  // what was wrong and where; empty when status is S_Ok
  };

  // Reads a whole file from the device's current position.
  static Contents read(QIODevice &device);
  static Contents read(const QByteArray &bytes);

  static QByteArray encode(const Header &header, const QList<Entry> &entries);
  // Writes the encoding; false when the device takes less than all of it.
  static bool write(QIODevice &device, const Header &header, const QList<Entry> &entries);

  // The header of a file written at the given local date-time.
  static Header headerAt(const QDateTime &written);
  // The header's date-time; invalid when the stored day or time is not one.
  static QDateTime written(const Header &header);

  // Conversions between stored entries and the values of the store's table,
  // which holds what the toolkit reads: a List as a QVariantList, a Map as a
  // QVariantMap (a repeated key keeps its last value), a Pen as a QPen, every
  // other kind as stored. fromVariant fails for a value the file cannot hold.
  static bool fromVariant(const QString &key, const QVariant &value, Entry *entry);
  static QVariant toVariant(const Entry &entry);

  // The kind's name (Invalid, Map, List, String, StringList, Rect, Size,
  // Color, Point, Int, UInt, Bool, Double, Date, Time, DateTime, ByteArray,
  // Pen, LongLong, ULongLong) and back; kindFromName fails for anything else.
  static QString kindName(KindE kind);
  static bool kindFromName(const QString &name, KindE *kind);
  static QStringList kindNames();
  // Whether the entry's value holds what its kind needs, nested values and
  // their depth included: what encode() writes, read() reads back.
  static bool isConsistent(const Entry &entry);
  static bool isConsistent(const Value &value, int depth = 0);

  // Test seam: with a limit of zero or more, write() hands the device at most
  // that many bytes and then fails, as a full disk would. -1 switches it off.
  static void setWriteLimitForTest(qint64 bytes);
};

}  // namespace Ux

Q_DECLARE_METATYPE(Ux::CfgFile::Pen)
Q_DECLARE_METATYPE(Ux::CfgFile::Value)
Q_DECLARE_METATYPE(Ux::CfgFile::Entry)

#endif  // UXCFGFILE_H
