#include "fuzzruns.h"

#include <QBuffer>
#include <QDir>
#include <QStringList>

#include <cstring>
#include <memory>

#include "fuzzsupport.h"
#include "phbaxini.h"
#include "phcamerareader.h"
#include "phexception.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagereader.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phobjectreader.h"
#include "phprojectdata.h"
#include "phprojectfile.h"
#include "phprojectinit.h"
#include "phprojectreader.h"
#include "phreadfailure.h"
#include "phreadfailurehandler.h"
#include "uxcfg.h"
#include "uxcfgfile.h"

namespace Fuzz {

namespace {

class FailureLog : public PhReadFailureHandler {
 public:
  void readFailed(const PhReadFailure &failure) override {
    ++mCount;
    mLast = failure;
  }
  int mCount = 0;
  PhReadFailure mLast;
};

void checkSortedImages(const PhImageList &images) {
  for (int i = 1; i < images.count(); ++i)
    FUZZ_CHECK(images.at(i - 1)->imageId() <= images.at(i)->imageId());
}

// Reads the project file in the scratch folder and checks the outcome.
void readProject(const QString &strProjectPath) {
  PhImageList images;
  PhObjectList objects;
  std::unique_ptr<PhProjectData> project;
  FailureLog log;
  PhProjectReader reader(images, objects, project, &log);
  if (reader.read(strProjectPath)) {
    FUZZ_CHECK(log.mCount == 0);
    FUZZ_CHECK(project != nullptr);
    checkImageModel(images, objects, 0);
    PhProjectInit::complete(images, objects, project.get());
    checkSortedImages(images);
    checkImageModel(images, objects, 0);
  } else {
    // A failed read says why, once, and leaves nothing behind, but for an
    // observation file that cannot be opened: then the rest is whole.
    FUZZ_CHECK(log.mCount == 1);
    FUZZ_CHECK(log.mLast.isFailure());
    FUZZ_CHECK(!log.mLast.text().isEmpty());
    if (log.mLast.kind() == PhReadFailure::RF_CannotOpen &&
        log.mLast.file() == PhReadFailure::FILE_Observation) {
      checkImageModel(images, objects, 0);
      PhProjectInit::complete(images, objects, project.get());
      checkSortedImages(images);
      checkImageModel(images, objects, 0);
    } else {
      FUZZ_CHECK(images.isEmpty() && objects.isEmpty());
      PhProjectInit::complete(images, objects, project.get());
    }
  }
  resetModel(images, objects);
}

// A name the project reader would look up inside the scratch folder only.
bool staysInside(const QString &strName) {
  const QString name = PhBaxIni::portablePath(strName);
  return QDir::isRelativePath(name) && !name.contains(QLatin1String("..")) &&
         !name.startsWith(QLatin1Char('~'));
}

}  // namespace

void runImageFiles(const QByteArray &imageBytes, const QByteArray &orientationBytes) {
  const QString imagePath = writeFile(QLatin1String(ImageName), imageBytes);
  const QString orientationPath = writeFile(QLatin1String(OrientationName), orientationBytes);
  PhImageList images;
  PhObjectList objects;
  PhReadFailure failure;
  bool bRead = false;
  try {
    bRead = PhImageReader(images, objects).read(imagePath, orientationPath, &failure);
    // Both files exist, so neither can fail to open.
    FUZZ_CHECK(bRead && !failure.isFailure());
    FUZZ_CHECK(objects.count() == images.count());
    for (int i = 0; i < images.count(); ++i) {
      FUZZ_CHECK(objects.at(i)->pointId() == images.at(i)->imageId());
      FUZZ_CHECK(objects.at(i)->code() == 900);
    }
    checkImageModel(images, objects, 0);
    PhProjectInit::complete(images, objects, nullptr);
    checkSortedImages(images);
    checkImageModel(images, objects, 0);
  } catch (const PhException &exception) {
    FUZZ_CHECK(exception.errorNumber() == PhImageReader::SequenceError);
    FUZZ_CHECK(!exception.message().isEmpty());
  }
  resetModel(images, objects);
}

void runObjectFiles(const QByteArray &objectBytes, const QByteArray &observationBytes) {
  const QString objectPath = writeFile(QLatin1String(ObjectName), objectBytes);
  const QString observationPath = writeFile(QLatin1String(ObservationName), observationBytes);
  PhImageList images;
  PhObjectList objects;
  // The projection centres of images 1..3 come first, as after the image reader.
  for (int id = 1; id <= 3; ++id) {
    PhObjectPoint centre;
    centre.setPointId(id);
    centre.setCode(900);
    centre.setAdjustedValues(100.0 * id, 50.0, 300.0, 0.02f, 0.02f, 0.02f);
    objects.append(std::move(centre));
  }
  PhProjectData project;
  PhReadFailure failure;
  try {
    const bool bRead = PhObjectReader(objects, project).read(objectPath, observationPath, &failure);
    FUZZ_CHECK(bRead && !failure.isFailure());
    for (int i = 0; i < 3; ++i)
      FUZZ_CHECK(objects.at(i)->code() == 900 || objects.at(i)->code() == 901);
    checkObjectList(objects);
  } catch (const PhException &exception) {
    FUZZ_CHECK(exception.errorNumber() == PhObjectReader::InversionError ||
               exception.errorNumber() == PhObjectReader::ComponentError);
    FUZZ_CHECK(!exception.message().isEmpty());
  }
  resetModel(images, objects);
}

void runCameraFile(const QByteArray &cameraBytes) {
  const QString cameraPath = writeFile(QLatin1String(CameraName), cameraBytes);
  PhImageList images;
  PhObjectList objects;
  for (int id = 1; id <= 2; ++id) {
    auto *image = new PhImage();
    image->setImageId(id);
    image->setCameraId(12);
    image->addPoint(100 + id, true, 1.0f, 2.0f, 0.0f, 0.0f, 1.0f);
    images.append(image);
  }
  PhReadFailure failure;
  // Every problem of the camera file is a warning.
  FUZZ_CHECK(PhCameraReader(images).read(cameraPath, &failure));
  FUZZ_CHECK(!failure.isFailure());
  // All images have the same frame, set or not.
  const float a = images.at(0)->minX();
  const float b = images.at(1)->minX();
  FUZZ_CHECK(std::memcmp(&a, &b, sizeof a) == 0);
  resetModel(images, objects);
}

void runProject(const QList<QByteArray> &pieces) {
  FUZZ_CHECK(pieces.size() == 5);
  writeFile(QLatin1String(ImageName), pieces.at(0));
  writeFile(QLatin1String(OrientationName), pieces.at(1));
  writeFile(QLatin1String(ObjectName), pieces.at(2));
  writeFile(QLatin1String(ObservationName), pieces.at(3));
  writeFile(QLatin1String(CameraName), pieces.at(4));
  static const QString projectPath = writeFile(QLatin1String(ProjectName), projectFile());
  readProject(projectPath);
}

void runProjectFile(const QByteArray &projectBytes) {
  QBuffer buffer;
  buffer.setData(projectBytes);
  buffer.open(QIODevice::ReadOnly);
  const PhProjectFile names = PhProjectFile::read(buffer);
  const QStringList all = {names.cameraFile(), names.imageFile(), names.objectFile(),
                           names.orientationFile(), names.observationFile()};
  for (const QString &name : all) {
    FUZZ_CHECK(name == name.trimmed());
    FUZZ_CHECK(!name.contains(QLatin1Char('\n')));
  }
  FUZZ_CHECK(names.hasRequiredFiles() ==
             (!all.at(1).isEmpty() && !all.at(2).isEmpty() && !all.at(3).isEmpty() &&
              !all.at(4).isEmpty()));
  for (const QString &name : all)
    if (!staysInside(name)) return;

  static const bool bWritten = [] {
    writeFile(QLatin1String(ImageName), imageFile());
    writeFile(QLatin1String(OrientationName), orientationFile());
    writeFile(QLatin1String(ObjectName), objectFile());
    writeFile(QLatin1String(ObservationName), observationFile());
    writeFile(QLatin1String(CameraName), cameraFile());
    return true;
  }();
  Q_UNUSED(bWritten);
  readProject(writeFile(QStringLiteral("fuzzed.(p)"), projectBytes));
}

void runIniFile(const QByteArray &iniBytes) {
  const QString listPath = writeFile(QStringLiteral("list.ini"), iniBytes);
  const QStringList values = {
      PhBaxIni::readBAXpro(listPath, QStringLiteral("PROJECT"), QStringLiteral("BAXB_OUT_TESL")),
      PhBaxIni::readBAXpro(listPath, QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS")),
      PhBaxIni::readBAXpro(listPath, QStringLiteral("BAXB"), QStringLiteral("BAXB_LAST_PROJ"))};
  for (const QString &value : values) {
    FUZZ_CHECK(value == value.trimmed());
    FUZZ_CHECK(!value.contains(QLatin1Char('\n')));
  }
  // Bax.ini itself is found through "windir", the scratch folder.
  writeFile(QStringLiteral("Bax.ini"), iniBytes);
  FUZZ_CHECK(PhBaxIni::readBAXini(QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS")) ==
             values.at(1));
  removeFile(QStringLiteral("Bax.ini"));
}

void runCfgFile(const QByteArray &cfgBytes) {
  using Ux::CfgFile;
  const CfgFile::Contents contents = CfgFile::read(cfgBytes);
  for (const CfgFile::Entry &entry : contents.entries) FUZZ_CHECK(CfgFile::isConsistent(entry));
  FUZZ_CHECK(qint64(contents.entries.size()) <= qint64(contents.count));
  FUZZ_CHECK((contents.status == CfgFile::S_Ok) == contents.damage.isEmpty());
  if (contents.status == CfgFile::S_Ok) {
    // A sound file is read exactly: it encodes back to the same bytes.
    FUZZ_CHECK(contents.entries.size() == qsizetype(contents.count));
    FUZZ_CHECK(CfgFile::encode(contents.header, contents.entries) == cfgBytes);
  } else if (contents.status != CfgFile::S_BadMagic) {
    FUZZ_CHECK(contents.damageOffset >= 0 && contents.damageOffset <= cfgBytes.size());
    if (contents.status == CfgFile::S_TrailingData)
      FUZZ_CHECK(contents.entries.size() == qsizetype(contents.count));
  }

  // The store loads what the codec read; saving it and loading again keeps
  // every key.
  const QString path = writeFile(QStringLiteral("fuzzed.cfg"), cfgBytes);
  Ux::Cfg::clear();
  if (Ux::Cfg::load(path, true)) {
    const QStringList keys = Ux::Cfg::keys();
    const QString savedPath = QDir(dir()).filePath(QStringLiteral("saved.cfg"));
    FUZZ_CHECK(Ux::Cfg::save(savedPath));
    Ux::Cfg::clear();
    FUZZ_CHECK(Ux::Cfg::load(savedPath, true));
    FUZZ_CHECK(Ux::Cfg::keys() == keys);
  } else {
    FUZZ_CHECK(contents.status == CfgFile::S_BadMagic || contents.status == CfgFile::S_ReadError);
  }
  Ux::Cfg::clear();
}

}  // namespace Fuzz
