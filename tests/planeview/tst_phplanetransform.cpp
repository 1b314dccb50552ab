// The plane transform without any widget: its rounding, the layout of an
// extent at a zoom, and the zoom to a dragged band.

#include <QtTest>

#include <cmath>
#include <limits>

#include "phplanetransform.h"
#include "phround.h"
#include "tessellatest.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

class TestPhPlaneTransform : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void rounding_data();
  void rounding();
  void layout_data();
  void layout();
  void zoomToBand_data();
  void zoomToBand();
};

void TestPhPlaneTransform::rounding_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<int>("expected");
  QTest::addRow("2.5 up") << 2.5 << 3;
  QTest::addRow("-2.5 up") << -2.5 << -2;
  QTest::addRow("-0.5 up") << -0.5 << 0;
  QTest::addRow("-1.5 up") << -1.5 << -1;
  QTest::addRow("0.4999 down") << 0.4999 << 0;
  QTest::addRow("-2.51 down") << -2.51 << -3;
  QTest::addRow("huge held") << 1e12 << 1073741823;
  QTest::addRow("huge negative held") << -1e12 << -1073741823;
  QTest::addRow("NaN") << NaN << 0;
}

void TestPhPlaneTransform::rounding() {
  QFETCH(double, value);
  QFETCH(int, expected);
  QCOMPARE(phRound(value), expected);
}

void TestPhPlaneTransform::layout_data() {
  // The extent as minH, maxH, minV, maxV.
  QTest::addColumn<QList<double>>("extent");
  QTest::addColumn<int>("zoom");
  QTest::addColumn<QPointF>("point");
  QTest::addColumn<QPoint>("pixel");
  QTest::addColumn<QSize>("contents");
  QTest::addColumn<double>("scale");
  QTest::addColumn<int>("laidOutZoom");
  using E = QList<double>;
  QTest::addRow("landscape") << E{0, 100, 0, 50} << 100 << QPointF(10, 20) << QPoint(90, 190) << QSize(580, 330)
                             << 5.0 << 100;
  QTest::addRow("portrait") << E{0, 50, 0, 100} << 100 << QPointF(10, 20) << QPoint(90, 440) << QSize(330, 580)
                            << 5.0 << 100;
  QTest::addRow("zero extent: one unit spans the base")
      << E{3, 3, 4, 4} << 100 << QPointF(3.1, 4) << QPoint(90, 40) << QSize(80, 80) << 500.0 << 100;
  QTest::addRow("points on a line") << E{0, 10, 2, 2} << 100 << QPointF(5, 2) << QPoint(290, 40) << QSize(580, 80)
                                    << 50.0 << 100;
  QTest::addRow("NaN extent counts as zero")
      << E{NaN, 10, 0, 10} << 100 << QPointF(0, 5) << QPoint(40, 290) << QSize(80, 580) << 50.0 << 100;
  QTest::addRow("NaN point goes to 0") << E{0, 100, 0, 50} << 100 << QPointF(NaN, 20) << QPoint(0, 190)
                                       << QSize(580, 330) << 5.0 << 100;
  QTest::addRow("infinite extent counts as zero")
      << E{0, std::numeric_limits<double>::infinity(), 0, 10} << 100 << QPointF(0, 5) << QPoint(40, 290)
      << QSize(80, 580) << 50.0 << 100;
  QTest::addRow("inverted extent counts as zero")
      << E{100, 0, 0, 50} << 100 << QPointF(100, 25) << QPoint(40, 290) << QSize(80, 580) << 10.0 << 100;
  QTest::addRow("negative coordinates") << E{-200, -100, -50, 0} << 100 << QPointF(-150, -25) << QPoint(290, 165)
                                        << QSize(580, 330) << 5.0 << 100;
  QTest::addRow("negative halves round up") << E{0, 100, 0, 50} << 100 << QPointF(-8.5, 58.5) << QPoint(-2, -2)
                                            << QSize(580, 330) << 5.0 << 100;
  QTest::addRow("positive halves round up") << E{0, 100, 0, 50} << 100 << QPointF(-7.5, 41.5) << QPoint(3, 83)
                                            << QSize(580, 330) << 5.0 << 100;
  // Base 475; the height 0.3 x 475 = 142.5 rounds up.
  QTest::addRow("zoom 95") << E{0, 100, 0, 30} << 95 << QPointF(20, 10) << QPoint(135, 135) << QSize(555, 223)
                           << 4.75 << 95;
  QTest::addRow("zoom below the limit lays out at 10 %%")
      << E{0, 100, 0, 50} << 5 << QPointF(100, 50) << QPoint(90, 40) << QSize(130, 105) << 0.5 << 10;
  QTest::addRow("the 100000000 limit") << E{0, 100, 0, 50} << 100000000 << QPointF(100, 0)
                                       << QPoint(500000040, 250000040) << QSize(500000080, 250000080) << 5e6
                                       << 100000000;
  QTest::addRow("beyond the limit lays out at the limit")
      << E{0, 100, 0, 50} << std::numeric_limits<int>::max() << QPointF(0, 50) << QPoint(40, 40)
      << QSize(500000080, 250000080) << 5e6 << 100000000;
  QTest::addRow("far point at the limit is held")
      << E{0, 100, 0, 50} << 100000000 << QPointF(1000, -1000) << QPoint(1073741823, 1073741823)
      << QSize(500000080, 250000080) << 5e6 << 100000000;
  QTest::addRow("national grid") << E{4500000.0, 4501000.0, 5400000.0, 5400500.0} << 100
                                 << QPointF(4500500.25, 5400250.75) << QPoint(290, 165) << QSize(580, 330) << 0.5
                                 << 100;
  QTest::addRow("national grid half rounds up")
      << E{4500000.0, 4501000.0, 5400000.0, 5400500.0} << 100 << QPointF(4500001.0, 5400000.0) << QPoint(41, 290)
      << QSize(580, 330) << 0.5 << 100;
  QTest::addRow("national grid at 1000 %%") << E{4500000.0, 4501000.0, 5400000.0, 5400500.0} << 1000
                                           << QPointF(4500999.0, 5400499.0) << QPoint(5035, 45) << QSize(5080, 2580)
                                           << 5.0 << 1000;
}

void TestPhPlaneTransform::layout() {
  QFETCH(QList<double>, extent);
  QFETCH(int, zoom);
  QFETCH(QPointF, point);
  QFETCH(QPoint, pixel);
  QFETCH(QSize, contents);
  QFETCH(double, scale);
  QFETCH(int, laidOutZoom);
  PhPlaneTransform transform;
  transform.layout(extent[0], extent[1], extent[2], extent[3], zoom);
  QCOMPARE(transform.zoom(), laidOutZoom);
  QCOMPARE(transform.contentsSize(), contents);
  QCOMPARE(transform.scale(), scale);
  QCOMPARE(transform.toContents(point.x(), point.y()), pixel);
}

void TestPhPlaneTransform::zoomToBand_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<QSize>("viewport");
  QTest::addColumn<QRect>("band");
  QTest::addColumn<int>("expectedZoom");
  QTest::addColumn<QPoint>("contentsPos");
  // The band's narrower fit wins: 700 / 200 = 3.5 against 450 / 100 = 4.5.
  QTest::addRow("fits the width") << 100 << QSize(700, 450) << QRect(100, 80, 200, 100) << 350 << QPoint(250, 180);
  QTest::addRow("fits the height") << 100 << QSize(700, 450) << QRect(100, 80, 100, 150) << 300
                                   << QPoint(220, 160);
  QTest::addRow("a larger band zooms out") << 100 << QSize(700, 450) << QRect(40, 40, 1400, 900) << 50
                                           << QPoint(40, 40);
  // f = 1e8 / 9e7: the corner follows the factor that the limit leaves.
  QTest::addRow("held at the limit") << 90000000 << QSize(700, 450) << QRect(100, 80, 200, 100) << 100000000
                                     << QPoint(107, 84);
  QTest::addRow("held at the bottom") << 10 << QSize(700, 450) << QRect(140, 240, 1400, 900) << 10
                                      << QPoint(90, 140);
  QTest::addRow("an empty band changes nothing") << 250 << QSize(700, 450) << QRect(100, 80, 0, 100) << 250
                                                 << QPoint(0, 0);
}

void TestPhPlaneTransform::zoomToBand() {
  QFETCH(int, zoom);
  QFETCH(QSize, viewport);
  QFETCH(QRect, band);
  QFETCH(int, expectedZoom);
  QFETCH(QPoint, contentsPos);
  const PhPlaneTransform::BandZoom to = PhPlaneTransform::zoomToBand(zoom, viewport, band);
  QCOMPARE(to.zoom, expectedZoom);
  QCOMPARE(to.contentsPos, contentsPos);
}

TESSELLA_TEST_MAIN(TestPhPlaneTransform)

#include "tst_phplanetransform.moc"
