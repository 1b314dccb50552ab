#ifndef PHPROJECTFILE_H
#define PHPROJECTFILE_H

#include <QString>

class QIODevice;

// The names in a BAX project file "(p)", as written there. Lines begin with
// a key; a later line with the same key overrides an earlier one; other
// lines are ignored.
class PhProjectFile {
 public:
  // An unreadable file reads as empty.
  static PhProjectFile read(const QString &strPath);
  static PhProjectFile read(QIODevice &device);

  const QString &cameraFile() const { return mCameraFile; }
  const QString &imageFile() const { return mImageFile; }
  const QString &objectFile() const { return mObjectFile; }
  const QString &orientationFile() const { return mOrientationFile; }
  const QString &observationFile() const { return mObservationFile; }

  // The four result files are required; the camera file is not.
  bool hasRequiredFiles() const;

 private:
  void takeLine(const QString &line);

  QString mCameraFile;
  QString mImageFile;
  QString mObjectFile;
  QString mOrientationFile;
  QString mObservationFile;
};

#endif  // PHPROJECTFILE_H
