#ifndef PHPROJECTREADER_H
#define PHPROJECTREADER_H

#include <QCoreApplication>
#include <QString>
#include <memory>

class PhImageList;
class PhObjectList;
class PhProjectData;
class PhReadFailure;
class PhReadFailureHandler;

// Reads a BAX project: parses the project file, resolves the result files,
// finds the camera file through the BAX installation and runs the image,
// object and camera readers into the given lists and project record (created
// on the first read, overwritten by later ones). The lists must be empty.
//
// A read that fails leaves no half-read project: the lists and the
// class-wide point and image indexes are emptied, then the handler hears of
// the failure, and `read` returns false. Only an observation file that
// cannot be opened leaves the project read without observations: the images,
// object points and camera frame stay, then the handler hears of it and
// `read` returns false.
class PhProjectReader {
  Q_DECLARE_TR_FUNCTIONS(Tessella)

 public:
  PhProjectReader(PhImageList &images, PhObjectList &objects,
                  std::unique_ptr<PhProjectData> &project, PhReadFailureHandler *handler);

  bool read(const QString &strProjectFile);

 private:
  bool fail(const PhReadFailure &failure);
  QString resolveDataFile(const QString &strName, const QString &strDir) const;
  QString resolveCameraFile(const QString &strName, const QString &strDir) const;

  PhImageList &mImages;
  PhObjectList &mObjects;
  std::unique_ptr<PhProjectData> &mProject;
  PhReadFailureHandler *mHandler = nullptr;
};

#endif  // PHPROJECTREADER_H
