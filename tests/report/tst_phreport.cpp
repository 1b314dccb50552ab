#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "analysisfixture.h"
#include "phprojectdata.h"
#include <QImage>
#include <QPainter>

#include "phreport.h"
#include "phreportchart.h"
#include "phreportdata.h"
#include "phreportformat.h"
#include "phreportoptions.h"

// The figures of the report from a project made in code, the number texts
// it writes, its options, and what writing it leaves of the project.
class TstPhReport : public QObject {
  Q_OBJECT

 private slots:
  void significantDigits_data();
  void significantDigits();
  void noNegativeZero();
  void histogramSteps_data();
  void histogramSteps();
  void tolerances_data();
  void tolerances();
  void creationTimeFromTheEnvironment();
  void figuresOfAProject();
  void toleranceMarks();
  void writingKeepsTheSelection();
  void writingFailures();
  void chartBarsFollowTheValues();
};

void TstPhReport::significantDigits_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("text");
  QTest::addRow("sigma 0") << 0.0042 << "0.0042";
  QTest::addRow("four digits") << 0.00299312 << "0.002993";
  QTest::addRow("rounds up") << 0.43779 << "0.4378";
  QTest::addRow("whole") << 1376.0 << "1376";
  QTest::addRow("large keeps its digits") << 4500100.5 << "4500101";
  QTest::addRow("zero") << 0.0 << "0";
  QTest::addRow("negative") << -0.00001234 << "-0.00001234";
  QTest::addRow("tiny in exponent form") << 1.5e-9 << "1.5e-09";
  QTest::addRow("trailing zeros go") << 2.5 << "2.5";
  QTest::addRow("no number") << double(NAN) << "-";
}

void TstPhReport::significantDigits() {
  QFETCH(double, value);
  QFETCH(QString, text);
  QCOMPARE(PhReportFormat::significant(value), text);
}

void TstPhReport::noNegativeZero() {
  QCOMPARE(PhReportFormat::fixed(-0.0000004, 5), QStringLiteral("0.00000"));
  QCOMPARE(PhReportFormat::fixed(-0.4, 0), QStringLiteral("0"));
  QCOMPARE(PhReportFormat::fixed(-0.00002, 5), QStringLiteral("-0.00002"));
  QCOMPARE(PhReportFormat::significant(-1e-300), QStringLiteral("-1e-300"));
}

void TstPhReport::histogramSteps_data() {
  QTest::addColumn<QList<double>>("values");
  QTest::addColumn<int>("bins");
  QTest::addColumn<double>("width");
  QTest::addColumn<QList<long long>>("counts");
  QTest::addRow("none") << QList<double>{} << 20 << 1.0 << QList<long long>{0};
  QTest::addRow("all zero") << QList<double>{0.0, 0.0} << 20 << 1.0 << QList<long long>{2};
  // A value on an edge goes into the step above it.
  QTest::addRow("edges") << QList<double>{0.5, 1.0, 1.9, 2.0} << 4 << 0.5 << QList<long long>{0, 1, 1, 1, 1};
  QTest::addRow("round width 2.5") << QList<double>{0.001, 0.0026, 0.0049} << 20 << 0.00025
                                   << QList<long long>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  QTest::addRow("no numbers left out") << QList<double>{double(NAN), 3.0, double(INFINITY)} << 3 << 1.0
                                       << QList<long long>{0, 0, 0, 1};
}

void TstPhReport::histogramSteps() {
  QFETCH(QList<double>, values);
  QFETCH(int, bins);
  QFETCH(double, width);
  QFETCH(QList<long long>, counts);
  const PhReportData::Histogram h = PhReportData::histogram(std::vector<double>(values.begin(), values.end()), bins);
  QVERIFY2(std::fabs(h.width - width) < 1e-15, qPrintable(QString::number(h.width, 'g', 17)));
  QCOMPARE(QList<long long>(h.counts.begin(), h.counts.end()), counts);
  long long total = 0;
  for (const long long n : counts) total += n;
  QCOMPARE(h.total, total);
}

void TstPhReport::tolerances_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::addRow("three") << "0.1,0.2,0.3" << true;
  QTest::addRow("blanks") << " 0.1 , 0.2 ,0.3 " << true;
  QTest::addRow("zero") << "0,0,0" << true;
  QTest::addRow("two") << "0.1,0.2" << false;
  QTest::addRow("four") << "1,1,1,1" << false;
  QTest::addRow("word") << "x,1,1" << false;
  QTest::addRow("negative") << "1,-1,1" << false;
  QTest::addRow("infinite") << "inf,1,1" << false;
  QTest::addRow("empty") << "" << false;
}

void TstPhReport::tolerances() {
  QFETCH(QString, text);
  QFETCH(bool, valid);
  PhReportOptions options;
  options.tolerance[1] = 7.0;
  QString error;
  QCOMPARE(options.setTolerance(text, &error), valid);
  QCOMPARE(options.hasTolerance, valid);
  if (valid) {
    QCOMPARE(error, QString());
    QCOMPARE(options.tolerance[1], text.split(QLatin1Char(','))[1].trimmed().toDouble());
  } else {
    QVERIFY(error.contains(QLatin1String("--tolerance")));
    QVERIFY(error.contains(text));
    // Nothing half set.
    QCOMPARE(options.tolerance[1], 7.0);
  }
}

void TstPhReport::creationTimeFromTheEnvironment() {
  qputenv("SOURCE_DATE_EPOCH", "86400");
  QCOMPARE(PhReportFormat::time(PhReportOptions::creationTime()), QStringLiteral("1970-01-02 00:00:00 UTC"));
  qputenv("SOURCE_DATE_EPOCH", "soon");
  const QDateTime now = QDateTime::currentDateTimeUtc();
  QVERIFY(std::llabs(PhReportOptions::creationTime().secsTo(now)) < 60);
  qunsetenv("SOURCE_DATE_EPOCH");
  QCOMPARE(PhReportFormat::time(QDateTime()), QStringLiteral("unknown"));
}

void TstPhReport::figuresOfAProject() {
  AnalysisBlock block;
  PhProjectData project;
  project.setSigma0(0.0042);
  const PhReportData d = PhReportData::collect(project, block.images, block.objects, PhReportOptions());
  QCOMPARE(d.images, 3);
  QCOMPARE(d.imagePoints, 6LL);
  QCOMPARE(d.eliminated, 3LL);
  QCOMPARE(d.rejectedObservations, 2LL);
  // Worst first; an image without adjusted points last.
  QCOMPARE(int(d.imagesWorstFirst.size()), 3);
  QCOMPARE(d.imagesWorstFirst[0].imageId, 10);
  QCOMPARE(d.imagesWorstFirst[1].imageId, 9);
  QCOMPARE(d.imagesWorstFirst[2].imageId, 11);
  QVERIFY(d.hasWorstImage);
  QCOMPARE(d.worstImageId, 10);
  QCOMPARE(d.imagesById.front().imageId, 9);
  QCOMPARE(d.imagesById.back().imageId, 11);
  // RMS over the adjusted points of all images: (3,4), (0,0), (0.001,-0.002).
  QVERIFY(d.hasRms);
  QVERIFY(std::fabs(d.rmsImageResidual - std::sqrt((25.0 + 0.000005) / 3.0)) < 1e-6);
  // Largest |r| first.
  QCOMPARE(int(d.largestEliminated.size()), 3);
  QCOMPARE(d.largestEliminated[0].imageId, 10);
  QCOMPARE(d.largestEliminated[0].pointId, 3);
  QCOMPARE(d.largestEliminated[0].residual, 10.0);
  QCOMPARE(d.largestEliminated[1].pointId, 3);
  QCOMPARE(d.largestEliminated[2].pointId, 1);
  // |r| 5, 0 and 0.0022 adjusted; 10, 2.8 and 1.4 eliminated, apart.
  QCOMPARE(d.adjustedHistogram.width, 0.25);
  QCOMPARE(d.adjustedHistogram.counts.front(), 2LL);
  QCOMPARE(d.adjustedHistogram.counts.back(), 1LL);
  QCOMPARE(d.eliminatedHistogram.width, 0.5);
  QCOMPARE(d.eliminatedHistogram.total, 3LL);
  // The control points' rows only; the projection centre's apart.
  QCOMPARE(int(d.control.size()), 4);
  QCOMPARE(d.control[2].pointId, 2);
  QCOMPARE(d.control[2].axis, 2);
  QVERIFY(!d.control[2].accepted);
  QCOMPARE(d.control[3].pointId, 3);
  QCOMPARE(d.control[0].check, PhReportData::CHECK_None);
  QCOMPARE(d.centreAxes[0].n, 1);
  QVERIFY(d.centreAxes[1].isEmpty());
}

void TstPhReport::toleranceMarks() {
  AnalysisBlock block;
  PhReportOptions options;
  QVERIFY(options.setTolerance(QStringLiteral("0.5,0.5,0.5"), nullptr));
  const PhReportData d = PhReportData::collect(PhProjectData(), block.images, block.objects, options);
  // Residuals 0.25 (X), -0.75 (Y), 2.0 (Z, rejected), -0.5 (Z): on the tolerance passes.
  const PhReportData::CheckE rows[] = {PhReportData::CHECK_Pass, PhReportData::CHECK_Fail, PhReportData::CHECK_Fail,
                                       PhReportData::CHECK_Pass};
  for (int i = 0; i < 4; ++i) QCOMPARE(d.control[std::size_t(i)].check, rows[i]);
  // Axes by their accepted observations: the rejected Z does not count.
  QCOMPARE(d.controlAxisCheck[0], PhReportData::CHECK_Pass);
  QCOMPARE(d.controlAxisCheck[1], PhReportData::CHECK_Fail);
  QCOMPARE(d.controlAxisCheck[2], PhReportData::CHECK_Pass);
}

void TstPhReport::writingKeepsTheSelection() {
  AnalysisBlock block;
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  block.objects.selection().selectIndices({0, 4}, false);
  PhReportOptions options;
  options.htmlFile = dir.filePath(QStringLiteral("r.html"));
  options.pdfFile = dir.filePath(QStringLiteral("r.pdf"));
  QString error;
  QVERIFY2(PhReport::write(options, PhProjectData(), block.images, block.objects, &error), qPrintable(error));
  QVERIFY(QFileInfo(options.htmlFile).size() > 0);
  QVERIFY(QFileInfo(options.pdfFile).size() > 0);
  // The planes labelled the control points and centres; the user's selection is back.
  QCOMPARE(block.objects.selection().indices(), (std::vector<int>{0, 4}));
  for (int i = 0; i < block.objects.count(); ++i) QCOMPARE(block.objects.at(i)->isSelected(), i == 0 || i == 4);
}

void TstPhReport::writingFailures() {
  AnalysisBlock block;
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QString error;
  QVERIFY(!PhReport::write(PhReportOptions(), PhProjectData(), block.images, block.objects, &error));
  QCOMPARE(error, QStringLiteral("No report file given."));
  PhReportOptions options;
  options.htmlFile = dir.filePath(QStringLiteral("missing/r.html"));
  QVERIFY(!PhReport::write(options, PhProjectData(), block.images, block.objects, &error));
  QVERIFY(error.startsWith(QStringLiteral("Can't write '%1'").arg(options.htmlFile)));
  QVERIFY(!QFileInfo::exists(options.htmlFile));
}

void TstPhReport::chartBarsFollowTheValues() {
  PhReportChart chart;
  chart.title = QStringLiteral("Counts");
  chart.values = {1.0, 0.0, 2.0, 4.0};
  chart.colour = QColor(255, 0, 0);
  chart.wholeTicks = true;
  chart.edgeWidth = 0.5;
  QImage image(400, 300, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    chart.paint(painter, QRectF(0, 0, 400, 300));
  }
  // Runs of columns with red in them are the bars; their heights in pixels.
  QList<int> heights;
  int height = 0;
  for (int x = 0; x < image.width(); ++x) {
    int red = 0;
    for (int y = 0; y < image.height(); ++y) red += image.pixelColor(x, y) == QColor(255, 0, 0);
    if (red > 0) {
      height = std::max(height, red);
    } else if (height > 0) {
      heights << height;
      height = 0;
    }
  }
  if (height > 0) heights << height;
  // The bar of 0 draws nothing, so 1 stands apart from 2.
  QCOMPARE(heights.size(), 3);
  QVERIFY2(std::abs(heights[1] - 2 * heights[0]) <= 2, qPrintable(QString::number(heights[1])));
  QVERIFY2(std::abs(heights[2] - 4 * heights[0]) <= 2, qPrintable(QString::number(heights[2])));
  // The largest bar reaches the top tick (4 in steps of 1).
  QVERIFY(heights[2] > 150);

  chart.values.clear();
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    chart.paint(painter, QRectF(0, 0, 400, 300));
  }
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) QVERIFY(image.pixelColor(x, y) != QColor(255, 0, 0));
}

QTEST_MAIN(TstPhReport)
#include "tst_phreport.moc"
