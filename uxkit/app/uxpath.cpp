#include "uxpath.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QStringList>

namespace Ux {
namespace {

int gLayoutWidth = -1;

QString formatPatterns(const QList<QByteArray> &formats) {
  QStringList names;
  for (const QByteArray &format : formats) names << QString::fromLatin1(format).toLower();
  QStringList patterns;
  const bool jpgMissing = names.contains(QLatin1String("jpeg")) && !names.contains(QLatin1String("jpg"));
  for (const QString &name : names) {
    patterns << QStringLiteral("*.%1").arg(name);
    if (jpgMissing && name == QLatin1String("jpeg")) patterns << QStringLiteral("*.jpg");
  }
  return patterns.join(QLatin1Char(' '));
}

}  // namespace

QString pathConcat(const QString &a, const QString &b) {
  QString result = a;
  if (!b.isEmpty()) {
    if (!result.isEmpty()) result += QLatin1Char('/');
    result += b;
  }
  return QDir::toNativeSeparators(result);
}

QString pathSizeTxt(const QFileInfo &info) {
  const qint64 size = info.size();
  if (size == 0) return QStringLiteral("INVALID");
  const double mb = size / 1048576.0;
  const double kb = size / 1024.0;
  if (mb >= 0.75) return QString::asprintf("%.2f [MB]", mb);
  if (kb >= 1.0) return QString::asprintf("%.2f [KB]", kb);
  return QString::asprintf("%lld [Bytes]", static_cast<long long>(size));
}

QString pathSetExtension(const QString &path, const QString &ext, bool *changed) {
  if (ext.isEmpty() || path.endsWith(ext, Qt::CaseInsensitive)) {
    if (changed) *changed = false;
    return path;
  }
  const QFileInfo info(path);
  QString result = info.absolutePath() + QLatin1Char('/') + info.completeBaseName();
  if (!ext.startsWith(QLatin1Char('.'))) result += QLatin1Char('.');
  result += ext;
  if (changed) *changed = true;
  return QDir::toNativeSeparators(result);
}

QString supportedInputImageFormats() { return formatPatterns(QImageReader::supportedImageFormats()); }

QString supportedOutputImageFormats() { return formatPatterns(QImageWriter::supportedImageFormats()); }

int stdSpace() { return 5; }

int layoutOn(const char *text) {
  if (!text) {
    gLayoutWidth = -1;
    return gLayoutWidth;
  }
  QLabel label(QString::fromUtf8(text));
  gLayoutWidth = label.sizeHint().width();
  return gLayoutWidth;
}

int layoutOff() { return layoutOn(nullptr); }
int layoutWidth() { return gLayoutWidth; }
bool layoutActive() { return gLayoutWidth > 0; }

}  // namespace Ux
