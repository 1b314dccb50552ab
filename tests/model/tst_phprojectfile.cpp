#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "phexception.h"
#include "phfixture.h"
#include "phglobal.h"
#include "phimage.h"
#include "phimagelist.h"
#include "messagecapture.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phprojectdata.h"
#include "phprojectfile.h"
#include "phprojectinit.h"
#include "phprojectreader.h"
#include "phreadfailure.h"
#include "phreadfailurehandler.h"

using namespace PhFixture;

namespace {

// Records the failure and what the model looked like when it was reported.
class FailureRecorder : public PhReadFailureHandler {
 public:
  explicit FailureRecorder(const PhImageList &images, const PhObjectList &objects)
      : mImages(images), mObjects(objects) {}
  void readFailed(const PhReadFailure &failure) override {
    failures << failure;
    modelWasEmpty = mImages.isEmpty() && mObjects.isEmpty() && PhImage::numberOfLinks(100) == 0 &&
                    !PhImageList::hasImage(10);
  }
  QList<PhReadFailure> failures;
  bool modelWasEmpty = false;

 private:
  const PhImageList &mImages;
  const PhObjectList &mObjects;
};

}  // namespace

class TstPhProjectFile : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void keyRules_data();
  void keyRules();

  void readsAndCompletesAProject();
  void relativeNamesResolveAgainstTheProjectDirectory();
  void missingDataFile();
  void missingObservationFileKeepsTheRest();
  void corruptProjectFile_data();
  void corruptProjectFile();
  void cameraLookup_data();
  void cameraLookup();
  void damagedFileLeavesNoHalfReadProject_data();
  void damagedFileLeavesNoHalfReadProject();
  void laterProjectDoesNotInheritResults();
  void completionSortsAndReportsCodeConflicts();
  void completionWithoutInversionOrRecord();
  void anyBytesAreReadWithoutCrash();

 private:
  bool readProject(const QString &path);

  QTemporaryDir mDir;
  QString mCurrent;
  PhImageList mImages;
  PhObjectList mObjects;
  std::unique_ptr<PhProjectData> mProject;
  std::unique_ptr<FailureRecorder> mFailures;
};

void TstPhProjectFile::init() {
  QVERIFY(mDir.isValid());
  mCurrent = QDir::currentPath();
  // No BAX installation unless a test writes one.
  qputenv("windir", QFile::encodeName(mDir.filePath(QStringLiteral("windows"))));
  QDir(mDir.path()).removeRecursively();
  QDir().mkpath(mDir.filePath(QStringLiteral("windows")));
  mProject.reset();
  mFailures = std::make_unique<FailureRecorder>(mImages, mObjects);
  phResetModel();
}

void TstPhProjectFile::cleanup() {
  PhImage::clearPointIndex();
  mImages.clear();
  mObjects.clear();
  qunsetenv("windir");
  QDir::setCurrent(mCurrent);
}

bool TstPhProjectFile::readProject(const QString &path) {
  return PhProjectReader(mImages, mObjects, mProject, mFailures.get()).read(path);
}

void TstPhProjectFile::keyRules_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QStringList>("names");  // camera, image, object, orientation, observation
  QTest::addRow("CRLF lines") << QByteArray(
      "CAMERA_FILE: cam 12.cam\r\nIMAGE_FILE: a.(i)\r\nOBJECT_FILE: a.(o)\r\n"
      "ORIENTATION_FILE: a.(e)\r\nOBJECT_OBSERVATION_FILE: a.(c)\r\n")
                              << QStringList{"cam 12.cam", "a.(i)", "a.(o)", "a.(e)", "a.(c)"};
  QTest::addRow("comment after the name")
      << QByteArray("IMAGE_FILE: data\\blk.(i) image coordinates\nOBJECT_FILE: b.(o)\t(o) file\n")
      << QStringList{"", "data\\blk.(i)", "b.(o)\t(o)", "", ""};
  QTest::addRow("later key overrides")
      << QByteArray("IMAGE_FILE: first.(i)\nIMAGE_FILE: second.(i)\nCAMERA_FILE: one\nCAMERA_FILE: two\n")
      << QStringList{"two", "second.(i)", "", "", ""};
  QTest::addRow("camera line ending in LF keeps its last character")
      << QByteArray("CAMERA_FILE: cam12.cam\n") << QStringList{"cam12.cam", "", "", "", ""};
  QTest::addRow("camera line without line end")
      << QByteArray("CAMERA_FILE: cam12.cam") << QStringList{"cam12.cam", "", "", "", ""};
  QTest::addRow("camera value stripped")
      << QByteArray("CAMERA_FILE:   cam12.cam  \r\n") << QStringList{"cam12.cam", "", "", "", ""};
  QTest::addRow("observation key is not the object key")
      << QByteArray("OBJECT_OBSERVATION_FILE: c.(c)\nOBJECT_FILE_OLD: old.(o)\n")
      << QStringList{"", "", "old.(o)", "", "c.(c)"};
  QTest::addRow("keys only at the start of a line")
      << QByteArray("  IMAGE_FILE: a.(i)\n# IMAGE_FILE: b.(i)\nimage_file: c.(i)\n")
      << QStringList{"", "", "", "", ""};
  QTest::addRow("no colon and blank") << QByteArray("IMAGE_FILE: a.(i)\nIMAGE_FILE:a.(i)\n")
                                      << QStringList{"", "", "", "", ""};
  QTest::addRow("name without parenthesis")
      << QByteArray("ORIENTATION_FILE: plain.e  \r\n") << QStringList{"", "", "", "plain.e", ""};
  QTest::addRow("name ends at the last parenthesis")
      << QByteArray("ORIENTATION_FILE: x.(e) (old) rest\n")
      << QStringList{"", "", "", "x.(e) (old)", ""};
  QTest::addRow("overlong line read as several")
      << QByteArray(1000, 'x') + "IMAGE_FILE: tail.(i)\n" + QByteArray(995, 'y') + "OBJECT_FILE: o.(o)\n"
      << QStringList{"", "tail.(i)", "", "", ""};
  QTest::addRow("line ends at and just past a read step")
      << QByteArray(255, 'z') + "\n" + QByteArray(256, 'z') + "\nIMAGE_FILE: b.(i)\n"
      << QStringList{"", "b.(i)", "", "", ""};
  QTest::addRow("binary junk") << QByteArray("\0\xff\xfe\r\r\n\0IMAGE_FILE: a.(i)\n", 20)
                               << QStringList{"", "", "", "", ""};
}

void TstPhProjectFile::keyRules() {
  QFETCH(QByteArray, text);
  QFETCH(QStringList, names);
  QBuffer buffer(&text);
  QVERIFY(buffer.open(QIODevice::ReadOnly));
  const PhProjectFile project = PhProjectFile::read(buffer);
  QCOMPARE(project.cameraFile(), names[0]);
  QCOMPARE(project.imageFile(), names[1]);
  QCOMPARE(project.objectFile(), names[2]);
  QCOMPARE(project.orientationFile(), names[3]);
  QCOMPARE(project.observationFile(), names[4]);
}

void TstPhProjectFile::readsAndCompletesAProject() {
  const QString path = smallProject(3, 4).write(mDir.filePath(QStringLiteral("p")));
  MessageCapture capture;
  QVERIFY(readProject(path));
  QVERIFY(mFailures->failures.isEmpty());
  QVERIFY(mProject);
  QCOMPARE(mProject->projectFile(), QDir::toNativeSeparators(path));
  QCOMPARE(mProject->imageFile(),
           QDir::toNativeSeparators(mDir.filePath(QStringLiteral("p/blk.(i)"))));
  QCOMPARE(mProject->observationFile(),
           QDir::toNativeSeparators(mDir.filePath(QStringLiteral("p/blk.(c)"))));
  QCOMPARE(mProject->cameraFile(),
           QDir::toNativeSeparators(mDir.filePath(QStringLiteral("p/camera.cam"))));
  QCOMPARE(mProject->sigma0(), 0.8);
  QCOMPARE(mProject->averageRedundancy(), 2.5);
  QVERIFY(mProject->inversion());
  // Without a BAX installation the camera file is found beside the project.
  QCOMPARE(capture.warnings(),
           QStringList{QStringLiteral("BAX configuaration file '%1' doesn't exist!")
                           .arg(QDir::toNativeSeparators(mDir.filePath(QStringLiteral("windows/Bax.ini"))))});

  capture.clear();
  PhProjectInit::complete(mImages, mObjects, mProject.get());
  QCOMPARE(mImages.count(), 3);
  QCOMPARE(mObjects.count(), 3 + 4);
  const PhImage *image = mImages.first();
  QCOMPARE(image->imageId(), 10);
  QCOMPARE(image->point(100)->code(), 500);
  QCOMPARE(image->point(101)->code(), 200);
  QCOMPARE(image->point(103)->code(), 100);
  QCOMPARE(image->point(5000)->code(), -1);
  QCOMPARE(PhGlobal::pointTypeOfCode(image->point(5000)->code()), PhGlobal::PT_LonelyImagePoint);
  QCOMPARE(PhImage::numberOfLinks(102), 3);
  QCOMPARE(image->minX(), -115.0f);  // the camera's frame
  QCOMPARE(image->notAdjustedCount(), 1);
  const PhObjectPoint *control = mObjects.find(100);
  QVERIFY(control->isAccepted());
  QCOMPARE(control->observedCoord(0), 4500010.5);
  QCOMPARE(control->observedResidual(1), 0.03f);

  QVERIFY(capture.warnings().isEmpty());
  QCOMPARE(capture.infos(), (QStringList{QStringLiteral("Read <b>3</b> Images."),
                                         QStringLiteral("Read <b>7</b> Objects."),
                                         QStringLiteral("Reading Projectfile ready.")}));
  QCOMPARE(capture.texts(Nub::MsgStatus), QStringList{QStringLiteral("Reading Projectfile ready.")});
}

void TstPhProjectFile::relativeNamesResolveAgainstTheProjectDirectory() {
  const Project p = smallProject(2, 2);
  const QDir dir(mDir.filePath(QStringLiteral("proj")));
  QDir().mkpath(dir.filePath(QStringLiteral("data")));
  writeFile(dir.filePath(QStringLiteral("data/blk.(i)")), p.image);
  writeFile(dir.filePath(QStringLiteral("data/blk.(e)")), p.orientation);
  writeFile(dir.filePath(QStringLiteral("data/blk.(o)")), p.object);
  writeFile(dir.filePath(QStringLiteral("blk.(c)")), p.observation);
  // Windows separators, comments, and an absolute name.
  const QByteArray text = "IMAGE_FILE: data\\blk.(i) image coordinates\r\n"
                          "ORIENTATION_FILE: data/blk.(e)\r\n"
                          "OBJECT_FILE: data\\blk.(o)\r\n"
                          "OBJECT_OBSERVATION_FILE: " +
                          dir.filePath(QStringLiteral("blk.(c)")).toUtf8() + "   observations\r\n";
  writeFile(dir.filePath(QStringLiteral("blk.(p)")), text);
  QDir::setCurrent(QDir::tempPath());
  MessageCapture capture;
  QVERIFY(readProject(dir.filePath(QStringLiteral("blk.(p)"))));
  QCOMPARE(mImages.count(), 2);
  QCOMPARE(QDir::fromNativeSeparators(mProject->imageFile()),
           dir.filePath(QStringLiteral("data/blk.(i)")));
  QCOMPARE(QDir::fromNativeSeparators(mProject->objectFile()),
           dir.filePath(QStringLiteral("data/blk.(o)")));
  QCOMPARE(capture.count(Nub::MsgWarn, QStringLiteral("Can't find file")), 0);
}

void TstPhProjectFile::missingDataFile() {
  Project p = smallProject(1, 2);
  const QString path = p.write(mDir.filePath(QStringLiteral("p")));
  QFile::remove(mDir.filePath(QStringLiteral("p/blk.(o)")));
  MessageCapture capture;
  QVERIFY(!readProject(path));
  QCOMPARE(capture.count(Nub::MsgWarn, QStringLiteral("Can't find file '%1'").arg(
                                           QDir::toNativeSeparators(mDir.filePath(QStringLiteral("p/blk.(o)"))))),
           1);
  QCOMPARE(mFailures->failures.count(), 1);
  const PhReadFailure &failure = mFailures->failures.first();
  QCOMPARE(failure.kind(), PhReadFailure::RF_CannotOpen);
  QCOMPARE(failure.file(), PhReadFailure::FILE_Object);
  // The name is kept as the project file gives it.
  QCOMPARE(failure.text(), QStringLiteral("Could not open file\nblk.(o)\n\n"));
  QVERIFY(mFailures->modelWasEmpty);
  QVERIFY(mImages.isEmpty());
  QVERIFY(mObjects.isEmpty());
}

void TstPhProjectFile::missingObservationFileKeepsTheRest() {
  Project p = smallProject(3, 4);
  p.observation += observation(4, 0, 11, 4500100.5, 0.5, 0.1);
  const QString path = p.write(mDir.filePath(QStringLiteral("p")));
  QFile::remove(mDir.filePath(QStringLiteral("p/blk.(c)")));
  MessageCapture capture;
  QVERIFY(!readProject(path));
  QCOMPARE(capture.count(Nub::MsgWarn, QStringLiteral("Can't find file '%1'").arg(
                                           QDir::toNativeSeparators(mDir.filePath(QStringLiteral("p/blk.(c)"))))),
           1);
  QCOMPARE(mFailures->failures.count(), 1);
  const PhReadFailure &failure = mFailures->failures.first();
  QCOMPARE(failure.kind(), PhReadFailure::RF_CannotOpen);
  QCOMPARE(failure.file(), PhReadFailure::FILE_Observation);
  QCOMPARE(failure.text(), QStringLiteral("Could not open file\nblk.(c)\n\n"));
  // Images, projection centres, object points and the camera frame stay;
  // nothing is observed.
  QVERIFY(!mFailures->modelWasEmpty);
  QCOMPARE(mImages.count(), 3);
  QCOMPARE(mObjects.count(), 3 + 4);
  QCOMPARE(PhImage::numberOfLinks(101), 3);
  QVERIFY(PhImageList::hasImage(11));
  QCOMPARE(mImages.first()->minX(), -115.0f);
  QCOMPARE(mProject->sigma0(), 0.8);
  for (const PhObjectPoint *point : mObjects) {
    QVERIFY(!point->hasObservedX());
    QVERIFY(point->isAccepted());
    QVERIFY(point->code() != 901);
  }
  PhProjectInit::complete(mImages, mObjects, mProject.get());
  QCOMPARE(mImages.first()->point(100)->code(), 500);
}

void TstPhProjectFile::corruptProjectFile_data() {
  QTest::addColumn<QByteArray>("text");
  const QByteArray all = "IMAGE_FILE: a.(i)\nOBJECT_FILE: a.(o)\nORIENTATION_FILE: a.(e)\n"
                         "OBJECT_OBSERVATION_FILE: a.(c)\n";
  for (const char *key : {"IMAGE_FILE", "OBJECT_FILE", "ORIENTATION_FILE", "OBJECT_OBSERVATION_FILE"}) {
    QByteArray text;
    for (const QByteArray &line : all.split('\n'))
      if (!line.isEmpty() && !line.startsWith(QByteArray(key) + ':')) text += line + '\n';
    QTest::addRow("without %s", key) << text;
  }
  QTest::addRow("empty value") << QByteArray(all).replace("IMAGE_FILE: a.(i)", "IMAGE_FILE: ");
  QTest::addRow("empty file") << QByteArray();
  QTest::addRow("unreadable") << QByteArray("<directory>");
}

void TstPhProjectFile::corruptProjectFile() {
  QFETCH(QByteArray, text);
  QString path = mDir.filePath(QStringLiteral("x.(p)"));
  if (text == "<directory>")
    QDir().mkpath(path);
  else
    writeFile(path, text);
  MessageCapture capture;
  QVERIFY(!readProject(path));
  QCOMPARE(mFailures->failures.count(), 1);
  const PhReadFailure &failure = mFailures->failures.first();
  QCOMPARE(failure.kind(), PhReadFailure::RF_ProjectCorrupt);
  QCOMPARE(failure.file(), PhReadFailure::FILE_Project);
  QCOMPARE(failure.path(), path);
  QCOMPARE(failure.text(),
           QStringLiteral("Project file corrupt!\nCould not read necessary parameters.\n\n"));
  QVERIFY(!mProject);  // nothing read, no record made
  QVERIFY(capture.warnings().isEmpty());
}

void TstPhProjectFile::cameraLookup_data() {
  QTest::addColumn<QString>("cameraName");      // in the project file; empty: no line
  QTest::addColumn<QString>("cameraAt");        // where the camera file is: "project", "programs", ""
  QTest::addColumn<bool>("installation");       // a Bax.ini naming the programs directory
  QTest::addColumn<bool>("framed");
  QTest::addColumn<QStringList>("messages");    // warnings and infos about the camera
  const QString notFound = QStringLiteral("Camera file not found! Will fit image coordinates within their extreme values.");
  QTest::addRow("beside the project") << "cam.cam" << "project" << false << true << QStringList();
  QTest::addRow("with the programs") << "cam.cam" << "programs" << true << true << QStringList();
  QTest::addRow("installation wins") << "cam.cam" << "project" << true << false << QStringList{notFound};
  QTest::addRow("nowhere") << "cam.cam" << "" << false << false
                           << QStringList{QStringLiteral("No installation of BAX found! Can't look for camera file 'cam.cam'."), notFound};
  QTest::addRow("no camera line") << "" << "" << false << false
                                  << QStringList{QStringLiteral("No installation of BAX found! Can't look for camera file ''."), notFound};
  QTest::addRow("no camera line, installed") << "" << "" << true << false << QStringList{notFound};
}

void TstPhProjectFile::cameraLookup() {
  QFETCH(QString, cameraName);
  QFETCH(QString, cameraAt);
  QFETCH(bool, installation);
  QFETCH(bool, framed);
  QFETCH(QStringList, messages);
  Project p = smallProject(1, 3);
  const QByteArray camera = p.camera;
  p.camera.clear();
  const QString path = p.write(mDir.filePath(QStringLiteral("p")));
  if (!cameraName.isEmpty()) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write("CAMERA_FILE: " + cameraName.toUtf8() + "\r\n");
  }
  const QString programs = mDir.filePath(QStringLiteral("bax"));
  QDir().mkpath(programs);
  if (installation)
    writeFile(mDir.filePath(QStringLiteral("windows/Bax.ini")),
              "[BAX]\r\nPATH_PROGRAMS=" + programs.toUtf8() + "\r\n;\r\n");
  if (cameraAt == QLatin1String("project")) writeFile(mDir.filePath(QStringLiteral("p/cam.cam")), camera);
  if (cameraAt == QLatin1String("programs")) writeFile(programs + QStringLiteral("/cam.cam"), camera);

  MessageCapture capture;
  QVERIFY(readProject(path));
  QCOMPARE(mImages.first()->minX(), framed ? -115.0f : -50.0f);
  QStringList got;
  for (const auto &m : capture.all())
    if ((m.first == Nub::MsgWarn || m.first == Nub::MsgInfo) && !m.second.startsWith(QLatin1String("BAX configuaration")))
      got << m.second;
  QCOMPARE(got, messages);
  if (cameraAt == QLatin1String("programs"))
    QCOMPARE(QDir::fromNativeSeparators(mProject->cameraFile()), programs + QStringLiteral("/cam.cam"));
}

void TstPhProjectFile::damagedFileLeavesNoHalfReadProject_data() {
  QTest::addColumn<QString>("which");
  QTest::addColumn<int>("file");
  QTest::addColumn<int>("errorNumber");
  QTest::addColumn<QString>("text");
  QTest::addRow("orientations out of sequence") << "orientation" << int(PhReadFailure::FILE_Image) << 60868
      << "Tessella::ReadImageFiles: Sequences in files (i) and (e) don't fit!";
  QTest::addRow("inversion flag 0.5") << "object" << int(PhReadFailure::FILE_Object) << 60865
      << "Tessella::ReadObjectFiles: Check for inversion neither 0 nor 1!";
  QTest::addRow("observation component 7") << "observation" << int(PhReadFailure::FILE_Observation) << 60867
      << "Tessella::ReadObjectFiles: illegal point code!";
}

void TstPhProjectFile::damagedFileLeavesNoHalfReadProject() {
  QFETCH(QString, which);
  QFETCH(int, file);
  QFETCH(int, errorNumber);
  QFETCH(QString, text);
  Project p = smallProject(3, 4);
  if (which == QLatin1String("orientation"))
    p.orientation = p.orientation.left(70) + orientation(12, 7, 0, 0, 0) + orientation(11, 7, 0, 0, 0);
  if (which == QLatin1String("object")) p.object += objectProject(1, 1, 0.5);
  if (which == QLatin1String("observation")) p.observation += observation(7, 0, 101, 1, 0, 0);
  const QString path = p.write(mDir.filePath(QStringLiteral("p")));
  MessageCapture capture;
  QVERIFY(!readProject(path));
  QCOMPARE(mFailures->failures.count(), 1);
  const PhReadFailure &failure = mFailures->failures.first();
  QCOMPARE(failure.kind(), PhReadFailure::RF_Damaged);
  QCOMPARE(int(failure.file()), file);
  QCOMPARE(failure.errorNumber(), errorNumber);
  QCOMPARE(failure.text(), text);
  QVERIFY(failure.path().endsWith(file == PhReadFailure::FILE_Image ? QLatin1String("blk.(i)")
                                  : file == PhReadFailure::FILE_Object ? QLatin1String("blk.(o)")
                                                                       : QLatin1String("blk.(c)")));
  QVERIFY(mFailures->modelWasEmpty);
  QVERIFY(mImages.isEmpty());
  QVERIFY(mObjects.isEmpty());
  QVERIFY(PhImage::imagesOfPoint(101).isNull());
  QVERIFY(!PhImageList::hasImage(10));

  // The same lists read a sound project afterwards.
  mFailures->failures.clear();
  QVERIFY(readProject(smallProject(2, 3).write(mDir.filePath(QStringLiteral("q")))));
  QCOMPARE(mImages.count(), 2);
  QCOMPARE(PhImage::numberOfLinks(101), 2);
}

void TstPhProjectFile::laterProjectDoesNotInheritResults() {
  MessageCapture capture;
  QVERIFY(readProject(smallProject(1, 2).write(mDir.filePath(QStringLiteral("p")))));
  QCOMPARE(mProject->sigma0(), 0.8);
  PhProjectData *record = mProject.get();
  PhImage::clearPointIndex();
  mImages.clear();
  mObjects.clear();
  Project second = smallProject(1, 2);
  second.object = objectPoint(100, 100, 1, 2, 3);  // no project record
  QVERIFY(readProject(second.write(mDir.filePath(QStringLiteral("q")))));
  QCOMPARE(mProject.get(), record);  // reused
  QCOMPARE(mProject->sigma0(), 0.0);
  QVERIFY(!mProject->inversion());
  QVERIFY(mProject->projectFile().endsWith(QLatin1String("blk.(p)")));
  QVERIFY(mProject->projectFile().contains(QLatin1String("q")));
}

void TstPhProjectFile::completionSortsAndReportsCodeConflicts() {
  Project p;
  for (int id : {12, 10, 11}) {
    p.image += imageHeader(id) + imagePoint(0, 100, 1, 1, 0, 0) + imagePoint(0, 101, 2, 2, 0, 0) + imageEnd();
    p.orientation += orientation(id, 7, 0, 0, 0);
  }
  // Point 100 twice with different codes: the first code stays.
  p.object = objectProject(1, 1, 1) + objectPoint(500, 100, 0, 0, 0) + objectPoint(100, 101, 0, 0, 0) +
             objectPoint(200, 100, 0, 0, 0);
  const QString path = p.write(mDir.filePath(QStringLiteral("p")));
  MessageCapture capture;
  QVERIFY(readProject(path));
  capture.clear();
  PhProjectInit::complete(mImages, mObjects, mProject.get());
  QList<int> ids;
  for (const PhImage *image : mImages) ids << image->imageId();
  QCOMPARE(ids, (QList<int>{10, 11, 12}));
  for (const PhImage *image : mImages) {
    QCOMPARE(image->point(100)->code(), 500);
    QCOMPARE(image->point(101)->code(), 100);
  }
  QCOMPARE(capture.warnings(), QStringList(3, QStringLiteral("Pointcode for image-point 100 is not unique!")));
}

void TstPhProjectFile::completionWithoutInversionOrRecord() {
  Project p = smallProject(1, 2);
  p.object = objectProject(1, 1, 0) + objectPoint(100, 100, 0, 0, 0);
  MessageCapture capture;
  QVERIFY(readProject(p.write(mDir.filePath(QStringLiteral("p")))));
  capture.clear();
  PhProjectInit::complete(mImages, mObjects, mProject.get());
  QCOMPARE(capture.warnings(), QStringList{QStringLiteral("No inversion: sigmas were not computed!")});
  capture.clear();
  PhProjectInit::complete(mImages, mObjects, nullptr);
  QVERIFY(capture.warnings().isEmpty());
  QCOMPARE(capture.infos().count(), 3);
}

void TstPhProjectFile::anyBytesAreReadWithoutCrash() {
  // Random and mangled files in every slot: each read ends either with a
  // model or with a failure and an empty model, never with a crash.
  QRandomGenerator random(20240611);
  const Project sound = smallProject(3, 5);
  MessageCapture capture;
  for (int round = 0; round < 300; ++round) {
    Project p = sound;
    QByteArray *files[] = {&p.image, &p.orientation, &p.object, &p.observation, &p.camera};
    for (QByteArray *bytes : files) {
      switch (random.bounded(4)) {
        case 0:  // random bytes of random length
          bytes->resize(random.bounded(400));
          for (char &c : *bytes) c = char(random.bounded(256));
          break;
        case 1:  // a few bytes flipped
          for (int k = 0; k < 4 && !bytes->isEmpty(); ++k)
            (*bytes)[random.bounded(bytes->size())] = char(random.bounded(256));
          break;
        case 2:  // cut anywhere
          bytes->truncate(random.bounded(bytes->size() + 1));
          break;
        default:
          break;
      }
    }
    const QString path = p.write(mDir.filePath(QStringLiteral("r")));
    mFailures->failures.clear();
    const bool bRead = readProject(path);
    if (bRead) {
      QVERIFY(mFailures->failures.isEmpty());
      PhProjectInit::complete(mImages, mObjects, mProject.get());
    } else {
      QCOMPARE(mFailures->failures.count(), 1);
      QVERIFY(mImages.isEmpty() && mObjects.isEmpty());
    }
    PhImage::clearPointIndex();
    mImages.clear();
    mObjects.clear();
  }
}

QTEST_GUILESS_MAIN(TstPhProjectFile)
#include "tst_phprojectfile.moc"
