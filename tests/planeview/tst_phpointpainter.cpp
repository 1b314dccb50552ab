// The shared drawing rules painted straight into an image, without a view:
// lines and ellipses reaching far beyond the device, and the label places.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtTest>

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

TESSELLA_TEST_MAIN(TestPhPointPainter)

#include "tst_phpointpainter.moc"
