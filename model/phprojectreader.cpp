#include "phprojectreader.h"

#include <QDir>
#include <QFileInfo>
#include <climits>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phbaxini.h"
#include "phcamerareader.h"
#include "phexception.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagereader.h"
#include "phobjectlist.h"
#include "phobjectreader.h"
#include "phprojectdata.h"
#include "phprojectfile.h"
#include "phreadfailure.h"
#include "phreadfailurehandler.h"

namespace {

// A name as written, or with its backslashes as separators when only that
// names a file (BAX writes Windows paths).
QString existingName(const QString &strPath) {
  if (QFileInfo(strPath).isFile()) return strPath;
  const QString portable = PhBaxIni::portablePath(strPath);
  return QFileInfo(portable).isFile() ? portable : QString();
}

QString inDir(const QString &strDir, const QString &strName) {
  return QDir::isRelativePath(PhBaxIni::portablePath(strName))
             ? QDir::cleanPath(QDir(strDir).filePath(strName))
             : strName;
}

}  // namespace

PhProjectReader::PhProjectReader(PhImageList &images, PhObjectList &objects,
                                 std::unique_ptr<PhProjectData> &project,
                                 PhReadFailureHandler *handler)
    : mImages(images), mObjects(objects), mProject(project), mHandler(handler) {}

QString PhProjectReader::resolveDataFile(const QString &strName, const QString &strDir) const {
  const QString resolved = inDir(strDir, strName);
  const QString existing = existingName(resolved);
  if (!existing.isEmpty()) return existing;
  Ux::warn(tr("Can't find file '%1'").arg(QDir::toNativeSeparators(resolved)));
  return strName;
}

QString PhProjectReader::resolveCameraFile(const QString &strName, const QString &strDir) const {
  const QString programs = PhBaxIni::readBAXini(QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS"));
  if (!programs.isEmpty()) {
    if (strName.isEmpty()) return QString();
    // Camera files live with the BAX programs.
    const QString inPrograms = inDir(PhBaxIni::portablePath(programs), strName);
    const QString existing = existingName(inPrograms);
    return existing.isEmpty() ? inPrograms : existing;
  }
  if (!strName.isEmpty()) {
    const QString existing = existingName(inDir(strDir, strName));
    if (!existing.isEmpty()) return existing;
  }
  Ux::warn(tr("No installation of BAX found! Can't look for camera file '%1'.").arg(strName));
  return strName.isEmpty() ? QString() : inDir(strDir, strName);
}

bool PhProjectReader::fail(const PhReadFailure &failure) {
  PhImage::clearPointIndex();
  mImages.clear();
  mObjects.clear();
  if (mHandler) mHandler->readFailed(failure);
  return false;
}

bool PhProjectReader::read(const QString &strProjectFile) {
  Nub::debug("%s => %s", "strProjectFile", qUtf8Printable(strProjectFile));
  const PhProjectFile names = PhProjectFile::read(strProjectFile);
  if (!names.hasRequiredFiles())
    return fail(PhReadFailure(PhReadFailure::RF_ProjectCorrupt, PhReadFailure::FILE_Project,
                              strProjectFile,
                              tr("Project file corrupt!\nCould not read necessary parameters.\n\n")));

  const QString dir = QFileInfo(strProjectFile).absolutePath();
  const QString imageFile = resolveDataFile(names.imageFile(), dir);
  const QString objectFile = resolveDataFile(names.objectFile(), dir);
  const QString orientationFile = resolveDataFile(names.orientationFile(), dir);
  const QString observationFile = resolveDataFile(names.observationFile(), dir);
  const QString cameraFile = resolveCameraFile(names.cameraFile(), dir);

  if (!mProject) mProject = std::make_unique<PhProjectData>();
  mProject->setProjectFile(QDir::toNativeSeparators(strProjectFile));
  mProject->setCameraFile(QDir::toNativeSeparators(cameraFile));
  mProject->setImageFile(QDir::toNativeSeparators(imageFile));
  mProject->setObjectFile(QDir::toNativeSeparators(objectFile));
  mProject->setOrientationFile(QDir::toNativeSeparators(orientationFile));
  mProject->setObservationFile(QDir::toNativeSeparators(observationFile));
  // This project's results, not the last project's.
  mProject->resetResults();

  PhReadFailure failure;
  PhImageReader imageReader(mImages, mObjects);
  PhObjectReader objectReader(mObjects, *mProject);
  PhCameraReader cameraReader(mImages);
  PhReadFailure observationsMissing;
  PhReadFailure::FileE current = PhReadFailure::FILE_Image;
  // Nearly every point ID of the image file is an object point: the
  // object file's record count sizes the point index before it fills.
  PhImage::reservePointIds(
      int(qMin<qint64>(QFileInfo(objectFile).size() / PhObjectReader::ObjectRecordSize, INT_MAX / 2)));
  try {
    if (!imageReader.read(imageFile, orientationFile, &failure)) return fail(failure);
    current = PhReadFailure::FILE_Object;
    if (!objectReader.read(objectFile, observationFile, &failure)) {
      if (!failure.isFailure() || failure.kind() != PhReadFailure::RF_CannotOpen ||
          failure.file() != PhReadFailure::FILE_Observation)
        return fail(failure);
      // Images and object points are read; only the observations are missing.
      observationsMissing = failure;
    }
    if (QFileInfo(cameraFile).isFile()) {
      current = PhReadFailure::FILE_Camera;
      if (!cameraReader.read(cameraFile, &failure)) return fail(failure);
    } else {
      Ux::info(tr("Camera file not found! Will fit image coordinates within their extreme values."));
    }
  } catch (const PhException &exception) {
    QString path = imageFile;
    if (current == PhReadFailure::FILE_Object) {
      path = objectReader.currentFile();
      if (path == observationFile) current = PhReadFailure::FILE_Observation;
    } else if (current == PhReadFailure::FILE_Camera) {
      path = cameraFile;
    }
    return fail(PhReadFailure(PhReadFailure::RF_Damaged, current, path, exception.message(),
                              exception.errorNumber()));
  }
  if (observationsMissing.isFailure()) {
    if (mHandler) mHandler->readFailed(observationsMissing);
    return false;
  }
  return true;
}
