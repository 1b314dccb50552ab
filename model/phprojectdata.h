#ifndef PHPROJECTDATA_H
#define PHPROJECTDATA_H

#include <QString>

// The project record: the files of the open project and the global results
// of its adjustment.
class PhProjectData {
 public:
  const QString &projectFile() const { return mProjectFile; }
  void setProjectFile(const QString &strPath) { mProjectFile = strPath; }
  const QString &cameraFile() const { return mCameraFile; }
  void setCameraFile(const QString &strPath) { mCameraFile = strPath; }
  const QString &imageFile() const { return mImageFile; }
  void setImageFile(const QString &strPath) { mImageFile = strPath; }
  const QString &objectFile() const { return mObjectFile; }
  void setObjectFile(const QString &strPath) { mObjectFile = strPath; }
  const QString &orientationFile() const { return mOrientationFile; }
  void setOrientationFile(const QString &strPath) { mOrientationFile = strPath; }
  const QString &observationFile() const { return mObservationFile; }
  void setObservationFile(const QString &strPath) { mObservationFile = strPath; }

  // A-posteriori standard deviation of unit weight.
  double sigma0() const { return mSigma0; }
  void setSigma0(double value) { mSigma0 = value; }
  double averageRedundancy() const { return mAverageRedundancy; }
  void setAverageRedundancy(double value) { mAverageRedundancy = value; }
  // True when the normal equations were inverted, so standard deviations exist.
  bool inversion() const { return mInversion; }
  void setInversion(bool bInversion) { mInversion = bInversion; }

  // The adjustment results as before any object file supplied them.
  void resetResults();

 private:
  QString mProjectFile;
  QString mCameraFile;
  QString mImageFile;
  QString mObjectFile;
  QString mOrientationFile;
  QString mObservationFile;
  double mSigma0 = 0.0;
  double mAverageRedundancy = 0.0;
  bool mInversion = false;
};

#endif  // PHPROJECTDATA_H
