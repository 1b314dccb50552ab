#include "phprojectfile.h"

#include <QFile>
#include <QFileInfo>

#include "phtextline.h"

namespace {

constexpr int MaxLineBytes = 1000;

// The text after the first ": ", without the line end; empty without ": ".
QString valueOf(const QString &line) {
  const int colon = line.indexOf(QLatin1String(": "));
  if (colon < 0) return QString();
  QString value = line.mid(colon + 2);
  if (value.endsWith(QLatin1Char('\n'))) {
    value.chop(1);
    // Only a carriage return goes with the newline; any other character
    // before it belongs to the name.
    if (value.endsWith(QLatin1Char('\r'))) value.chop(1);
  }
  return value;
}

// A result-file name ends at its extension in parentheses: anything after
// the last ")" (a comment) is dropped.
QString resultFileOf(const QString &line) {
  QString value = valueOf(line);
  const int paren = value.lastIndexOf(QLatin1Char(')'));
  if (paren >= 0) value.truncate(paren + 1);
  return value.trimmed();
}

}  // namespace

PhProjectFile PhProjectFile::read(const QString &strPath) {
  QFile file(strPath);
  if (!QFileInfo(strPath).isFile() || !file.open(QIODevice::ReadOnly)) return PhProjectFile();
  return read(file);
}

PhProjectFile PhProjectFile::read(QIODevice &device) {
  PhProjectFile project;
  for (QByteArray bytes; !(bytes = PhTextLine::read(device, MaxLineBytes)).isEmpty();)
    project.takeLine(PhTextLine::decode(bytes));
  return project;
}

void PhProjectFile::takeLine(const QString &line) {
  // Tested in this order; the first key a line begins with takes it.
  if (line.startsWith(QLatin1String("CAMERA_FILE")))
    mCameraFile = valueOf(line).trimmed();
  else if (line.startsWith(QLatin1String("IMAGE_FILE")))
    mImageFile = resultFileOf(line);
  else if (line.startsWith(QLatin1String("OBJECT_FILE")))
    mObjectFile = resultFileOf(line);
  else if (line.startsWith(QLatin1String("ORIENTATION_FILE")))
    mOrientationFile = resultFileOf(line);
  else if (line.startsWith(QLatin1String("OBJECT_OBSERVATION_FILE")))
    mObservationFile = resultFileOf(line);
}

bool PhProjectFile::hasRequiredFiles() const {
  return !mImageFile.isEmpty() && !mObjectFile.isEmpty() && !mOrientationFile.isEmpty() &&
         !mObservationFile.isEmpty();
}
