#include "phbaxfile.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 WindowBytes = qint64(4) << 20;

}  // namespace

PhBaxFile::PhBaxFile(int iRecordSize) : mRecordSize(iRecordSize) {}

PhBaxFile::~PhBaxFile() = default;

bool PhBaxFile::open(const QString &strPath) {
  // Only regular files: a device or pipe could feed bytes without end.
  if (strPath.isEmpty() || !QFileInfo(strPath).isFile()) return false;
  mFile.setFileName(strPath);
  // The window is the buffer; a second one inside QFile would only copy.
  if (!mFile.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
  mSize = qMax<qint64>(0, mFile.size());
  const qint64 records = qMax<qint64>(1, qMin(recordCount(), WindowBytes / mRecordSize));
  mWindow.assign(std::size_t(records * mRecordSize), 0);
  mFirst = 0;
  mCount = 0;
  return true;
}

void PhBaxFile::slideTo(qint64 i) {
  const qint64 offset = i - mFirst;
  if (offset <= 0 || offset >= mCount || mFirst + mCount >= recordCount()) return;
  const qint64 kept = mCount - offset;
  // While a quarter of the window lies ahead, moving it would cost more
  // than it saves.
  if (kept * 4 >= capacity()) return;
  std::memmove(mWindow.data(), mWindow.data() + offset * mRecordSize,
               std::size_t(kept * mRecordSize));
  mFirst = i;
  const qint64 more = qMin(capacity(), recordCount() - i) - kept;
  fill(kept, more);
  mCount = kept + more;
}

void PhBaxFile::load(qint64 i) {
  mFirst = i;
  mCount = qMax<qint64>(1, qMin(capacity(), recordCount() - i));
  fill(0, mCount);
}

void PhBaxFile::fill(qint64 at, qint64 records) {
  char *data = mWindow.data() + at * mRecordSize;
  const qint64 bytes = records * mRecordSize;
  qint64 got = 0;
  if (mFile.seek((mFirst + at) * mRecordSize)) {
    while (got < bytes) {
      const qint64 n = mFile.read(data + got, bytes - got);
      if (n <= 0) break;
      got += n;
    }
  }
  // A file cut short while it is read gives zero bytes, never stale ones.
  if (got < bytes) std::memset(data + got, 0, std::size_t(bytes - got));
}
