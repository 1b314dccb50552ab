#ifndef PHBAXFILE_H
#define PHBAXFILE_H

#include <QByteArray>
#include <QFile>

class QString;

// A BAX result file read in one piece (mapped when the system allows it),
// seen as a sequence of fixed-size records. A last record cut short is not
// part of the sequence.
class PhBaxFile {
 public:
  explicit PhBaxFile(int iRecordSize);
  ~PhBaxFile();
  PhBaxFile(const PhBaxFile &) = delete;
  PhBaxFile &operator=(const PhBaxFile &) = delete;

  // False when the file cannot be opened or read.
  bool open(const QString &strPath);

  qint64 recordCount() const { return mSize / mRecordSize; }
  const char *record(qint64 i) const { return mData + i * mRecordSize; }
  qint64 size() const { return mSize; }

 private:
  int mRecordSize;
  QFile mFile;
  QByteArray mBuffer;
  const char *mData = nullptr;
  qint64 mSize = 0;
};

#endif  // PHBAXFILE_H
