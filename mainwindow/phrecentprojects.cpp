#include "phrecentprojects.h"

#include "uxcfg.h"

#include <QDir>
#include <QFileInfo>
#include <QVariant>

const char *const PhRecentProjects::sGroup = "Recent";
const char *const PhRecentProjects::sKey = "Projects";

namespace {

QString fullKey() {
  return QString::fromLatin1(PhRecentProjects::sGroup) + QLatin1Char('/') +
         QString::fromLatin1(PhRecentProjects::sKey);
}

// One spelling per file, to compare by.
QString identity(const QString &file) {
  const QFileInfo info(file);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

constexpr Qt::CaseSensitivity kPathCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

void store(const QStringList &list) {
  Ux::Cfg(QString::fromLatin1(PhRecentProjects::sGroup)).writeEntry(QString::fromLatin1(PhRecentProjects::sKey), list);
}

}  // namespace

QStringList PhRecentProjects::fromStored(const QVariant &stored) {
  QStringList candidates;
  switch (stored.metaType().id()) {
    case QMetaType::QStringList:
      candidates = stored.toStringList();
      break;
    case QMetaType::QString:  // one path, written by hand
      candidates << stored.toString();
      break;
    default:  // absent, or a number, a colour ...: nothing to offer
      break;
  }
  QStringList result;
  for (const QString &candidate : candidates) {
    if (result.size() == MaxEntries) break;
    if (candidate.trimmed().isEmpty()) continue;
    bool seen = false;
    for (const QString &kept : result) seen = seen || sameFile(kept, candidate);
    if (!seen) result << candidate;
  }
  return result;
}

QStringList PhRecentProjects::withFile(const QStringList &list, const QString &file) {
  if (file.trimmed().isEmpty()) return list;
  QStringList result = withoutFile(list, file);
  result.prepend(storedForm(file));
  while (result.size() > MaxEntries) result.removeLast();
  return result;
}

QStringList PhRecentProjects::withoutFile(const QStringList &list, const QString &file) {
  QStringList result;
  for (const QString &entry : list)
    if (!sameFile(entry, file)) result << entry;
  return result;
}

bool PhRecentProjects::sameFile(const QString &a, const QString &b) {
  return identity(a).compare(identity(b), kPathCase) == 0;
}

QString PhRecentProjects::storedForm(const QString &file) { return identity(file); }

QStringList PhRecentProjects::entries() { return fromStored(Ux::Cfg::value(fullKey())); }

void PhRecentProjects::add(const QString &file) { store(withFile(entries(), file)); }

void PhRecentProjects::remove(const QString &file) { store(withoutFile(entries(), file)); }

void PhRecentProjects::clear() { store(QStringList()); }
