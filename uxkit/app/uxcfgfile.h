#ifndef UXCFGFILE_H
#define UXCFGFILE_H

#include "nubux_export.h"

#include <QList>
#include <QMetaType>
#include <QString>
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

  // Type numbers of the value kinds a file can hold.
  enum KindE : quint32 {
    K_String = 3,
    K_StringList = 4,
    K_Rect = 8,
    K_Size = 9,
    K_Color = 10,
    K_Int = 16,
    K_Double = 19,
    K_Pen = 32
  };

  // A pen as stored: the or-ed style/cap/join byte, the width and the colour.
  struct Pen {
    quint8 style = 1;
    qint16 width = 0;
    quint32 color = 0xFF000000u;
    bool operator==(const Pen &other) const {
      return style == other.style && width == other.width && color == other.color;
    }
  };

  // One stored entry. The value holds QString, QStringList, QRect, QSize,
  // QColor, int, double or CfgFile::Pen, matching the kind.
  struct Entry {
    QString key;
    KindE kind = K_Int;
    QVariant value;
  };

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

  // Conversions between stored entries and the values of the store's table.
  // fromVariant fails for a kind the file cannot hold.
  static bool fromVariant(const QString &key, const QVariant &value, Entry *entry);
  static QVariant toVariant(const Entry &entry);

  // The kind's name (Int, Double, String, StringList, Rect, Size, Color, Pen)
  // and back; kindFromName fails for anything else.
  static QString kindName(KindE kind);
  static bool kindFromName(const QString &name, KindE *kind);
  // Whether the entry's value holds what its kind needs.
  static bool isConsistent(const Entry &entry);

  // Test seam: with a limit of zero or more, write() hands the device at most
  // that many bytes and then fails, as a full disk would. -1 switches it off.
  static void setWriteLimitForTest(qint64 bytes);
};

}  // namespace Ux

Q_DECLARE_METATYPE(Ux::CfgFile::Pen)

#endif  // UXCFGFILE_H
