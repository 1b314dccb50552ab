#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "baxsimulator.h"
#include "phimage.h"
#include "phimagelist.h"
#include "messagecapture.h"
#include "phfixture.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phprojectdata.h"
#include "phprojectinit.h"
#include "phprojectreader.h"

namespace {

// What a read and completed model holds, counted the way the simulator
// counts what it wrote.
struct ModelCounts {
  qint64 images = 0;
  qint64 imagePoints = 0;
  qint64 eliminated = 0;
  qint64 lonely = 0;
  qint64 maxLinks = 0;
  qint64 objectPoints = 0;  // without projection centres
  qint64 centres = 0;
  qint64 observedCentres = 0;
  qint64 notAccepted = 0;
  qint64 byCode[5] = {};  // 100, 101, 200, 300, 500
};

ModelCounts countModel(const PhImageList &images, const PhObjectList &objects) {
  ModelCounts c;
  c.images = images.count();
  for (const PhImage *image : images) {
    c.imagePoints += image->pointCount();
    c.eliminated += image->notAdjustedCount();
    for (const PhImagePoint &point : *image) {
      if (point.code() == -1) ++c.lonely;
      c.maxLinks = qMax<qint64>(c.maxLinks, PhImage::numberOfLinks(point.pointId()));
    }
  }
  const int codes[] = {100, 101, 200, 300, 500};
  for (const PhObjectPoint *point : objects) {
    if (!point->isAccepted()) ++c.notAccepted;
    if (point->isProjectionCentre()) {
      ++c.centres;
      if (point->code() == 901) ++c.observedCentres;
      continue;
    }
    ++c.objectPoints;
    for (int i = 0; i < 5; ++i)
      if (point->code() == codes[i]) ++c.byCode[i];
  }
  return c;
}

}  // namespace

class TstPhExampleProject : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void exampleProject();
  void simulatedProjects_data();
  void simulatedProjects();

 private:
  // Reads and completes the project; compares the model with the result.
  void readAndCompare(const QString &project, const BaxSimResult &result);

  QString mCurrent;
  PhImageList mImages;
  PhObjectList mObjects;
  std::unique_ptr<PhProjectData> mProject;
};

void TstPhExampleProject::init() {
  mCurrent = QDir::currentPath();
  phResetModel();
}

void TstPhExampleProject::cleanup() {
  PhImage::clearPointIndex();
  mImages.clear();
  mObjects.clear();
  QDir::setCurrent(mCurrent);
  qunsetenv("windir");
}

void TstPhExampleProject::readAndCompare(const QString &project, const BaxSimResult &result) {
  MessageCapture capture;
  QVERIFY(PhProjectReader(mImages, mObjects, mProject, nullptr).read(project));
  PhProjectInit::complete(mImages, mObjects, mProject.get());
  // The installation's camera file was found and matched.
  QVERIFY2(capture.warnings().isEmpty(), qPrintable(capture.warnings().join(QLatin1Char('\n'))));
  QCOMPARE(capture.count(Nub::MsgInfo, QStringLiteral("Camera file not found")), 0);
  QCOMPARE(mImages.first()->minX(), -115.0f);

  const ModelCounts c = countModel(mImages, mObjects);
  QCOMPARE(c.images, result.images);
  QCOMPARE(c.imagePoints, result.imagePoints);
  QCOMPARE(c.eliminated, result.eliminatedImagePoints);
  QCOMPARE(c.lonely, result.lonelyImagePoints);
  QCOMPARE(c.maxLinks, result.maxLinks);
  QCOMPARE(c.centres, result.images);
  QCOMPARE(c.observedCentres, result.observedCentres);
  QCOMPARE(c.objectPoints, result.objectPoints);
  QCOMPARE(c.objectPoints, result.objectRecords - result.repeatedObjectRecords);
  QCOMPARE(c.byCode[0], result.points100);
  QCOMPARE(c.byCode[1], result.points101);
  QCOMPARE(c.byCode[2], result.points200);
  QCOMPARE(c.byCode[3], result.points300);
  QCOMPARE(c.byCode[4], result.points500);
  QCOMPARE(c.notAccepted, result.notAcceptedPoints);
  QCOMPARE(capture.infos().first(), QStringLiteral("Read <b>%1</b> Images.").arg(result.images));
}

void TstPhExampleProject::exampleProject() {
  const QDir examples(qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples"));
  QFile args(examples.filePath(QStringLiteral("block.args")));
  if (!args.open(QIODevice::ReadOnly)) QSKIP("no example project");
  // The options the example was made with.
  BaxSimOptions options;
  const QStringList words = QString::fromUtf8(args.readAll()).simplified().split(QLatin1Char(' '));
  for (int i = 0; i < words.size(); ++i) {
    const QString &w = words[i];
    const auto value = [&]() { return i + 1 < words.size() ? words[++i] : QString(); };
    if (w == QLatin1String("--strips"))
      options.strips = value().toInt();
    else if (w == QLatin1String("--images"))
      options.imagesPerStrip = value().toInt();
    else if (w == QLatin1String("--spacing"))
      options.spacing = value().toDouble();
    else if (w == QLatin1String("--seed"))
      options.seed = value().toULongLong();
    else if (w == QLatin1String("--relative-ini"))
      options.relativeIni = true;
    else
      QFAIL(qPrintable(QStringLiteral("option %1 of block.args not known to this test").arg(w)));
  }
  BaxSimResult result;
  QString error;
  QVERIFY2(BaxSimulator::count(options, &result, &error), qPrintable(error));

  // As with "-p" from inside the example folder: its Bax.ini names the
  // programs directory "." for the camera file.
  qunsetenv("windir");
  QVERIFY(QDir::setCurrent(examples.filePath(QStringLiteral("block"))));
  readAndCompare(QStringLiteral("block.(p)"), result);
}

void TstPhExampleProject::simulatedProjects_data() {
  QTest::addColumn<int>("strips");
  QTest::addColumn<int>("images");
  QTest::addColumn<quint64>("seed");
  QTest::addColumn<double>("blunderRate");
  QTest::addColumn<double>("observedCentreRate");
  QTest::addRow("two strips") << 2 << 4 << quint64(7) << 0.02 << 0.5;
  QTest::addRow("all centres observed") << 1 << 3 << quint64(11) << 0.0 << 1.0;
  QTest::addRow("many blunders") << 3 << 3 << quint64(3) << 0.2 << 0.0;
}

void TstPhExampleProject::simulatedProjects() {
  QFETCH(int, strips);
  QFETCH(int, images);
  QFETCH(quint64, seed);
  QFETCH(double, blunderRate);
  QFETCH(double, observedCentreRate);
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  BaxSimOptions options;
  options.strips = strips;
  options.imagesPerStrip = images;
  options.seed = seed;
  options.blunderRate = blunderRate;
  options.observedCentreRate = observedCentreRate;
  BaxSimResult result;
  QString error;
  QVERIFY2(BaxSimulator::write(options, dir.path(), &result, &error), qPrintable(error));
  qputenv("windir", QFile::encodeName(dir.path()));
  readAndCompare(result.projectFile, result);
  QCOMPARE(mProject->sigma0(), result.sigma0);
  QCOMPARE(mProject->averageRedundancy(), result.redundancy);
  QCOMPARE(mProject->inversion(), result.inversion);
  QCOMPARE(QDir::fromNativeSeparators(mProject->cameraFile()), result.cameraFile);
}

QTEST_GUILESS_MAIN(TstPhExampleProject)
#include "tst_phexampleproject.moc"
