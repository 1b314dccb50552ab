#include "monkeyprojects.h"

#include "baxsimulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <functional>

namespace {

const char *const kBase = "block";

QString part(const QString &dir, const char *suffix) {
  return dir + QLatin1Char('/') + QLatin1String(kBase) + QLatin1String(suffix);
}

bool copyFolder(const QString &from, const QString &to, QString *error) {
  if (!QDir().mkpath(to)) {
    *error = QStringLiteral("can't make %1").arg(to);
    return false;
  }
  for (const QFileInfo &file : QDir(from).entryInfoList(QDir::Files)) {
    const QString target = to + QLatin1Char('/') + file.fileName();
    QFile::remove(target);
    if (!QFile::copy(file.absoluteFilePath(), target)) {
      *error = QStringLiteral("can't copy %1").arg(file.absoluteFilePath());
      return false;
    }
    QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  return true;
}

bool rewrite(const QString &path, const std::function<QByteArray(QByteArray)> &change) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = change(file.readAll());
  file.close();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(bytes) == bytes.size();
}

}  // namespace

bool MonkeyProjects::make(const QString &folder, const QString &exampleDir, int iLargePoints, QString *error) {
  mFolder = folder;
  mOutput = folder + QStringLiteral("/out");
  QDir().mkpath(mOutput);
  const QString example = folder + QStringLiteral("/example");
  if (!copyFolder(exampleDir, example, error)) return false;
  mExample = part(example, ".(p)");
  mAll << mExample;

  if (iLargePoints > 0) {
    BaxSimOptions options;
    options.targetImagePoints = iLargePoints;
    options.seed = 7;
    BaxSimResult result;
    if (!BaxSimulator::write(options, folder + QStringLiteral("/large"), &result, error)) return false;
    mLarge = result.projectFile;
    mAll << mLarge;
  }

  for (const char *name : {"no-i", "no-e", "no-o", "no-c", "no-camera", "cut-i", "cut-e", "cut-o", "cut-c",
                           "swapped-e", "short-e", "empty-p", "keyless-p", "empty-i", "bad-inversion"}) {
    if (!_damagedCopy(QString::fromLatin1(name), exampleDir, error)) return false;
  }
  mAll << mDamaged;
  return true;
}

bool MonkeyProjects::_damagedCopy(const QString &name, const QString &exampleDir, QString *error) {
  const QString dir = mFolder + QLatin1Char('/') + name;
  if (!copyFolder(exampleDir, dir, error)) return false;
  const int orientation = 70;  // bytes of an "(e)" record
  bool ok = true;
  auto cutInside = [](QByteArray bytes) { return bytes.left(bytes.size() / 2 + 3); };
  if (name == QLatin1String("no-i")) ok = QFile::remove(part(dir, ".(i)"));
  if (name == QLatin1String("no-e")) ok = QFile::remove(part(dir, ".(e)"));
  if (name == QLatin1String("no-o")) ok = QFile::remove(part(dir, ".(o)"));
  if (name == QLatin1String("no-c")) ok = QFile::remove(part(dir, ".(c)"));
  if (name == QLatin1String("no-camera")) ok = QFile::remove(dir + QStringLiteral("/cam12.cam"));
  if (name == QLatin1String("cut-i")) ok = rewrite(part(dir, ".(i)"), cutInside);
  if (name == QLatin1String("cut-e")) ok = rewrite(part(dir, ".(e)"), cutInside);
  if (name == QLatin1String("cut-o")) ok = rewrite(part(dir, ".(o)"), cutInside);
  if (name == QLatin1String("cut-c")) ok = rewrite(part(dir, ".(c)"), cutInside);
  if (name == QLatin1String("swapped-e"))
    ok = rewrite(part(dir, ".(e)"), [orientation](QByteArray bytes) {
      if (bytes.size() < 2 * orientation) return bytes;
      const QByteArray first = bytes.left(orientation);
      return bytes.mid(orientation, orientation) + first + bytes.mid(2 * orientation);
    });
  if (name == QLatin1String("short-e"))
    ok = rewrite(part(dir, ".(e)"), [orientation](QByteArray bytes) { return bytes.left(bytes.size() - orientation); });
  if (name == QLatin1String("empty-p")) ok = rewrite(part(dir, ".(p)"), [](QByteArray) { return QByteArray(); });
  if (name == QLatin1String("keyless-p"))
    ok = rewrite(part(dir, ".(p)"), [](QByteArray bytes) { return bytes.replace("IMAGE_FILE:", "IMAGE_FILES"); });
  if (name == QLatin1String("empty-i")) ok = rewrite(part(dir, ".(i)"), [](QByteArray) { return QByteArray(); });
  if (name == QLatin1String("bad-inversion"))
    // The project record (code -1) holds the inversion flag, a double that
    // must be 0 or 1; 2 is damage.
    ok = rewrite(part(dir, ".(o)"), [](QByteArray bytes) {
      const int record = 60;
      for (int at = 0; at + record <= bytes.size(); at += record) {
        if (bytes.at(at) != char(0xff) || bytes.at(at + 1) != char(0xff)) continue;
        const double two = 2.0;
        std::memcpy(bytes.data() + at + 28, &two, sizeof two);
        break;
      }
      return bytes;
    });
  if (!ok) {
    *error = QStringLiteral("can't damage %1").arg(dir);
    return false;
  }
  mDamaged << part(dir, ".(p)");
  return true;
}
