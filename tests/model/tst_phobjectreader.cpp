#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

#include "phexception.h"
#include "phfixture.h"
#include "messagecapture.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phobjectreader.h"
#include "phprojectdata.h"
#include "phreadfailure.h"

using namespace PhFixture;
using ObservationRecords = QList<QPair<int, int>>;

class TstPhObjectReader : public QObject {
  Q_OBJECT

 private slots:
  void init();

  void projectRecord_data();
  void projectRecord();
  void pointsAfterTheProjectRecord();
  void repeatedPointRecords_data();
  void repeatedPointRecords();
  void acceptedFlags_data();
  void acceptedFlags();
  void observationValuesAndResidualSign();
  void observedProjectionCentre();
  void observationsFindTheFirstPointInListOrder();
  void unknownIds();
  void illegalComponentOfAKnownPoint_data();
  void illegalComponentOfAKnownPoint();
  void recordsCutShort();
  void unopenableFiles_data();
  void unopenableFiles();

 private:
  bool read(const QByteArray &object, const QByteArray &observation,
            PhReadFailure *failure = nullptr);
  void addCentre(int imageId);
  QString path(const char *name) const { return mDir.filePath(QLatin1String(name)); }

  QTemporaryDir mDir;
  PhObjectList mObjects;
  PhProjectData mProject;
};

void TstPhObjectReader::init() {
  QVERIFY(mDir.isValid());
  mObjects.clear();
  mProject = PhProjectData();
}

bool TstPhObjectReader::read(const QByteArray &object, const QByteArray &observation,
                             PhReadFailure *failure) {
  writeFile(path("t.(o)"), object);
  writeFile(path("t.(c)"), observation);
  return PhObjectReader(mObjects, mProject).read(path("t.(o)"), path("t.(c)"), failure);
}

// A projection centre as the image reader makes it.
void TstPhObjectReader::addCentre(int imageId) {
  auto *centre = new PhObjectPoint;
  centre->setPointId(imageId);
  centre->setCode(900);
  centre->setAdjustedValues(4500000.0, 5600000.0, 1500.0, 0.1f, 0.1f, 0.1f);
  mObjects.append(centre);
}

void TstPhObjectReader::projectRecord_data() {
  QTest::addColumn<double>("flag");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<bool>("inversion");
  QTest::addRow("0") << 0.0 << true << false;
  QTest::addRow("negative 0") << -0.0 << true << false;
  QTest::addRow("1") << 1.0 << true << true;
  QTest::addRow("just above 1") << std::nextafter(1.0, 2.0) << false << false;
  QTest::addRow("0.5") << 0.5 << false << false;
  QTest::addRow("2") << 2.0 << false << false;
  QTest::addRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false << false;
}

void TstPhObjectReader::projectRecord() {
  QFETCH(double, flag);
  QFETCH(bool, valid);
  QFETCH(bool, inversion);
  MessageCapture capture;
  mProject.setInversion(!inversion);
  try {
    QVERIFY(read(objectProject(0.75, 3.25, flag), QByteArray()));
    QVERIFY(valid);
    QCOMPARE(mProject.inversion(), inversion);
    QCOMPARE(mProject.sigma0(), 0.75);
    QCOMPARE(mProject.averageRedundancy(), 3.25);
    QCOMPARE(mObjects.count(), 0);
  } catch (const PhException &e) {
    QVERIFY(!valid);
    QCOMPARE(e.errorNumber(), 60865);
    QCOMPARE(e.message(),
             QStringLiteral("Tessella::ReadObjectFiles: Check for inversion neither 0 nor 1!"));
  }
}

void TstPhObjectReader::pointsAfterTheProjectRecord() {
  MessageCapture capture;
  const QByteArray object = objectProject(1.0, 2.0, 1.0) +
                            objectPoint(100, 101, 4512345.678, 5612345.125, 250.5, 0.04, 0.09, 0.16) +
                            objectPoint(500, 102, 1, 2, 3);
  QVERIFY(read(object, QByteArray()));
  QVERIFY(mProject.inversion());
  QCOMPARE(mObjects.count(), 2);
  const PhObjectPoint *p = mObjects.at(0);
  QCOMPARE(p->pointId(), 101);
  QCOMPARE(p->code(), 100);
  QVERIFY(p->isAccepted());
  QVERIFY(!p->isSelected());
  QCOMPARE(p->adjustedCoord(0), 4512345.678);
  QCOMPARE(p->adjustedCoord(1), 5612345.125);
  QCOMPARE(p->adjustedCoord(2), 250.5);
  QCOMPARE(p->adjustedSigma(0), 0.2f);
  QCOMPARE(p->adjustedSigma(2), 0.4f);
  QVERIFY(!p->hasObservedX() && !p->hasObservedY() && !p->hasObservedZ());
  QVERIFY(p->isRejectedX() && p->isRejectedY() && p->isRejectedZ());
  QCOMPARE(p->residualSigma(1), 0.0f);
  QCOMPARE(mObjects.at(1)->code(), 500);
  QVERIFY(mObjects.at(1)->isAccepted());
  QCOMPARE(mObjects.maxX(), 4512345.678);
  QCOMPARE(mObjects.minZ(), 3.0);
}

void TstPhObjectReader::repeatedPointRecords_data() {
  QTest::addColumn<QByteArray>("object");
  QTest::addColumn<QList<int>>("ids");
  QTest::addRow("consecutive") << objectPoint(100, 101, 1, 0, 0) + objectPoint(200, 101, 2, 0, 0) +
                                      objectPoint(100, 102, 3, 0, 0)
                               << QList<int>{101, 102};
  QTest::addRow("again after another") << objectPoint(100, 101, 1, 0, 0) +
                                              objectPoint(100, 102, 2, 0, 0) +
                                              objectPoint(100, 101, 3, 0, 0)
                                       << QList<int>{101, 102, 101};
  QTest::addRow("project record in between") << objectPoint(100, 101, 1, 0, 0) +
                                                    objectProject(1, 1, 1) +
                                                    objectPoint(100, 101, 2, 0, 0)
                                             << QList<int>{101};
}

void TstPhObjectReader::repeatedPointRecords() {
  QFETCH(QByteArray, object);
  QFETCH(QList<int>, ids);
  MessageCapture capture;
  QVERIFY(read(object, QByteArray()));
  QList<int> got;
  for (const PhObjectPoint *p : mObjects) got << p->pointId();
  QCOMPARE(got, ids);
  // The first of repeated records counts.
  QCOMPARE(mObjects.at(0)->adjustedCoord(0), 1.0);
  QCOMPARE(mObjects.at(0)->code(), 100);
  QCOMPARE(mObjects.find(101), mObjects.at(0));
}

void TstPhObjectReader::acceptedFlags_data() {
  // Observation records as component:status pairs for point 500 (or for the
  // projection centre 7 with components 4 to 6).
  QTest::addColumn<ObservationRecords>("records");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("axisFlags");  // x, y, z accepted
  using R = ObservationRecords;
  QTest::addRow("no observations") << R{} << true << "000";
  QTest::addRow("X Y Z accepted") << R{{1, 0}, {2, 0}, {3, 0}} << true << "111";
  QTest::addRow("Y rejected") << R{{1, 0}, {2, 1}, {3, 0}} << true << "101";
  QTest::addRow("X rejected") << R{{1, 1}, {2, 0}, {3, 0}} << false << "011";
  QTest::addRow("Z rejected") << R{{1, 0}, {2, 0}, {3, 1}} << false << "110";
  QTest::addRow("only Z") << R{{3, 0}} << true << "001";
  QTest::addRow("X rejected after Z") << R{{3, 0}, {1, 1}} << false << "001";
  QTest::addRow("Y accepted after rejected X") << R{{1, 1}, {2, 0}} << true << "010";
  QTest::addRow("status -1 rejects") << R{{1, 0}, {2, -1}} << false << "100";
  QTest::addRow("accepted X again") << R{{1, 1}, {1, 0}} << true << "100";
  QTest::addRow("centre X rejected") << R{{4, 1}} << false << "000";
  QTest::addRow("centre all accepted") << R{{4, 0}, {5, 0}, {6, 0}} << true << "111";
  // Only a control point's Z record looks back at X.
  QTest::addRow("centre Z after rejected X") << R{{4, 1}, {6, 0}} << true << "001";
}

void TstPhObjectReader::acceptedFlags() {
  QFETCH(ObservationRecords, records);
  QFETCH(bool, accepted);
  QFETCH(QString, axisFlags);
  MessageCapture capture;
  addCentre(7);
  QByteArray observations;
  bool bCentre = false;
  for (const auto &r : records) {
    bCentre = r.first >= 4;
    observations += observation(r.first, r.second, bCentre ? 7 : 500, 10.0 * r.first, 0.1, 0.01);
  }
  QVERIFY(read(objectProject(1, 1, 1) + objectPoint(500, 500, 1, 2, 3), observations));
  QVERIFY(capture.warnings().isEmpty());
  const PhObjectPoint *p = mObjects.find(bCentre ? 7 : 500);
  QCOMPARE(p->isAccepted(), accepted);
  const QString flags = QString::number(int(p->observation().b(0))) +
                        QString::number(int(p->observation().b(1))) +
                        QString::number(int(p->observation().b(2)));
  QCOMPARE(flags, axisFlags);
  if (bCentre) QCOMPARE(p->code(), 901);
}

void TstPhObjectReader::observationValuesAndResidualSign() {
  MessageCapture capture;
  const QByteArray observations = observation(1, 0, 500, 4512345.678, 0.25, 0.015) +
                                  observation(2, 0, 500, 5612345.5, -0.5, 0.02) +
                                  observation(3, 1, 500, 301.25, 0.0, 0.03);
  QVERIFY(read(objectPoint(500, 500, 4512345.5, 5612345.25, 300.0), observations));
  const PhObjectPoint *p = mObjects.find(500);
  QCOMPARE(p->observedCoord(0), 4512345.678);
  QCOMPARE(p->observedCoord(1), 5612345.5);
  QCOMPARE(p->observedCoord(2), 301.25);
  QCOMPARE(p->observedResidual(0), -0.25f);
  QCOMPARE(p->observedResidual(1), 0.5f);
  QCOMPARE(p->residualSigma(0), 0.015f);
  QCOMPARE(p->residualSigma(2), 0.03f);
  QVERIFY(p->hasObservedX() && p->hasObservedY() && p->hasObservedZ());
  QCOMPARE(p->horizontalResidual(2), 0.5f);
  QCOMPARE(p->code(), 500);
}

void TstPhObjectReader::observedProjectionCentre() {
  MessageCapture capture;
  addCentre(7);
  addCentre(8);
  QVERIFY(read(objectPoint(500, 500, 1, 2, 3),
               observation(4, 0, 7, 4500000.5, 0.1, 0.2) + observation(4, 0, 500, 1.5, 0, 0)));
  const PhObjectPoint *centre = mObjects.find(7);
  QCOMPARE(centre->code(), 901);
  QVERIFY(centre->hasObservedX());
  QVERIFY(!centre->hasObservedY());
  QCOMPARE(centre->observedCoord(0), 4500000.5);
  QCOMPARE(mObjects.find(8)->code(), 900);
  // Components 4 to 6 change only a projection centre's code.
  QCOMPARE(mObjects.find(500)->code(), 500);
  QCOMPARE(mObjects.find(500)->observedCoord(0), 1.5);
}

void TstPhObjectReader::observationsFindTheFirstPointInListOrder() {
  MessageCapture capture;
  addCentre(7);
  QVERIFY(read(objectPoint(100, 7, 1, 2, 3), observation(1, 1, 7, 9.0, 0, 0)));
  QCOMPARE(mObjects.count(), 2);
  QVERIFY(!mObjects.at(0)->isAccepted());  // the projection centre, first in the list
  QVERIFY(mObjects.at(1)->isAccepted());
  QVERIFY(!mObjects.at(1)->hasObservedX());
}

void TstPhObjectReader::unknownIds() {
  MessageCapture capture;
  QByteArray observations = observation(1, 0, 404, 1, 0, 0) + observation(9, 0, 405, 1, 0, 0);
  QVERIFY(read(objectPoint(100, 500, 1, 2, 3), observations));
  QCOMPARE(capture.warnings(),
           (QStringList{QStringLiteral("Point/Image 404 found in file (c) but not in (o) or (e)"),
                        QStringLiteral("Point/Image 405 found in file (c) but not in (o) or (e)")}));
  QVERIFY(!mObjects.find(500)->hasObservedX());

  // A flood of them is cut short.
  capture.clear();
  mObjects.clear();
  observations.clear();
  for (int i = 0; i < 150; ++i) observations += observation(1, 0, 1000 + i, 1, 0, 0);
  QVERIFY(read(objectPoint(100, 500, 1, 2, 3), observations));
  QCOMPARE(capture.warnings().count(), 101);
  QCOMPARE(capture.warnings().last(), QStringLiteral("50 more warnings of this kind were suppressed."));
}

void TstPhObjectReader::illegalComponentOfAKnownPoint_data() {
  QTest::addColumn<int>("component");
  QTest::addRow("0") << 0;
  QTest::addRow("7") << 7;
  QTest::addRow("-1") << -1;
}

void TstPhObjectReader::illegalComponentOfAKnownPoint() {
  QFETCH(int, component);
  MessageCapture capture;
  try {
    read(objectPoint(100, 500, 1, 2, 3), observation(component, 0, 500, 1, 0, 0));
    QFAIL("no exception");
  } catch (const PhException &e) {
    QCOMPARE(e.errorNumber(), 60867);
    QCOMPARE(e.message(), QStringLiteral("Tessella::ReadObjectFiles: illegal point code!"));
  }
}

void TstPhObjectReader::recordsCutShort() {
  MessageCapture capture;
  QVERIFY(read(objectPoint(100, 500, 1, 2, 3) + objectPoint(100, 501, 1, 2, 3).left(59),
               observation(1, 0, 500, 1, 0, 0) + observation(1, 1, 500, 2, 0, 0).left(37)));
  QCOMPARE(mObjects.count(), 1);
  QVERIFY(mObjects.at(0)->isAccepted());
  QCOMPARE(mObjects.at(0)->observedCoord(0), 1.0);
}

void TstPhObjectReader::unopenableFiles_data() {
  QTest::addColumn<bool>("objectMissing");
  QTest::addRow("object file") << true;
  QTest::addRow("observation file") << false;
}

void TstPhObjectReader::unopenableFiles() {
  QFETCH(bool, objectMissing);
  writeFile(path("ok.(o)"), objectPoint(100, 500, 1, 2, 3));
  writeFile(path("ok.(c)"), QByteArray());
  const QString object = objectMissing ? path("none.(o)") : path("ok.(o)");
  const QString observations = objectMissing ? path("ok.(c)") : path("none.(c)");
  PhReadFailure failure;
  QVERIFY(!PhObjectReader(mObjects, mProject).read(object, observations, &failure));
  QCOMPARE(failure.kind(), PhReadFailure::RF_CannotOpen);
  QCOMPARE(failure.file(),
           objectMissing ? PhReadFailure::FILE_Object : PhReadFailure::FILE_Observation);
  QCOMPARE(failure.path(), objectMissing ? object : observations);
  // Without observations the object points are still read.
  QCOMPARE(mObjects.count(), objectMissing ? 0 : 1);
}

QTEST_GUILESS_MAIN(TstPhObjectReader)
#include "tst_phobjectreader.moc"
