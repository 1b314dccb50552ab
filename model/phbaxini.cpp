#include "phbaxini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phtextline.h"

namespace {

// Longer lines are read as several; no INI line of BAX comes near it.
constexpr int MaxLineBytes = 65536;

}  // namespace

QString PhBaxIni::iniPath() {
  const QString dir = qEnvironmentVariable("windir");
  return QDir(dir.isEmpty() ? QDir::currentPath() : portablePath(dir)).filePath(QStringLiteral("Bax.ini"));
}

QString PhBaxIni::portablePath(const QString &strPath) {
#ifdef Q_OS_WIN
  return strPath;
#else
  QString path = strPath;
  return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

QString PhBaxIni::readValue(QIODevice &file, const QString &strPath, const QString &strSection,
                            const QString &strKey) {
  const QString header = QLatin1Char('[') + strSection + QLatin1Char(']');
  bool bInSection = false;
  for (QByteArray bytes; !(bytes = PhTextLine::read(file, MaxLineBytes)).isEmpty();) {
    if (PhTextLine::decode(bytes).startsWith(header)) {
      bInSection = true;
      break;
    }
  }
  if (!bInSection) return QString();

  // The search runs on across later sections, up to a ";" line.
  for (QByteArray bytes; !(bytes = PhTextLine::read(file, MaxLineBytes)).isEmpty();) {
    const QString line = PhTextLine::decode(bytes);
    if (line.startsWith(QLatin1Char(';'))) break;
    if (line.startsWith(strKey)) {
      const int equals = line.indexOf(QLatin1Char('='));
      return equals < 0 ? QString(QLatin1String("")) : line.mid(equals + 1).trimmed();
    }
  }
  // Also at the end of the file: the user needs to know the key is missing.
  Ux::warn(tr("Keyword '%1' not found in section %2 of file '%3'!").arg(strKey, header, strPath));
  return QString();
}

QString PhBaxIni::readBAXini(const QString &strSection, const QString &strKey) {
  Nub::debug("Tessella::readBAXini");
  const QString path = iniPath();
  if (!QFileInfo::exists(path)) {
    Ux::warn(tr("BAX configuaration file '%1' doesn't exist!").arg(QDir::toNativeSeparators(path)));
    return QString();
  }
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
    Nub::warn("Can't open BAX configuaration file '%s'!",
              qUtf8Printable(QDir::toNativeSeparators(path)));
    return QString();
  }
  return readValue(file, QDir::toNativeSeparators(path), strSection, strKey);
}

QString PhBaxIni::readBAXpro(const QString &strFile, const QString &strSection,
                             const QString &strKey) {
  Nub::debug("Tessella::readBAXpro");
  const QString path = QDir::toNativeSeparators(strFile);
  QFile file(portablePath(strFile));
  // An unreadable project list is reported, not fatal: opening BAX's current
  // project must never end the program.
  if (!QFileInfo(file.fileName()).isFile() || !file.open(QIODevice::ReadOnly)) {
    Nub::warn("Can't open '%s'!", qUtf8Printable(path));
    return QString();
  }
  return readValue(file, path, strSection, strKey);
}

QString PhBaxIni::currentProjectFile() {
  const QString list =
      QDir::toNativeSeparators(readBAXini(QStringLiteral("BAXB"), QStringLiteral("BAXB_LAST_PROJ")));
  if (list.isEmpty() || !QFileInfo::exists(portablePath(list))) {
    Ux::warn(tr("Could not find current BAX project file '%1'!").arg(list));
    return QString();
  }
  Ux::info(tr("Looking for project to open in current BAX project file '%1'.").arg(list));

  const QString project = QDir::toNativeSeparators(
      readBAXpro(list, QStringLiteral("PROJECT"), QStringLiteral("BAXB_OUT_TESL")) +
      QStringLiteral(".(p)"));
  if (!QFileInfo::exists(portablePath(project))) {
    Ux::warn(tr("Could not find appropriate project file '%1' for current BAX project!").arg(project));
    return QString();
  }
  Ux::info(tr("Opening project '%1' corresponding to current BAX project.").arg(project));
  return portablePath(project);
}
