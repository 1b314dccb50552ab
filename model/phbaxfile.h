#ifndef PHBAXFILE_H
#define PHBAXFILE_H

#include <QFile>
#include <vector>

class QString;

// A BAX result file seen as a sequence of fixed-size records, read through a
// window of a few megabytes: the process never holds more of the file than
// that, however large it is. A last record cut short is not part of the
// sequence.
class PhBaxFile {
 public:
  explicit PhBaxFile(int iRecordSize);
  ~PhBaxFile();
  PhBaxFile(const PhBaxFile &) = delete;
  PhBaxFile &operator=(const PhBaxFile &) = delete;

  // False when the file cannot be opened.
  bool open(const QString &strPath);

  qint64 recordCount() const { return mSize / mRecordSize; }
  qint64 size() const { return mSize; }

  // Record i, 0 .. recordCount() - 1. The bytes stay valid until the next
  // call reaches outside the window; reading forward moves it on.
  const char *record(qint64 i) {
    const qint64 offset = i - mFirst;
    if (offset < 0 || offset >= mCount) load(i);
    return mWindow.data() + (i - mFirst) * mRecordSize;
  }
  // The caller goes on from record i and may come back to it: when little
  // of the window lies ahead, it slides to begin there, keeping the bytes
  // it has; records from i on that fit a quarter of it are never read twice.
  void slideTo(qint64 i);

 private:
  void load(qint64 i);
  // Reads `records` records into the window from its record `at` on.
  void fill(qint64 at, qint64 records);
  qint64 capacity() const { return qint64(mWindow.size()) / mRecordSize; }

  int mRecordSize;
  QFile mFile;
  qint64 mSize = 0;
  std::vector<char> mWindow;
  qint64 mFirst = 0;  // the window's first record
  qint64 mCount = 0;  // records in the window
};

#endif  // PHBAXFILE_H
