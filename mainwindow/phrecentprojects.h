#ifndef PHRECENTPROJECTS_H
#define PHRECENTPROJECTS_H

#include <QString>
#include <QStringList>

class QVariant;

// The project files opened last, newest first, each file once, at most
// eight; kept as a string list under "Recent/Projects" in the settings,
// beside "Tessella/Last project-file", and saved with them.
class PhRecentProjects {
 public:
  static constexpr int MaxEntries = 8;
  static const char *const sGroup;
  static const char *const sKey;

  // The list a stored value gives, whatever a hand or an older program left
  // there: strings only, no empty ones, each file once, the first eight.
  static QStringList fromStored(const QVariant &stored);
  // `file` in front of `list`, its earlier entry dropped, cut to eight.
  static QStringList withFile(const QStringList &list, const QString &file);
  static QStringList withoutFile(const QStringList &list, const QString &file);
  // Whether two paths name one file: by their canonical paths while the
  // files exist, by their cleaned absolute paths otherwise.
  static bool sameFile(const QString &a, const QString &b);
  // The form an entry is kept in: the canonical path, or the absolute one
  // of a file that is gone.
  static QString storedForm(const QString &file);

  // The list in the settings, and its changes written back there.
  static QStringList entries();
  static void add(const QString &file);
  static void remove(const QString &file);
  static void clear();
};

#endif  // PHRECENTPROJECTS_H
