#include "phbaxfile.h"

#include <QFileInfo>

PhBaxFile::PhBaxFile(int iRecordSize) : mRecordSize(iRecordSize) {}

PhBaxFile::~PhBaxFile() = default;

bool PhBaxFile::open(const QString &strPath) {
  // Only regular files: a device or pipe could feed bytes without end.
  if (strPath.isEmpty() || !QFileInfo(strPath).isFile()) return false;
  mFile.setFileName(strPath);
  if (!mFile.open(QIODevice::ReadOnly)) return false;
  const qint64 size = mFile.size();
  if (size > 0) {
    if (uchar *mapped = mFile.map(0, size)) {
      mData = reinterpret_cast<const char *>(mapped);
      mSize = size;
      return true;
    }
  }
  mBuffer = mFile.readAll();
  if (mFile.error() != QFileDevice::NoError) return false;
  mData = mBuffer.constData();
  mSize = mBuffer.size();
  return true;
}
