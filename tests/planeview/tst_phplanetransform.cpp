// The plane transform without any widget: its rounding, the layout of an
// extent at a zoom, the zoom to a dragged band, the zoom that fits a
// viewport and the position that keeps a point in place over a zoom.

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
  void fitZoom_data();
  void fitZoom();
  void anchoredPos_data();
  void anchoredPos();
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

void TestPhPlaneTransform::fitZoom_data() {
  QTest::addColumn<QList<double>>("extent");
  QTest::addColumn<QSize>("viewport");
  QTest::addColumn<int>("expectedZoom");
  QTest::addColumn<QPoint>("centred");
  using E = QList<double>;
  const E landscape{0, 100, 0, 50};
  QTest::addRow("exactly the 100 %% contents") << landscape << QSize(580, 330) << 100 << QPoint(0, 0);
  QTest::addRow("the width limits") << landscape << QSize(1000, 1000) << 184 << QPoint(0, 0);
  QTest::addRow("the height limits") << landscape << QSize(2000, 400) << 128 << QPoint(0, 0);
  QTest::addRow("one point: nothing to fit") << E{3, 3, 4, 4} << QSize(700, 450) << 100 << QPoint(0, 0);
  QTest::addRow("no extent at all") << E{0, 0, 0, 0} << QSize(30, 30) << 100 << QPoint(25, 25);
  QTest::addRow("NaN extent counts as one point") << E{NaN, NaN, NaN, NaN} << QSize(700, 450) << 100
                                                  << QPoint(0, 0);
  QTest::addRow("points on a line") << E{0, 10, 2, 2} << QSize(700, 450) << 124 << QPoint(0, 0);
  QTest::addRow("a long thin extent") << E{0, 10000, 0, 1} << QSize(700, 450) << 124 << QPoint(0, 0);
  QTest::addRow("a long thin portrait") << E{0, 1, 0, 10000} << QSize(700, 450) << 74 << QPoint(0, 0);
  // A wide viewport: the height limits with the half-up rounding of 0.5 x base.
  QTest::addRow("national grid") << E{4500000.0, 4501000.0, 5600000.0, 5600500.0} << QSize(1000, 400) << 128
                                 << QPoint(0, 0);
  // Only the proportions count: a tiny extent spans the same pixels.
  QTest::addRow("a tiny extent fits like a large one") << E{0, 1e-9, 0, 0.5e-9} << QSize(1000, 1000) << 184
                                                       << QPoint(0, 0);
  QTest::addRow("the upper limit") << E{0, 1e-9, 0, 1e-9} << QSize(600000000, 600000000) << 100000000
                                   << QPoint(0, 0);
  // Nothing fits: the lower limit, its 130 x 105 contents centred.
  QTest::addRow("viewport smaller than the margins") << landscape << QSize(50, 50) << 10 << QPoint(40, 27);
  QTest::addRow("a line in a viewport lower than the margins")
      << E{0, 10, 2, 2} << QSize(700, 60) << 10 << QPoint(0, 10);
  QTest::addRow("an empty viewport") << landscape << QSize(0, 0) << 10 << QPoint(65, 52);
}

void TestPhPlaneTransform::fitZoom() {
  QFETCH(QList<double>, extent);
  QFETCH(QSize, viewport);
  QFETCH(int, expectedZoom);
  QFETCH(QPoint, centred);
  const int zoom = PhPlaneTransform::fitZoom(extent[0], extent[1], extent[2], extent[3], viewport);
  QCOMPARE(zoom, expectedZoom);
  PhPlaneTransform transform;
  transform.layout(extent[0], extent[1], extent[2], extent[3], zoom);
  const QSize contents = transform.contentsSize();
  QCOMPARE(PhPlaneTransform::centredPos(contents, viewport), centred);
  const bool fits = contents.width() <= viewport.width() && contents.height() <= viewport.height();
  if (zoom > PhPlaneTransform::MinZoom && zoom != 100) QVERIFY(fits);
  // One percent more would not fit.
  if (fits && zoom < PhPlaneTransform::MaxZoom && zoom != 100) {
    transform.layout(extent[0], extent[1], extent[2], extent[3], zoom + 1);
    const QSize larger = transform.contentsSize();
    QVERIFY(larger.width() > viewport.width() || larger.height() > viewport.height());
  }
}

void TestPhPlaneTransform::anchoredPos_data() {
  QTest::addColumn<int>("fromZoom");
  QTest::addColumn<int>("toZoom");
  QTest::addColumn<QPoint>("anchor");
  QTest::addColumn<QPoint>("at");
  QTest::addColumn<QSize>("contents");
  QTest::addColumn<QSize>("viewport");
  QTest::addColumn<QPoint>("expected");
  const QSize viewport(300, 200);
  // 100 x 50 plane: 580 x 330 at 100 %, 630 x 355 at 110 %, 1080 x 580 at 200 %.
  QTest::addRow("zoom in about the centre") << 100 << 110 << QPoint(290, 165) << QPoint(150, 100) << QSize(630, 355)
                                            << viewport << QPoint(165, 78);
  QTest::addRow("zoom out about a pointer") << 200 << 100 << QPoint(600, 360) << QPoint(120, 80) << QSize(580, 330)
                                            << viewport << QPoint(200, 120);
  QTest::addRow("a half rounds up") << 100 << 110 << QPoint(45, 45) << QPoint(0, 0) << QSize(630, 355) << viewport
                                    << QPoint(46, 46);
  QTest::addRow("the same zoom keeps the point") << 100 << 100 << QPoint(200, 150) << QPoint(150, 100)
                                                 << QSize(580, 330) << viewport << QPoint(50, 50);
  QTest::addRow("held at the start") << 100 << 110 << QPoint(40, 40) << QPoint(150, 100) << QSize(630, 355)
                                     << viewport << QPoint(0, 0);
  QTest::addRow("held at the end") << 100 << 200 << QPoint(580, 330) << QPoint(0, 0) << QSize(1080, 580) << viewport
                                   << QPoint(780, 380);
  QTest::addRow("contents within the viewport") << 100 << 50 << QPoint(290, 165) << QPoint(150, 100)
                                                << QSize(330, 205) << QSize(400, 300) << QPoint(0, 0);
  // One direction without extent stays 80 pixels and does not scroll.
  QTest::addRow("a line scrolls along only") << 100 << 200 << QPoint(290, 40) << QPoint(150, 40) << QSize(1080, 80)
                                             << viewport << QPoint(390, 0);
  // f = 500000000 / 499999950 near the limit: no overflow.
  QTest::addRow("near the upper limit") << 99999990 << 100000000 << QPoint(250000000, 100000000) << QPoint(150, 100)
                                        << QSize(500000080, 250000080) << viewport << QPoint(249999875, 99999910);
  QTest::addRow("beyond the limits counts as the limits")
      << 5 << 20 << QPoint(90, 65) << QPoint(0, 0) << QSize(180, 130) << QSize(50, 50) << QPoint(130, 80);
}

void TestPhPlaneTransform::anchoredPos() {
  QFETCH(int, fromZoom);
  QFETCH(int, toZoom);
  QFETCH(QPoint, anchor);
  QFETCH(QPoint, at);
  QFETCH(QSize, contents);
  QFETCH(QSize, viewport);
  QFETCH(QPoint, expected);
  QCOMPARE(PhPlaneTransform::anchoredPos(fromZoom, toZoom, anchor, at, contents, viewport), expected);
}

TESSELLA_TEST_MAIN(TestPhPlaneTransform)

#include "tst_phplanetransform.moc"
