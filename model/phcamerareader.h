#ifndef PHCAMERAREADER_H
#define PHCAMERAREADER_H

#include <QCoreApplication>
#include <QString>

class PhImageList;
class PhReadFailure;

// Reads the camera file (one 210-byte record: the camera ID as nine
// characters, a skip byte, 25 doubles) and, when its camera is the camera of
// the first image, gives every image that camera's frame.
class PhCameraReader {
  Q_DECLARE_TR_FUNCTIONS(Tessella)

 public:
  static constexpr int RecordSize = 210;

  explicit PhCameraReader(PhImageList &images);

  // False with the failure when the file cannot be opened; every other
  // problem is a warning and leaves the frames as they are.
  bool read(const QString &strCameraFile, PhReadFailure *failure);

 private:
  PhImageList &mImages;
};

#endif  // PHCAMERAREADER_H
