// Damaged, missing and misplaced files of every kind: each gives the
// reader's own message or failure and leaves a sound (possibly empty) model.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "fuzzsupport.h"
#include "phbaxini.h"
#include "phimage.h"
#include "phimagelist.h"
#include "messagecapture.h"
#include "phimagepoint.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phprojectdata.h"
#include "phprojectinit.h"
#include "phprojectreader.h"
#include "phreadfailure.h"
#include "phreadfailurehandler.h"
#include "uxcfg.h"
#include "uxcfgfile.h"

namespace {

enum DamageE { D_Missing, D_Directory, D_Bytes };

class FailureLog : public PhReadFailureHandler {
 public:
  void readFailed(const PhReadFailure &failure) override {
    ++mCount;
    mLast = failure;
  }
  int mCount = 0;
  PhReadFailure mLast;
};

void writeBytes(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

void damage(const QString &path, DamageE kind, const QByteArray &bytes) {
  QFile::remove(path);
  if (kind == D_Directory) QVERIFY(QDir().mkdir(path));
  if (kind == D_Bytes) writeBytes(path, bytes);
}

QByteArray u32(quint32 v) {
  const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  return QByteArray(b, 4);
}

QByteArray cfgHeader(quint32 count) {
  return u32(Ux::CfgFile::MAGIC) + u32(Ux::CfgFile::VERSION) + u32(2461000) + u32(0) + u32(count);
}

QByteArray cfgInt(const char *key, qint32 value) {
  const QString k = QString::fromLatin1(key);
  QByteArray out = u32(quint32(k.size() * 2));
  for (QChar c : k) out += QByteArray(1, '\0') + char(c.unicode());
  return out + u32(Ux::CfgFile::K_Int) + u32(quint32(value));
}

}  // namespace

class TestBadInputs : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Fuzz::init(); }

  void projectFiles_data();
  void projectFiles();
  void cfgFiles_data();
  void cfgFiles();
  void iniFiles();
  void repeatedIdsWithOtherCodes();
};

void TestBadInputs::projectFiles_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("failure");  // PhReadFailure::KindE; RF_None: the read succeeds
  QTest::addColumn<int>("failedFile");
  QTest::addColumn<int>("errorNumber");
  QTest::addColumn<int>("images");
  QTest::addColumn<QString>("message");

  const QByteArray none;
  const QByteArray image = Fuzz::imageFile();
  const QByteArray orientation = Fuzz::orientationFile();
  const int P = PhReadFailure::FILE_Project, I = PhReadFailure::FILE_Image,
            E = PhReadFailure::FILE_Orientation, O = PhReadFailure::FILE_Object,
            C = PhReadFailure::FILE_Observation;
  const int Corrupt = PhReadFailure::RF_ProjectCorrupt, Open = PhReadFailure::RF_CannotOpen,
            Damaged = PhReadFailure::RF_Damaged, Ok = PhReadFailure::RF_None;
  const QString p = QLatin1String(Fuzz::ProjectName), i = QLatin1String(Fuzz::ImageName),
                e = QLatin1String(Fuzz::OrientationName), o = QLatin1String(Fuzz::ObjectName),
                c = QLatin1String(Fuzz::ObservationName), cam = QLatin1String(Fuzz::CameraName);

  QTest::addRow("sound project") << p << int(D_Bytes) << Fuzz::projectFile() << Ok << 0 << 0 << 3 << QString();
  QTest::addRow("project file missing") << p << int(D_Missing) << none << Corrupt << P << 0 << 0 << QString();
  QTest::addRow("project file a directory") << p << int(D_Directory) << none << Corrupt << P << 0 << 0 << QString();
  QTest::addRow("project file empty") << p << int(D_Bytes) << none << Corrupt << P << 0 << 0 << QString();
  QTest::addRow("project file binary") << p << int(D_Bytes) << image << Corrupt << P << 0 << 0 << QString();
  QTest::addRow("image file missing") << i << int(D_Missing) << none << Open << I << 0 << 0 << "Can't find file";
  QTest::addRow("image file a directory") << i << int(D_Directory) << none << Open << I << 0 << 0 << "Can't find file";
  QTest::addRow("image file empty") << i << int(D_Bytes) << none << Ok << 0 << 0 << 0 << QString();
  QTest::addRow("image file cut inside its last record")
      << i << int(D_Bytes) << image.left(image.size() - 10) << Ok << 0 << 0 << 2 << "were ignored";
  QTest::addRow("image file cut at a record boundary")
      << i << int(D_Bytes) << image.left(image.size() - 52) << Ok << 0 << 0 << 2 << "were ignored";
  QTest::addRow("orientation file missing") << e << int(D_Missing) << none << Open << E << 0 << 0 << "Can't find file";
  QTest::addRow("orientation file a directory") << e << int(D_Directory) << none << Open << E << 0 << 0 << QString();
  QTest::addRow("orientation file empty") << e << int(D_Bytes) << none << Damaged << I << 60868 << 0 << QString();
  QTest::addRow("orientation records swapped")
      << e << int(D_Bytes) << orientation.mid(70, 70) + orientation.left(70) + orientation.mid(140)
      << Damaged << I << 60868 << 0 << QString();
  QTest::addRow("orientation file cut") << e << int(D_Bytes) << orientation.left(200) << Damaged << I << 60868 << 0 << QString();
  QTest::addRow("object file missing") << o << int(D_Missing) << none << Open << O << 0 << 0 << QString();
  QTest::addRow("object file a directory") << o << int(D_Directory) << none << Open << O << 0 << 0 << QString();
  QTest::addRow("object file empty")
      << o << int(D_Bytes) << none << Ok << 0 << 0 << 3 << "found in file (c) but not in (o) or (e)";
  QByteArray nanInversion = Fuzz::objectFile();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::memcpy(nanInversion.data() + 28, &nan, 8);
  QTest::addRow("inversion NaN") << o << int(D_Bytes) << nanInversion << Damaged << O << 60865 << 0 << QString();
  // Without observations the rest of the project stays.
  QTest::addRow("observation file missing") << c << int(D_Missing) << none << Open << C << 0 << 3 << "Can't find file";
  QTest::addRow("observation file a directory") << c << int(D_Directory) << none << Open << C << 0 << 3 << QString();
  QByteArray badComponent = Fuzz::observationFile();
  badComponent[0] = 7;
  QTest::addRow("observation component 7") << c << int(D_Bytes) << badComponent << Damaged << C << 60867 << 0 << QString();
  QTest::addRow("camera file missing") << cam << int(D_Missing) << none << Ok << 0 << 0 << 3 << "Camera file not found!";
  QTest::addRow("camera file a directory") << cam << int(D_Directory) << none << Ok << 0 << 0 << 3 << "Camera file not found!";
  QTest::addRow("camera file empty") << cam << int(D_Bytes) << none << Ok << 0 << 0 << 3 << "is no number!";
  QTest::addRow("camera file cut") << cam << int(D_Bytes) << Fuzz::cameraFile().left(209) << Ok << 0 << 0 << 3 << "is no number!";
  QTest::addRow("camera ID not numeric") << cam << int(D_Bytes) << Fuzz::cameraFile(" 1 2") << Ok << 0 << 0 << 3 << "is no number!";
}

void TestBadInputs::projectFiles() {
  QFETCH(QString, file);
  QFETCH(int, kind);
  QFETCH(QByteArray, bytes);
  QFETCH(int, failure);
  QFETCH(int, failedFile);
  QFETCH(int, errorNumber);
  QFETCH(int, images);
  QFETCH(QString, message);

  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  writeBytes(dir.filePath(QLatin1String(Fuzz::ProjectName)), Fuzz::projectFile());
  writeBytes(dir.filePath(QLatin1String(Fuzz::ImageName)), Fuzz::imageFile());
  writeBytes(dir.filePath(QLatin1String(Fuzz::OrientationName)), Fuzz::orientationFile());
  writeBytes(dir.filePath(QLatin1String(Fuzz::ObjectName)), Fuzz::objectFile());
  writeBytes(dir.filePath(QLatin1String(Fuzz::ObservationName)), Fuzz::observationFile());
  writeBytes(dir.filePath(QLatin1String(Fuzz::CameraName)), Fuzz::cameraFile());
  damage(dir.filePath(file), DamageE(kind), bytes);

  MessageCapture messages;
  PhImageList imageList;
  PhObjectList objectList;
  std::unique_ptr<PhProjectData> project;
  FailureLog log;
  const bool bRead = PhProjectReader(imageList, objectList, project, &log)
                         .read(dir.filePath(QLatin1String(Fuzz::ProjectName)));
  QCOMPARE(bRead, failure == PhReadFailure::RF_None);
  QCOMPARE(log.mCount, bRead ? 0 : 1);
  QCOMPARE(int(log.mLast.kind()), failure);
  if (!bRead) {
    QCOMPARE(int(log.mLast.file()), failedFile);
    QCOMPARE(log.mLast.errorNumber(), errorNumber);
    QVERIFY(!log.mLast.text().isEmpty());
  }
  QCOMPARE(imageList.count(), images);
  // A failed read keeps object points only where it keeps the images.
  if (!bRead) QCOMPARE(objectList.isEmpty(), images == 0);
  if (!message.isEmpty()) {
    bool bFound = false;
    for (const auto &m : messages.all()) bFound = bFound || m.second.contains(message);
    QVERIFY2(bFound, qPrintable(message));
  }
  PhImage::clearPointIndex();
  imageList.clear();
  objectList.clear();
}

void TestBadInputs::cfgFiles_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("loaded");
  QTest::addColumn<int>("status");
  QTest::addColumn<QStringList>("keys");

  using Ux::CfgFile;
  const QByteArray two = cfgHeader(2) + cfgInt("a", 1) + cfgInt("b", 2);
  const QStringList none;
  const QStringList ab = {QStringLiteral("a"), QStringLiteral("b")};
  const QStringList a = {QStringLiteral("a")};
  QTest::addRow("sound") << int(D_Bytes) << two << true << int(CfgFile::S_Ok) << ab;
  QTest::addRow("missing") << int(D_Missing) << QByteArray() << false << -1 << none;
  QTest::addRow("a directory") << int(D_Directory) << QByteArray() << false << -1 << none;
  QTest::addRow("empty") << int(D_Bytes) << QByteArray() << false << int(CfgFile::S_BadMagic) << none;
  QTest::addRow("wrong magic") << int(D_Bytes) << QByteArray("\0\0\x27\x0f", 4) + two.mid(4) << false << int(CfgFile::S_BadMagic) << none;
  QTest::addRow("cut inside the header") << int(D_Bytes) << two.left(13) << true << int(CfgFile::S_CutShort) << none;
  QTest::addRow("cut inside the second entry") << int(D_Bytes) << two.left(two.size() - 3) << true << int(CfgFile::S_CutShort) << a;
  QTest::addRow("cut at an entry boundary") << int(D_Bytes) << two.left(two.size() - 14) << true << int(CfgFile::S_CutShort) << a;
  QTest::addRow("huge count") << int(D_Bytes) << cfgHeader(0xFFFFFFFFu) + cfgInt("a", 1) << true << int(CfgFile::S_CutShort) << a;
  QTest::addRow("huge key length") << int(D_Bytes) << cfgHeader(1) + u32(0x7FFFFFFEu) + "ab" << true << int(CfgFile::S_BadLength) << none;
  QTest::addRow("odd key length") << int(D_Bytes) << cfgHeader(1) + u32(3) + "abc" << true << int(CfgFile::S_BadLength) << none;
  QTest::addRow("huge string-list count")
      << int(D_Bytes) << cfgHeader(1) + cfgInt("a", 1).left(6) + u32(CfgFile::K_StringList) + u32(0x40000000u)
      << true << int(CfgFile::S_BadLength) << none;
  QByteArray unknown = two;
  unknown[two.size() - 5] = char(77);
  QTest::addRow("unknown type") << int(D_Bytes) << unknown << true << int(CfgFile::S_UnknownKind) << a;
  QTest::addRow("trailing data") << int(D_Bytes) << two + "x" << true << int(CfgFile::S_TrailingData) << ab;
}

void TestBadInputs::cfgFiles() {
  QFETCH(int, kind);
  QFETCH(QByteArray, bytes);
  QFETCH(bool, loaded);
  QFETCH(int, status);
  QFETCH(QStringList, keys);

  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("tessella.cfg"));
  damage(path, DamageE(kind), bytes);
  if (status >= 0) QCOMPARE(int(Ux::CfgFile::read(bytes).status), status);

  MessageCapture messages;
  Ux::Cfg::clear();
  QCOMPARE(Ux::Cfg::load(path, true), loaded);
  QCOMPARE(Ux::Cfg::keys(), keys);
  // Damage is reported; bytes after the last entry are not damage.
  if (status != Ux::CfgFile::S_Ok && status != Ux::CfgFile::S_TrailingData)
    QVERIFY(!messages.warnings().isEmpty());
  Ux::Cfg::clear();
}

void TestBadInputs::iniFiles() {
  MessageCapture messages;
  const QString iniPath = QDir(Fuzz::dir()).filePath(QStringLiteral("Bax.ini"));
  const QString section = QStringLiteral("BAX"), key = QStringLiteral("PATH_PROGRAMS");

  QFile::remove(iniPath);
  QVERIFY(PhBaxIni::readBAXini(section, key).isNull());
  QCOMPARE(messages.count(Nub::MsgWarn, QStringLiteral("doesn't exist!")), 1);

  QVERIFY(QDir().mkdir(iniPath));
  QVERIFY(PhBaxIni::readBAXini(section, key).isNull());
  QCOMPARE(messages.count(Nub::MsgWarn, QStringLiteral("Can't open BAX configuaration file")), 1);
  QVERIFY(QDir().rmdir(iniPath));

  // Empty, or binary without the section: no value, no message.
  for (const QByteArray &bytes : {QByteArray(), Fuzz::imageFile()}) {
    writeBytes(iniPath, bytes);
    messages.clear();
    QVERIFY(PhBaxIni::readBAXini(section, key).isNull());
    QVERIFY(messages.warnings().isEmpty());
  }
  QFile::remove(iniPath);

  messages.clear();
  QVERIFY(PhBaxIni::readBAXpro(QDir(Fuzz::dir()).filePath(QStringLiteral("none.lst")),
                               QStringLiteral("PROJECT"), QStringLiteral("BAXB_OUT_TESL"))
              .isNull());
  QCOMPARE(messages.count(Nub::MsgWarn, QStringLiteral("Can't open")), 1);
}

// Object points that repeat an ID with other codes: each conflict counts,
// the first hundred are shown, and the image points keep the first code.
void TestBadInputs::repeatedIdsWithOtherCodes() {
  MessageCapture messages;
  PhImageList images;
  PhObjectList objects;
  constexpr int Images = 30;
  for (int i = 1; i <= Images; ++i) {
    auto *image = new PhImage();
    image->setImageId(i);
    image->addPoint(1000, true, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f);
    image->addPoint(1001, true, 2.0f, 2.0f, 0.0f, 0.0f, 1.0f);
    image->addPoint(1002, true, 3.0f, 3.0f, 0.0f, 0.0f, 1.0f);
    images.append(image);
  }
  // ID 1000: codes 100, 101, 101, 100, 102 (three conflicts per image);
  // ID 1001: 200, 200, 201, 200, 201 (two); ID 1002: the code -1 that image
  // points start with, twice, then 300 three times (none); one point seen by
  // no image.
  const int codes1000[] = {100, 101, 101, 100, 102};
  const int codes1001[] = {200, 200, 201, 200, 201};
  const int codes1002[] = {-1, -1, 300, 300, 300};
  for (int k = 0; k < 5; ++k) {
    for (const auto &[id, code] : {std::pair{1000, codes1000[k]}, std::pair{1001, codes1001[k]},
                                   std::pair{1002, codes1002[k]}, std::pair{4711, k}}) {
      PhObjectPoint point;
      point.setPointId(id);
      point.setCode(code);
      objects.append(std::move(point));
    }
  }
  PhProjectInit::complete(images, objects, nullptr);
  QCOMPARE(messages.count(Nub::MsgWarn, QStringLiteral("is not unique!")), 100);
  QCOMPARE(messages.count(Nub::MsgWarn, QStringLiteral("50 more warnings of this kind were suppressed.")), 1);
  for (const PhImage *image : images) {
    QCOMPARE(image->point(1000)->code(), 100);
    QCOMPARE(image->point(1001)->code(), 200);
    QCOMPARE(image->point(1002)->code(), 300);
  }
  PhImage::clearPointIndex();
  images.clear();
  objects.clear();
}

QTEST_GUILESS_MAIN(TestBadInputs)
#include "tst_badinputs.moc"
