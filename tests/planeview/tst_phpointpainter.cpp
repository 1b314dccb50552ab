// The shared drawing rules painted straight into an image, without a view:
// lines and ellipses reaching far beyond the device, the label places, and
// the legend of colouring by value.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "phcolourmap.h"
#include "phpointpainter.h"
#include "tessellatest.h"

namespace {

QImage blank() {
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

bool inked(const QImage &image, int x, int y) { return QColor(image.pixel(x, y)) != QColor(Qt::white); }

}  // namespace

class TestPhPointPainter : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void farLinesKeepTheirCourse_data();
  void farLinesKeepTheirCourse();
  void largeEllipseShowsWhereItCrosses();
  void labelPlaces();
  void legend_data();
  void legend();
};

void TestPhPointPainter::farLinesKeepTheirCourse_data() {
  QTest::addColumn<QPointF>("from");
  QTest::addColumn<QPointF>("to");
  QTest::addColumn<QList<QPoint>>("ink");
  QTest::addColumn<QList<QPoint>>("none");
  QTest::addRow("to the right, far out") << QPointF(50, 50) << QPointF(50 + 1e7, 50)
                                         << QList<QPoint>{{51, 50}, {99, 50}} << QList<QPoint>{{49, 50}, {60, 51}};
  QTest::addRow("both ends far out") << QPointF(-1e9, -1e9) << QPointF(1e9, 1e9)
                                     << QList<QPoint>{{0, 0}, {10, 10}, {99, 99}} << QList<QPoint>{{10, 11}};
  QTest::addRow("beside the device") << QPointF(-1e9, 200) << QPointF(1e9, 200) << QList<QPoint>{}
                                     << QList<QPoint>{{50, 99}};
  QTest::addRow("no length") << QPointF(50, 50) << QPointF(50, 50) << QList<QPoint>{} << QList<QPoint>{{50, 50}};
}

void TestPhPointPainter::farLinesKeepTheirCourse() {
  QFETCH(QPointF, from);
  QFETCH(QPointF, to);
  QFETCH(QList<QPoint>, ink);
  QFETCH(QList<QPoint>, none);
  QImage image = blank();
  {
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    if (from == from.toPoint() && to == to.toPoint() && from == to)
      PhPointPainter::drawLine(&painter, from.toPoint(), to.toPoint(), image.rect());
    else
      PhPointPainter::drawLine(&painter, from, to, image.rect());
  }
  for (const QPoint &p : ink) QVERIFY2(inked(image, p.x(), p.y()), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
  for (const QPoint &p : none) QVERIFY2(!inked(image, p.x(), p.y()), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
}

void TestPhPointPainter::largeEllipseShowsWhereItCrosses() {
  // 20000 pixels across and 100 high, its left end at (10, 50): only that
  // end shows, bending away to the right above and below.
  const QRect box(10, 0, 20000, 101);
  QImage image = blank();
  {
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    PhPointPainter::drawEllipse(&painter, box, image.rect());
  }
  QVERIFY(inked(image, 10, 50));
  QVERIFY(!inked(image, 9, 50));
  QVERIFY(!inked(image, 50, 50));
  QVERIFY(!inked(image, 10, 0));
  QVERIFY(!inked(image, 10, 99));
}

void TestPhPointPainter::labelPlaces() {
  const QFont font(QStringLiteral("DejaVu Sans"), 8);
  const QFontMetrics metrics(font);
  const PhPointPainter::Labels labels(metrics);
  const int d = metrics.descent();
  const int step = metrics.height() - 1;
  QCOMPARE(PhPointPainter::Labels::x(100, 7), 100 + 3 + 2);
  QCOMPARE(PhPointPainter::Labels::x(100, 8), 100 + 4 + 2);
  QCOMPARE(labels.idBaseline(200), 200 + d + 1);
  QCOMPARE(labels.linkBaseline(200), 200 - d - 4);
  QCOMPARE(labels.textBaseline(200, 0), 200 + d + step);
  QCOMPARE(labels.textBaseline(200, 2), 200 + d + 3 * step);
}

void TestPhPointPainter::legend_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<double>("low");
  QTest::addColumn<double>("high");
  QTest::addColumn<QString>("unit");
  QTest::addColumn<QRect>("exposed");
  QTest::addColumn<bool>("drawn");
  const QRect all(0, 0, 300, 100);
  QTest::addRow("by value, with a unit") << 1 << -0.5 << 2.5 << QStringLiteral("mm") << all << true;
  QTest::addRow("by value, inverted limits") << 1 << 2.5 << -0.5 << QString() << all << true;
  QTest::addRow("by value, long limits widen it") << 1 << -1.23456e10 << 6.54321e10 << QStringLiteral("px") << all
                                                  << true;
  QTest::addRow("by type: no legend") << 0 << -0.5 << 2.5 << QStringLiteral("mm") << all << false;
  QTest::addRow("outside the exposed rectangle") << 1 << -0.5 << 2.5 << QStringLiteral("mm")
                                                 << QRect(200, 60, 100, 40) << false;
}

void TestPhPointPainter::legend() {
  QFETCH(int, mode);
  QFETCH(double, low);
  QFETCH(double, high);
  QFETCH(QString, unit);
  QFETCH(QRect, exposed);
  QFETCH(bool, drawn);
  PhDrawSettings settings;
  settings.textFont = QFont(QStringLiteral("DejaVu Sans"), 8);
  settings.colourBy = mode;
  settings.colourLow = low;
  settings.colourHigh = high;
  settings.colourUnit = unit;
  PhPaintTools tools;
  tools.make(settings);
  QImage image(300, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QPoint corner(10, 20);
  QRect area;
  {
    QPainter painter(&image);
    painter.setClipRect(exposed);
    PhPointPainter points(&painter, exposed, settings, tools, 1.0);
    area = points.drawLegend(corner);
  }
  const QFontMetrics metrics(settings.textFont);
  const QString lower = QString::number(low, 'g', 6);
  const QString upper = unit.isEmpty() ? QString::number(high, 'g', 6) : QString::number(high, 'g', 6) + u' ' + unit;
  QCOMPARE(area.topLeft(), corner);
  QCOMPARE(area.width(), qMax(PhPointPainter::LegendWidth,
                              metrics.horizontalAdvance(lower) + metrics.horizontalAdvance(upper) + 8));
  QCOMPARE(area.height(), PhPointPainter::LegendHeight + 2 + metrics.height());
  if (!drawn) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) QVERIFY(!inked(image, x, y));
    return;
  }
  // The bar runs from the map's first colour to its last inside a frame.
  const int mid = corner.y() + PhPointPainter::LegendHeight / 2;
  const int last = PhPointPainter::LegendWidth - 1;
  QCOMPARE(QColor(image.pixel(corner.x() + 1, mid)), PhColourMap::at(1.0 / last));
  QCOMPARE(QColor(image.pixel(corner.x() + 64, mid)), PhColourMap::at(64.0 / last));
  QCOMPARE(QColor(image.pixel(corner.x() + last - 1, mid)), PhColourMap::at((last - 1.0) / last));
  QCOMPARE(QColor(image.pixel(corner.x(), mid)), QColor(Qt::black));
  QCOMPARE(QColor(image.pixel(corner.x() + last, mid)), QColor(Qt::black));
  // The limits under the ends: ink under the left end and near the right edge of the legend.
  const int textTop = corner.y() + PhPointPainter::LegendHeight + 2;
  const auto inkIn = [&](int x0, int x1) {
    for (int y = textTop; y < area.bottom(); ++y)
      for (int x = x0; x <= x1; ++x)
        if (inked(image, x, y)) return true;
    return false;
  };
  QVERIFY(inkIn(corner.x(), corner.x() + 6));
  QVERIFY(inkIn(area.right() - 6, area.right()));
  // Nothing beyond the rectangle it reports.
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!area.contains(x, y)) QVERIFY(!inked(image, x, y));
}

TESSELLA_TEST_MAIN(TestPhPointPainter)

#include "tst_phpointpainter.moc"
