#ifndef UXCFG_H
#define UXCFG_H

#include "nubux_export.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

class QColor;
class QFont;
class QMainWindow;
class QPen;
class QRect;
class QSize;
class QSplitter;

namespace Ux {

// A light handle on the one process-wide table of typed settings. Each
// handle carries a current group (a key prefix) and a scrambling switch.
// The table reaches the disk only through the static load and save.
class NUBUX_EXPORT Cfg {
 public:
  explicit Cfg(const QString &group = QString());
  Cfg(const Cfg &other) = default;
  Cfg &operator=(const Cfg &other) = default;
  ~Cfg() = default;

  void beginGroup(const QString &group);
  void endGroup();
  const QString &curGroup() const;

  void setCrypt(bool crypt);
  bool crypt() const;

  // Entries of the whole table, whatever the group.
  unsigned count() const;

  bool writeEntry(const QString &key, int value);
  bool writeEntry(const QString &key, double value);
  bool writeEntry(const QString &key, const QString &value);
  bool writeEntry(const QString &key, const char *value);
  bool writeEntry(const QString &key, const QStringList &value);
  bool writeEntry(const QString &key, const QSize &value);
  bool writeEntry(const QString &key, const QRect &value);
  bool writeEntry(const QString &key, const QFont &value);
  bool writeEntry(const QString &key, const QPen &value);
  bool writeEntry(const QString &key, const QColor &value);
  bool writeEntry(const QString &key, const QMainWindow &value);
  bool writeEntry(const QString &key, const QSplitter &value);

  bool readBool(const QString &key, bool def, bool *found = nullptr) const;
  int readNum(const QString &key, int def, bool *found = nullptr) const;
  double readReal(const QString &key, double def, bool *found = nullptr) const;
  QString readString(const QString &key, const QString &def, bool *found = nullptr) const;
  QStringList readStringList(const QString &key, const QStringList &def,
                             bool *found = nullptr) const;
  QSize readSize(const QString &key, const QSize &def, bool *found = nullptr) const;
  QRect readRect(const QString &key, const QRect &def, bool *found = nullptr) const;
  QFont readFont(const QString &key, const QFont &def, bool *found = nullptr) const;
  QPen readPen(const QString &key, const QPen &def, bool *found = nullptr) const;
  QColor readColor(const QString &key, const QColor &def, bool *found = nullptr) const;
  bool readMainWindow(const QString &key, QMainWindow &window) const;
  bool readSplitter(const QString &key, QSplitter &splitter) const;

  // Static access with the key used exactly as passed.
  static bool read(bool &out, const QString &key, bool def);
  static bool read(int &out, const QString &key, int def);
  static bool read(QString &out, const QString &key, const QString &def);
  static bool write(const QString &key, const QString &value);

  static bool load(const QString &fileName, bool warnIfMissing);
  static bool save(const QString &fileName);
  static bool hasLoaded();
  static QString selfInfo();

  // Full keys of the whole table in key order, and the stored value of one.
  static QStringList keys();
  static QVariant value(const QString &fullKey);
  // Empties the table, for a fresh start.
  static void clear();

 private:
  QString _fullKey(const QString &key) const;
  static QMap<QString, QVariant> &_table();

  QString mGroup;
  bool mCrypt = false;
};

}  // namespace Ux

#endif  // UXCFG_H
