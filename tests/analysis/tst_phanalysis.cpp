// The residual analysis of small projects with hand-computed figures: the
// per-image RMS and largest residual, the observed axes with their
// summaries, the rays of points and projection centres, and the CSV
// tables with their quoting and number forms.

#include <QtTest>

#include <cmath>
#include <limits>

#include "analysisfixture.h"
#include "phanalysiscsv.h"
#include "phcontroltable.h"
#include "phcsvwriter.h"
#include "phfixture.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagestats.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpointrays.h"

namespace {

using Block = AnalysisBlock;

QList<QByteArray> lines(const QByteArray &csv) {
  QList<QByteArray> result = csv.split('\n');
  if (!result.isEmpty() && result.last().isEmpty()) result.removeLast();
  for (QByteArray &line : result) {
    if (line.endsWith('\r')) line.chop(1);
  }
  return result;
}

}  // namespace

class TstPhAnalysis : public QObject {
  Q_OBJECT

 private slots:
  void imageFigures();
  void observedAxesAndSummaries();
  void raysOfPointsAndCentres();
  void csvFields_data();
  void csvFields();
  void csvNumbers_data();
  void csvNumbers();
  void csvTables();
  void csvFolderThatCannotBeMade();
};

void TstPhAnalysis::imageFigures() {
  Block b;
  const std::vector<PhImageStats> rows = PhImageStats::ofAll(b.images);
  QCOMPARE(int(rows.size()), 3);
  const PhImageStats &a = rows[0];
  QCOMPARE(a.imageId, 10);
  QCOMPARE(a.cameraId, 7);
  QCOMPARE(a.points, 3);
  QCOMPARE(a.eliminated, 1);
  QCOMPARE(a.adjusted, 2);
  // Over points 1 and 2 only: x 3, 0; y 4, 0.
  QCOMPARE(a.rmsX, std::sqrt(9.0 / 2));
  QCOMPARE(a.rmsY, std::sqrt(16.0 / 2));
  QCOMPARE(a.rms, std::sqrt(25.0 / 2));
  QCOMPARE(a.maxResidual, 5.0f);
  QCOMPARE(a.maxPointId, 1);
  // Every point eliminated: no RMS, no largest residual.
  const PhImageStats &e = rows[1];
  QCOMPARE(e.points, 2);
  QCOMPARE(e.eliminated, 2);
  QVERIFY(!e.hasRms());
  QVERIFY(!e.hasMax());
  // One adjusted point: its residual's components and length.
  const PhImageStats &one = rows[2];
  QCOMPARE(one.imageId, 9);
  QCOMPARE(one.adjusted, 1);
  QCOMPARE(one.rmsX, double(0.001f));
  QCOMPARE(one.rmsY, double(0.002f));
  QCOMPARE(one.rms, std::sqrt(double(0.001f) * double(0.001f) + double(0.002f) * double(0.002f)));
  QCOMPARE(one.maxPointId, 2);
}

void TstPhAnalysis::observedAxesAndSummaries() {
  Block b;
  const PhControlTable table(b.objects);
  QList<QPair<int, int>> rows;
  for (const PhControlTable::Row &row : table.rows()) rows << qMakePair(table.point(row)->pointId(), row.axis);
  QCOMPARE(rows, (QList<QPair<int, int>>{{2, 0}, {2, 1}, {2, 2}, {3, 2}, {11, 0}, {11, 1}}));
  const PhControlTable::Row z2 = table.rows()[2];
  QCOMPARE(table.observed(z2), 30.0);
  QCOMPARE(table.residual(z2), 2.0f);
  QCOMPARE(table.sigma(z2), 0.03f);
  QVERIFY(!table.accepted(z2));

  // Control points: X {0.25}, Y {-0.75}, Z {-0.5} (point 2's Z rejected).
  QCOMPARE(table.control(0).n, 1);
  QCOMPARE(table.control(1).mean(), -0.75);
  QCOMPARE(table.control(1).maxAbs, 0.75);
  QCOMPARE(table.control(2).n, 1);
  QCOMPARE(table.control(2).rms(), 0.5);
  // Observed centres: X {0.125}; Y rejected; Z not observed.
  QCOMPARE(table.centres(0).n, 1);
  QCOMPARE(table.centres(0).mean(), 0.125);
  QVERIFY(table.centres(1).isEmpty());
  QVERIFY(table.centres(2).isEmpty());
  QVERIFY(std::isnan(table.centres(2).rms()));

  PhAxisSummary s;
  for (double r : {1.0, -2.0, 3.0, -4.0}) s.add(r);
  QCOMPARE(s.n, 4);
  QCOMPARE(s.mean(), -0.5);
  QCOMPARE(s.rms(), std::sqrt(30.0 / 4));
  QCOMPARE(s.maxAbs, 4.0);
}

void TstPhAnalysis::raysOfPointsAndCentres() {
  Block b;
  // Point 1: in both images, eliminated in 11. Point 3: both eliminated.
  const PhPointRays p1 = PhPointRays::of(*b.objects.find(1));
  QCOMPARE(p1.rays, 2);
  QCOMPARE(p1.eliminated, 1);
  const PhPointRays p3 = PhPointRays::of(*b.objects.find(3));
  QCOMPARE(p3.rays, 2);
  QCOMPARE(p3.eliminated, 2);
  // Centres: what the link label shows, the image's adjusted points.
  const PhPointRays c10 = PhPointRays::of(*b.objects.find(10));
  QCOMPARE(c10.rays, 2);
  QCOMPARE(c10.eliminated, 1);
  const PhPointRays c11 = PhPointRays::of(*b.objects.find(11));
  QCOMPARE(c11.rays, 0);
  QCOMPARE(c11.eliminated, 2);
}

void TstPhAnalysis::csvFields_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QByteArray>("field");
  QTest::newRow("plain") << "Control Point" << QByteArray("Control Point");
  QTest::newRow("empty") << "" << QByteArray("");
  QTest::newRow("comma") << "a,b" << QByteArray("\"a,b\"");
  QTest::newRow("quote") << "say \"x\"" << QByteArray("\"say \"\"x\"\"\"");
  QTest::newRow("line break") << "a\nb" << QByteArray("\"a\nb\"");
  QTest::newRow("carriage return") << "a\rb" << QByteArray("\"a\rb\"");
  QTest::newRow("non-ASCII") << QString::fromUtf8("µm") << QByteArray("\xc2\xb5m");
}

void TstPhAnalysis::csvFields() {
  QFETCH(QString, text);
  QFETCH(QByteArray, field);
  PhCsvWriter csv;
  csv.field(text).number(1);
  csv.endRow();
  QCOMPARE(csv.bytes(), field + ",1\r\n");
}

void TstPhAnalysis::csvNumbers_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<bool>("isFloat");
  QTest::addColumn<QByteArray>("text");
  QTest::newRow("float 0.1") << 0.1 << true << QByteArray("0.1");
  QTest::newRow("double 0.1") << 0.1 << false << QByteArray("0.1");
  QTest::newRow("float 0.1 as double") << double(0.1f) << false << QByteArray("0.10000000149011612");
  QTest::newRow("national grid") << 4500100.125 << false << QByteArray("4500100.125");
  QTest::newRow("micrometre") << 0.000004 << true << QByteArray("4e-06");
  QTest::newRow("negative zero") << -0.0 << false << QByteArray("-0");
  QTest::newRow("NaN is empty") << std::numeric_limits<double>::quiet_NaN() << false << QByteArray();
  QTest::newRow("infinity is empty") << std::numeric_limits<double>::infinity() << true << QByteArray();
}

void TstPhAnalysis::csvNumbers() {
  QFETCH(double, value);
  QFETCH(bool, isFloat);
  QFETCH(QByteArray, text);
  QCOMPARE(isFloat ? PhCsvWriter::shortest(float(value)) : PhCsvWriter::shortest(value), text);
  // Whatever the locale, a point and no grouping.
  QLocale::setDefault(QLocale(QLocale::German));
  QCOMPARE(isFloat ? PhCsvWriter::shortest(float(value)) : PhCsvWriter::shortest(value), text);
  QLocale::setDefault(QLocale::c());
}

void TstPhAnalysis::csvTables() {
  Block b;
  QCOMPARE(lines(PhAnalysisCsv::images(b.images)),
           (QList<QByteArray>{"image,camera,points,eliminated,rms_x,rms_y,rms,max_residual,max_residual_point",
                              "10,7,3,1," + PhCsvWriter::shortest(std::sqrt(4.5)) + "," + PhCsvWriter::shortest(std::sqrt(8.0)) + "," +
                                  PhCsvWriter::shortest(std::sqrt(12.5)) + ",5,1",
                              "11,7,2,2,,,,,",
                              "9,7,1,0," + PhCsvWriter::shortest(double(0.001f)) + "," +
                                  PhCsvWriter::shortest(double(0.002f)) + "," +
                                  PhCsvWriter::shortest(PhImageStats::of(*b.images.at(2)).rms) + "," +
                                  PhCsvWriter::shortest(b.images.at(2)->largestResidual()) + ",2"}));
  QCOMPARE(lines(PhAnalysisCsv::control(b.objects)),
           (QList<QByteArray>{"point,type,axis,observed,residual,sigma,accepted",
                              "2,Horiz. + Vert. Control Point,X,1000.5,0.25,0.01,1",
                              "2,Horiz. + Vert. Control Point,Y,2000.5,-0.75,0.02,1",
                              "2,Horiz. + Vert. Control Point,Z,30,2,0.03,0",
                              "3,Vertical Control Point,Z,31,-0.5,0.04,1",
                              "11,Observed Proj. Centre,X,500,0.125,0.5,1",
                              "11,Observed Proj. Centre,Y,600,9,0.5,0"}));
  const QList<QByteArray> points = lines(PhAnalysisCsv::points(b.objects));
  QCOMPARE(points.size(), 6);
  QCOMPARE(points[0], QByteArray("point,type,x,y,z,sigma_x,sigma_y,sigma_z,rays,eliminated,accepted"));
  QCOMPARE(points[1], QByteArray("1,New Point,10,20,0.5,0.1,0.2,0.3,2,1,1"));
  QCOMPARE(points[4], QByteArray("10,Projection Centre,100,200,0.5,0.1,0.2,0.3,2,1,1"));
}

void TstPhAnalysis::csvFolderThatCannotBeMade() {
  Block b;
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  // A file stands where the folder should be.
  const QString blocker = dir.filePath(QStringLiteral("file"));
  QFile file(blocker);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  QString error;
  QVERIFY(!PhAnalysisCsv::write(blocker + QStringLiteral("/tables"), b.images, b.objects, &error));
  QVERIFY2(error.contains(QLatin1String("tables")), qPrintable(error));
  QVERIFY(PhAnalysisCsv::write(dir.filePath(QStringLiteral("tables")), b.images, b.objects, &error));
  for (const char *name : {"images.csv", "control.csv", "points.csv"})
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("tables/") + QLatin1String(name))));
}

QTEST_GUILESS_MAIN(TstPhAnalysis)
#include "tst_phanalysis.moc"
