// The image view: its layout and transform, the drawing of every kind of
// mark read back from rendered pixels, zoom steps and limits, zoom and
// scroll drags, the rubber band, and the context menu.

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

#include "messagecapture.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimageview.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phround.h"
#include "tessellatest.h"
#include "viewtestutil.h"

namespace {

const QColor White(Qt::white);
const QColor Blue(Qt::blue);
const QColor Red(Qt::red);
const QColor Green(Qt::green);

// One image of a project, with the class-wide indexes fresh for each test.
struct ImageFixture {
  PhImageList list;
  PhImage *image = new PhImage;

  ImageFixture() {
    PhImage::clearPointIndex();
    image->setImageId(10);
    list.append(image);
  }
  ~ImageFixture() {
    list.clear();
    PhImage::clearPointIndex();
  }
  PhImagePoint *add(int id, bool bAdjust, float x, float y, float rx = 0, float ry = 0,
                    int code = 100) {
    image->addPoint(id, bAdjust, x, y, rx, ry, 1.0f);
    image->point(id)->setCode(code);
    return image->point(id);
  }
  void setFrame(float minX, float minY, float maxX, float maxY) {
    image->setMinX(minX);
    image->setMinY(minY);
    image->setMaxX(maxX);
    image->setMaxY(maxY);
  }
};

using ViewTest::actionWithId;
using ViewTest::openContextMenu;
using ViewTest::pixelOf;
using ViewTest::texts;

}  // namespace

class TestPhImageView : public QObject {
  Q_OBJECT

 private:
  // A shown view of the fixture's image with a blue type 0 on white.
  void prepare(PhImageView &view, ImageFixture &f) {
    view.setTextFont(ViewTest::testFont());
    view.setPointColor(0, Blue);
    view.setBlunderColor(Red);
    view.setLargestResidualColor(Green);
    QVERIFY(ViewTest::showView(&view, QSize(700, 450)));
    view.setImage(f.image);
  }

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void layoutAndTransform_data();
  void layoutAndTransform();
  void symbolShapes_data();
  void symbolShapes();
  void blunderDisc_data();
  void blunderDisc();
  void switchedOffTypeKeepsLargestResidualMarker();
  void noLargestResidualNoMarker();
  void residualVectorEnd_data();
  void residualVectorEnd();
  void frameOutline();
  void labelsBesideTheSymbol();
  void zeroExtentsDrawWithoutFailing();
  void zoomSteps_data();
  void zoomSteps();
  void zoomWithoutImageDoesNothing();
  void zoomBandAcceptance_data();
  void zoomBandAcceptance();
  void zoomDragZoomsToTheBand();
  void zoomDragRefusedAtTheLimit();
  void rubberBandFollowsDragInEveryDirection();
  void interruptedDragLeavesNoBand_data();
  void interruptedDragLeavesNoBand();
  void scrollDragFollowsTheHand();
  void scrollCursorRule();
  void contextMenuItems_data();
  void contextMenuItems();
  void contextMenuDispatch();
  void contextMenuEmptyWithoutImage();
  void keptDrawingMatchesPlainDrawing();
  void pointsSelectedInObjectSpaceAreMarked();
};

void TestPhImageView::layoutAndTransform_data() {
  QTest::addColumn<QRectF>("frame");  // minX, minY, maxX, maxY as left, top, right, bottom
  QTest::addColumn<int>("zoom");
  QTest::addColumn<QPointF>("point");
  QTest::addColumn<QPoint>("pixel");
  QTest::addColumn<QSize>("contents");
  auto frame = [](double x0, double y0, double x1, double y1) {
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
  };
  QTest::addRow("landscape") << frame(0, 0, 100, 50) << 100 << QPointF(10, 20) << QPoint(90, 190)
                             << QSize(580, 330);
  QTest::addRow("portrait") << frame(0, 0, 50, 100) << 100 << QPointF(10, 20) << QPoint(90, 440)
                            << QSize(330, 580);
  QTest::addRow("square at 200 %%") << frame(0, 0, 10, 10) << 200 << QPointF(2.5, 7.5)
                                   << QPoint(290, 290) << QSize(1080, 1080);
  QTest::addRow("offset frame") << frame(-20, 5, 80, 55) << 100 << QPointF(0, 30)
                                << QPoint(140, 165) << QSize(580, 330);
  QTest::addRow("negative half rounds up") << frame(0, 0, 100, 50) << 100 << QPointF(-8.5, 58.5)
                                           << QPoint(-2, -2) << QSize(580, 330);
  QTest::addRow("positive half rounds up") << frame(0, 0, 100, 50) << 100 << QPointF(-7.5, 41.5)
                                           << QPoint(3, 83) << QSize(580, 330);
  // base 475; height 0.3 x 475 = 142.5 rounds up.
  QTest::addRow("zoom 95") << frame(0, 0, 100, 30) << 95 << QPointF(20, 10) << QPoint(135, 135)
                           << QSize(555, 223);
  QTest::addRow("one point") << frame(3, 4, 3, 4) << 100 << QPointF(3, 4) << QPoint(40, 40)
                             << QSize(80, 80);
  QTest::addRow("points on a line") << frame(0, 2, 10, 2) << 100 << QPointF(5, 2)
                                    << QPoint(290, 40) << QSize(580, 80);
}

void TestPhImageView::layoutAndTransform() {
  QFETCH(QRectF, frame);
  QFETCH(int, zoom);
  QFETCH(QPointF, point);
  QFETCH(QPoint, pixel);
  QFETCH(QSize, contents);
  ImageFixture f;
  f.setFrame(float(frame.left()), float(frame.top()), float(frame.right()), float(frame.bottom()));
  PhImageView view;
  view.setImage(f.image);
  view.slotZoom(zoom);
  QCOMPARE(view.zoom(), zoom);
  QCOMPARE(QSize(view.contentsWidth(), view.contentsHeight()), contents);
  QCOMPARE(view.toContents(point.x(), point.y()), pixel);
}

void TestPhImageView::symbolShapes_data() {
  QTest::addColumn<int>("symbol");
  QTest::addColumn<int>("size");
  QTest::addColumn<QList<QPoint>>("inked");
  QTest::addColumn<QList<QPoint>>("blank");
  QTest::addRow("circle 7") << int(PhGlobal::SYM_Circle) << 7
                            << QList<QPoint>{{0, 0}, {-3, 0}, {3, 0}, {0, -3}, {0, 3}, {-2, -2}}
                            << QList<QPoint>{{-4, 0}, {4, 0}, {-3, -3}, {3, 3}, {-2, -3}};
  QTest::addRow("circle 6 keeps its even size")
      << int(PhGlobal::SYM_Circle) << 6 << QList<QPoint>{{-3, 0}, {2, 0}, {0, -3}, {0, 2}}
      << QList<QPoint>{{3, 0}, {-4, 0}, {0, 3}, {0, -4}};
  QTest::addRow("triangle 6 drawn as 5")
      << int(PhGlobal::SYM_Triangle) << 6 << QList<QPoint>{{0, -2}, {0, 0}, {-2, 2}, {2, 2}}
      << QList<QPoint>{{-1, -2}, {1, -2}, {0, -3}, {-3, 2}, {3, 2}, {0, 3}};
  QTest::addRow("triangle 7") << int(PhGlobal::SYM_Triangle) << 7
                              << QList<QPoint>{{0, -3}, {-3, 3}, {3, 3}, {0, 3}}
                              << QList<QPoint>{{0, -4}, {-1, -3}, {-4, 3}, {0, 4}};
  QTest::addRow("cross 7") << int(PhGlobal::SYM_Cross) << 7
                           << QList<QPoint>{{0, 0}, {-3, 0}, {3, 0}, {0, -3}, {0, 3}}
                           << QList<QPoint>{{1, 1}, {-1, -1}, {-4, 0}, {0, 4}};
  QTest::addRow("cross 8 drawn as 7") << int(PhGlobal::SYM_Cross) << 8
                                      << QList<QPoint>{{-3, 0}, {3, 0}, {0, -3}, {0, 3}}
                                      << QList<QPoint>{{4, 0}, {0, 4}, {-4, 0}, {0, -4}};
}

void TestPhImageView::symbolShapes() {
  QFETCH(int, symbol);
  QFETCH(int, size);
  QFETCH(QList<QPoint>, inked);
  QFETCH(QList<QPoint>, blank);
  ImageFixture f;
  f.add(1, true, 50, 25);
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  view.setPointSymbol(0, symbol);
  view.setPointSize(0, size);
  prepare(view, f);
  const QImage image = ViewTest::render(&view);
  const QPoint centre = pixelOf(50, 25);
  for (const QPoint &d : inked) QCOMPARE(ViewTest::at(image, &view, centre + d), Blue);
  for (const QPoint &d : blank) QCOMPARE(ViewTest::at(image, &view, centre + d), White);
}

void TestPhImageView::blunderDisc_data() {
  QTest::addColumn<bool>("shown");
  QTest::addColumn<QColor>("centre");
  QTest::addColumn<QColor>("rim");
  QTest::addColumn<QColor>("vectorEnd");
  QTest::addRow("hidden: point and vector gone") << false << White << White << White;
  QTest::addRow("shown: disc under the symbol") << true << Blue << Red << Red;
}

void TestPhImageView::blunderDisc() {
  QFETCH(bool, shown);
  QFETCH(QColor, centre);
  QFETCH(QColor, rim);
  QFETCH(QColor, vectorEnd);
  ImageFixture f;
  f.add(1, false, 50, 25, 4, 0);
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  view.setShowBlunders(shown);
  view.setResidualsOn(VM_Graphical, true);
  view.setResidualScale(5);  // 4 mm x 5 x 5 px/mm = 100 px to the right
  prepare(view, f);
  const QImage image = ViewTest::render(&view);
  const QPoint p = pixelOf(50, 25);
  // The vector starts at the centre; the symbol shows beside it.
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(0, -2)), centre);
  // Size 7 plus twice 2: the disc spans 11 pixels; its rim shows outside the symbol.
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(0, -5)), rim);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-5, 0)), rim);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-6, 0)), White);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(99, 0)), vectorEnd);
}

void TestPhImageView::switchedOffTypeKeepsLargestResidualMarker() {
  ImageFixture f;
  f.add(1, true, 50, 25, 0.3f, 0.4f);  // the largest residual
  f.add(2, true, 20, 10, 0.1f, 0.0f, 200);
  f.setFrame(0, 0, 100, 50);
  QCOMPARE(f.image->largestResidualPointId(), 1);
  PhImageView view;
  view.setPointOn(0, false);
  view.setPointColor(1, Blue);
  prepare(view, f);
  const QImage image = ViewTest::render(&view);
  const QPoint p = pixelOf(50, 25);
  // The point itself is hidden; the ring of size 7 + 2 x 2 is drawn.
  QCOMPARE(ViewTest::at(image, &view, p), White);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-5, 0)), Green);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(5, 0)), Green);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(0, -5)), Green);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-4, 0)), White);
  QCOMPARE(ViewTest::at(image, &view, pixelOf(20, 10)), Blue);
}

void TestPhImageView::noLargestResidualNoMarker() {
  ImageFixture f;
  f.add(1, false, 50, 25, 0.3f, 0.4f);
  f.add(2, false, 20, 10, 0.1f, 0.0f);
  f.setFrame(0, 0, 100, 50);
  QCOMPARE(f.image->largestResidualPointId(), -1);
  PhImageView view;
  view.setShowBlunders(true);
  prepare(view, f);
  const QImage image = ViewTest::render(&view);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) QVERIFY(QColor(image.pixel(x, y)) != Green);
}

void TestPhImageView::residualVectorEnd_data() {
  QTest::addColumn<float>("residualScale");
  QTest::addColumn<float>("rx");
  QTest::addColumn<float>("ry");
  QTest::addColumn<bool>("adjusted");
  QTest::addColumn<QPoint>("end");
  // Ends at (px + rx x scale x 5, py - ry x scale x 5).
  QTest::addRow("right") << 10.0f << 1.0f << 0.0f << true << QPoint(50, 0);
  QTest::addRow("up, y axis points up") << 10.0f << 0.0f << 1.0f << true << QPoint(0, -50);
  QTest::addRow("diagonal down-left") << 4.0f << -2.0f << -2.0f << true << QPoint(-40, 40);
  QTest::addRow("scale 0 drawn as 1") << 0.0f << 10.0f << 0.0f << true << QPoint(50, 0);
  QTest::addRow("blunder in blunder colour") << 10.0f << 1.0f << 0.0f << false << QPoint(50, 0);
}

void TestPhImageView::residualVectorEnd() {
  QFETCH(float, residualScale);
  QFETCH(float, rx);
  QFETCH(float, ry);
  QFETCH(bool, adjusted);
  QFETCH(QPoint, end);
  ImageFixture f;
  f.add(1, adjusted, 50, 25, rx, ry);
  f.add(2, true, 0, 0);
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  view.setResidualsOn(VM_Graphical, true);
  view.setShowBlunders(true);
  view.setResidualScale(residualScale);
  view.setLargestResidualSize(0);
  view.setLargestResidualColor(Blue);
  prepare(view, f);
  const QImage image = ViewTest::render(&view);
  const QPoint p = pixelOf(50, 25);
  const QColor colour = adjusted ? Blue : Red;
  // Along the vector, near its end, and nothing beyond it.
  QCOMPARE(ViewTest::at(image, &view, p + end), colour);
  QCOMPARE(ViewTest::at(image, &view, p + end * 9 / 10), colour);
  QCOMPARE(ViewTest::at(image, &view, p + end * 11 / 10), White);
  if (residualScale == 0.0f) QCOMPARE(view.residualScale(), 1.0f);
}

void TestPhImageView::frameOutline() {
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  const QImage image = ViewTest::render(&view);
  const QColor black(Qt::black);
  const QColor grey(Qt::lightGray);
  // The frame runs through the pixels of the extent's corners.
  QCOMPARE(ViewTest::at(image, &view, 40, 100), black);
  QCOMPARE(ViewTest::at(image, &view, 540, 100), black);
  QCOMPARE(ViewTest::at(image, &view, 300, 40), black);
  QCOMPARE(ViewTest::at(image, &view, 300, 290), black);
  QCOMPARE(ViewTest::at(image, &view, 41, 100), White);
  QCOMPARE(ViewTest::at(image, &view, 300, 291), White);
  // The light-grey outline of the whole contents.
  QCOMPARE(ViewTest::at(image, &view, 0, 100), grey);
  QCOMPARE(ViewTest::at(image, &view, 579, 100), grey);
  QCOMPARE(ViewTest::at(image, &view, 300, 329), grey);
}

void TestPhImageView::labelsBesideTheSymbol() {
  ImageFixture f;
  f.add(77, true, 50, 25, 0.1f, 0.2f);
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  view.setLargestResidualSize(0);
  view.setLargestResidualColor(Blue);
  prepare(view, f);
  const QFontMetrics metrics(ViewTest::testFont());
  const QPoint p = pixelOf(50, 25);
  auto inkRight = [&](int top, int bottom) {
    const QImage image = ViewTest::render(&view);
    int n = 0;
    for (int y = top; y <= bottom; ++y)
      for (int x = p.x() + 6; x < p.x() + 60; ++x)
        if (ViewTest::at(image, &view, x, y) != White) ++n;
    return n;
  };
  const int idTop = p.y() + metrics.descent() + 1 - metrics.ascent();
  const int idBottom = p.y() + metrics.descent();
  QCOMPARE(inkRight(idTop, idBottom), 0);
  view.slotTogglePointIds();
  QVERIFY(inkRight(idTop, idBottom) > 0);
  // Link counts sit above the ID.
  const int linkTop = p.y() - metrics.descent() - 4 - metrics.ascent();
  QCOMPARE(inkRight(linkTop, linkTop + 3), 0);
  view.slotToggleShowLinkCount();
  QVERIFY(inkRight(linkTop, linkTop + 3) > 0);
}

void TestPhImageView::zeroExtentsDrawWithoutFailing() {
  {
    // One point and no camera frame.
    ImageFixture f;
    f.add(1, true, 3, 4);
    PhImageView view;
    prepare(view, f);
    QCOMPARE(view.contentsWidth(), 80);
    QCOMPARE(view.contentsHeight(), 80);
    QVERIFY(std::isfinite(view.scale()));
    view.slotZoom(400);
    const QImage image = ViewTest::render(&view);
    QCOMPARE(ViewTest::at(image, &view, 40, 40), Blue);
  }
  {
    // No points at all: nothing but the empty margins.
    ImageFixture f;
    PhImageView view;
    prepare(view, f);
    QVERIFY(std::isfinite(view.scale()));
    QCOMPARE(view.contentsWidth(), 80);
    ViewTest::render(&view);
  }
}

void TestPhImageView::zoomSteps_data() {
  QTest::addColumn<int>("start");
  QTest::addColumn<QString>("step");
  QTest::addColumn<int>("expected");
  QTest::addColumn<int>("emitted");
  QTest::addRow("95 plus") << 95 << "plus" << 105 << 1;
  QTest::addRow("100 minus") << 100 << "minus" << 90 << 1;
  QTest::addRow("15 minus stops at 10") << 15 << "minus" << 10 << 1;
  QTest::addRow("10 minus stays") << 10 << "minus" << 10 << 0;
  QTest::addRow("zoom 5 clamps to 10") << 100 << "5" << 10 << 1;
  QTest::addRow("unchanged value emits nothing") << 100 << "100" << 100 << 0;
  QTest::addRow("beyond the top clamps") << 100 << "200000000" << 100000000 << 1;
  QTest::addRow("top plus stays") << 100000000 << "plus" << 100000000 << 0;
}

void TestPhImageView::zoomSteps() {
  QFETCH(int, start);
  QFETCH(QString, step);
  QFETCH(int, expected);
  QFETCH(int, emitted);
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  view.setImage(f.image);
  view.slotZoom(start);
  QSignalSpy spy(&view, &PhImageView::sigZoomChanged);
  if (step == QLatin1String("plus"))
    view.slotZoomPlus();
  else if (step == QLatin1String("minus"))
    view.slotZoomMinus();
  else
    view.slotZoom(step.toInt());
  QCOMPARE(view.zoom(), expected);
  QCOMPARE(spy.count(), emitted);
  if (emitted) QCOMPARE(spy.first().first().toInt(), expected);
}

void TestPhImageView::zoomWithoutImageDoesNothing() {
  PhImageView view;
  QSignalSpy spy(&view, &PhImageView::sigZoomChanged);
  view.slotZoom(300);
  view.slotZoomPlus();
  QCOMPARE(view.zoom(), 100);
  QCOMPARE(spy.count(), 0);
}

void TestPhImageView::zoomBandAcceptance_data() {
  QTest::addColumn<QSize>("band");
  QTest::addColumn<bool>("accepted");
  QTest::addRow("15 x 300 accepted") << QSize(15, 300) << true;
  QTest::addRow("300 x 15 accepted") << QSize(300, 15) << true;
  QTest::addRow("20 x 5 accepted") << QSize(20, 5) << true;
  QTest::addRow("15 x 15 refused") << QSize(15, 15) << false;
  QTest::addRow("19 x 19 refused") << QSize(19, 19) << false;
}

void TestPhImageView::zoomBandAcceptance() {
  QFETCH(QSize, band);
  QFETCH(bool, accepted);
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  view.slotSetMode(0);
  QSignalSpy spy(&view, &PhImageView::sigZoomChanged);
  MessageCapture messages;
  const QPoint from(100, 100);
  ViewTest::drag(&view, {from, from + QPoint(band.width() - 1, band.height() - 1)});
  QCOMPARE(spy.count(), accepted ? 1 : 0);
  QCOMPARE(view.zoom() != 100, accepted);
  QVERIFY(!view.rubberBand().isValid());
  const QStringList notes = messages.texts(Nub::MsgNote);
  if (accepted) {
    QVERIFY(notes.isEmpty());
  } else {
    QCOMPARE(notes, QStringList({QStringLiteral("The zoom-rect you specified is to small (min 20 pixel)!"),
                                 QStringLiteral("Ignoring zoom.")}));
  }
}

void TestPhImageView::zoomDragZoomsToTheBand() {
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  QSignalSpy spy(&view, &PhImageView::sigZoomChanged);
  ViewTest::drag(&view, {QPoint(100, 80), QPoint(150, 120), QPoint(299, 179)});
  // The band is 200 x 100; the widget 700 x 450: f = 3.5.
  QCOMPARE(view.zoom(), 350);
  QCOMPARE(spy.count(), 1);
  QCOMPARE(view.contentsX(), phRound((100 - 40) * 3.5 + 40));
  QCOMPARE(view.contentsY(), phRound((80 - 40) * 3.5 + 40));
}

void TestPhImageView::zoomDragRefusedAtTheLimit() {
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  view.slotZoom(PhZoomView::MaxZoom);
  MessageCapture messages;
  QSignalSpy spy(&view, &PhImageView::sigZoomChanged);
  ViewTest::drag(&view, {QPoint(100, 80), QPoint(299, 179)});
  QCOMPARE(view.zoom(), PhZoomView::MaxZoom);
  QCOMPARE(spy.count(), 0);
  QCOMPARE(messages.count(), 0);
}

void TestPhImageView::rubberBandFollowsDragInEveryDirection() {
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  QWidget *viewport = view.viewport();
  // Up and to the left, in two moves: each edge must be painted whole.
  const QPoint anchor(400, 300);
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, anchor);
  QTest::mouseMove(viewport, QPoint(300, 250));
  QTest::mouseMove(viewport, QPoint(200, 150));
  const QImage screen = ViewTest::screen(&view);
  QCOMPARE(view.rubberBand(), QRect(QPoint(200, 150), QPoint(400, 300)));
  auto darkOnRow = [&](int y, int x0, int x1) {
    int n = 0;
    for (int x = x0; x <= x1; ++x) n += qGray(screen.pixel(x, y)) < 64;
    return n;
  };
  auto darkOnColumn = [&](int x, int y0, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y) n += qGray(screen.pixel(x, y)) < 64;
    return n;
  };
  QVERIFY(darkOnRow(150, 200, 290) >= 20);     // top edge, its far part
  QVERIFY(darkOnRow(300, 200, 290) >= 20);     // bottom edge through the anchor
  QVERIFY(darkOnColumn(200, 150, 240) >= 20);  // left edge
  QVERIFY(darkOnColumn(400, 150, 240) >= 20);  // right edge through the anchor
  // The band of the first move is gone.
  QCOMPARE(darkOnRow(250, 301, 399), 0);
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
}

void TestPhImageView::scrollDragFollowsTheHand() {
  ImageFixture f;
  QRandomGenerator random(7);
  for (int i = 0; i < 300; ++i)
    f.add(i + 1, true, float(random.bounded(100.0)), float(random.bounded(50.0)));
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  view.slotZoom(400);
  // The zoom keeps the centre; the drag starts from the top-left corner.
  view.setContentsPos(0, 0);
  view.slotSetMode(1);
  ViewTest::screen(&view);
  QWidget *viewport = view.viewport();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
  QTest::mouseMove(viewport, QPoint(250, 170));
  QTest::mouseMove(viewport, QPoint(240, 160));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(240, 160));
  QCOMPARE(view.contentsX(), 60);
  QCOMPARE(view.contentsY(), 40);
  // What stands on screen after the scroll is what a fresh paint gives.
  QCOMPARE(ViewTest::screen(&view), ViewTest::render(&view));
  // A move after the release scrolls no more.
  QTest::mouseMove(viewport, QPoint(100, 100));
  QCOMPARE(view.contentsX(), 60);
}

void TestPhImageView::scrollCursorRule() {
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  view.slotSetMode(1);
  QCOMPARE(view.viewport()->cursor().shape(), Qt::ArrowCursor);
  view.resize(300, 200);  // smaller than the 580 x 330 contents
  QApplication::processEvents();
  QCOMPARE(view.viewport()->cursor().shape(), Qt::SizeAllCursor);
  view.slotSetMode(0);
  QCOMPARE(view.viewport()->cursor().shape(), Qt::CrossCursor);
  view.slotSetMode(7);
  QCOMPARE(view.mode(), 0);
}

void TestPhImageView::contextMenuItems_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<bool>("on");
  QTest::addColumn<QStringList>("items");
  QTest::addColumn<QStringList>("residualItems");
  QTest::addRow("at 100 %%, all off")
      << 100 << false
      << QStringList{"Show Point-IDs", "Show Number of Links", "&Residuals", "Show Blunders"}
      << QStringList{"Show Graphical", "Show Textual"};
  QTest::addRow("at 200 %%, all on")
      << 200 << true
      << QStringList{"Zoom 100%", "-", "Hide Point-IDs", "Hide Number of Links", "&Residuals",
                     "Hide Blunders"}
      << QStringList{"Hide Graphical", "Hide Textual"};
}

void TestPhImageView::contextMenuItems() {
  QFETCH(int, zoom);
  QFETCH(bool, on);
  QFETCH(QStringList, items);
  QFETCH(QStringList, residualItems);
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  view.slotZoom(zoom);
  view.setShowPointIds(on);
  view.setShowLinkCount(on);
  view.setShowBlunders(on);
  view.setResidualsOn(VM_Graphical, on);
  view.setResidualsOn(VM_Textual, on);
  openContextMenu(&view);
  QMenu *menu = view.contextMenu();
  QVERIFY(menu->isVisible());
  QCOMPARE(texts(menu), items);
  QMenu *residuals = menu->actions().at(items.indexOf(QStringLiteral("&Residuals")))->menu();
  QVERIFY(residuals);
  QCOMPARE(texts(residuals), residualItems);
  // Each item carries its id.
  QCOMPARE(actionWithId(menu, 1)->text(), items.at(items.indexOf(QStringLiteral("&Residuals")) - 2));
  QCOMPARE(actionWithId(menu, 5)->text(), items.at(items.indexOf(QStringLiteral("&Residuals")) - 1));
  QCOMPARE(actionWithId(menu, 2)->text(), residualItems.at(0));
  QCOMPARE(actionWithId(menu, 3)->text(), residualItems.at(1));
  QCOMPARE(actionWithId(menu, 4)->text(), items.last());
  if (zoom != 100) QVERIFY(!actionWithId(menu, 0)->icon().isNull());
  menu->hide();
}

void TestPhImageView::contextMenuDispatch() {
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  prepare(view, f);
  view.slotZoom(300);
  openContextMenu(&view);
  QMenu *menu = view.contextMenu();
  // An item of the submenu toggles once.
  actionWithId(menu, 3)->trigger();
  QVERIFY(view.hasResidualsOn(VM_Textual));
  QVERIFY(!view.hasResidualsOn(VM_Graphical));
  actionWithId(menu, 2)->trigger();
  QVERIFY(view.hasResidualsOn(VM_Graphical));
  actionWithId(menu, 1)->trigger();
  QVERIFY(view.hasPointIdsOn());
  actionWithId(menu, 4)->trigger();
  QVERIFY(view.hasBlundersOn());
  actionWithId(menu, 5)->trigger();
  QVERIFY(view.hasLinkCountOn());
  actionWithId(menu, 0)->trigger();
  QCOMPARE(view.zoom(), 100);
  menu->hide();
  // The menu is rebuilt on every opening: no Zoom 100% at 100 %.
  openContextMenu(&view);
  QVERIFY(!actionWithId(view.contextMenu(), 0));
  QCOMPARE(actionWithId(view.contextMenu(), 1)->text(), QStringLiteral("Hide Point-IDs"));
  view.contextMenu()->hide();

  MessageCapture messages;
  QMetaObject::invokeMethod(&view, "_slotHandleContextMenu", Q_ARG(int, 42));
  QCOMPARE(messages.texts(Nub::MsgWarn), QStringList{QStringLiteral("Invalid case: 42!")});
}

void TestPhImageView::contextMenuEmptyWithoutImage() {
  PhImageView view;
  QVERIFY(ViewTest::showView(&view, QSize(300, 200)));
  openContextMenu(&view);
  QVERIFY(view.contextMenu()->actions().isEmpty());
  QVERIFY(!view.contextMenu()->isVisible());
}

void TestPhImageView::keptDrawingMatchesPlainDrawing() {
  ImageFixture f;
  QRandomGenerator random(11);
  const int codes[] = {100, 200, 300, 500, -1};
  for (int i = 0; i < 400; ++i)
    f.add(i + 1, random.bounded(5) != 0, float(random.bounded(100.0)), float(random.bounded(50.0)),
          float(random.bounded(2.0) - 1.0), float(random.bounded(2.0) - 1.0),
          codes[random.bounded(5)]);
  f.setFrame(0, 0, 100, 50);
  PhImageView view;
  ViewTest::varyTypes(view, 5);
  view.setShowBlunders(true);
  view.setShowPointIds(true);
  view.setShowLinkCount(true);
  view.setResidualsOn(VM_Graphical, true);
  view.setResidualScale(20);
  prepare(view, f);
  view.slotZoom(250);
  view.setContentsPos(130, 70);
  const QImage kept = ViewTest::render(&view);
  view.setFastDrawing(false);
  const QImage plain = ViewTest::render(&view);
  QCOMPARE(kept, plain);
}

void TestPhImageView::interruptedDragLeavesNoBand_data() {
  QTest::addColumn<QString>("interruption");
  for (const char *way : {"right press", "Escape", "mode switch", "image switch"}) QTest::newRow(way) << way;
}

// A zoom drag that ends without its release takes its band from the screen,
// and the next drag draws no pieces of the old one.
void TestPhImageView::interruptedDragLeavesNoBand() {
  QFETCH(QString, interruption);
  ImageFixture f;
  f.setFrame(0, 0, 100, 50);
  f.add(1, true, 20, 20);
  PhImageView view;
  prepare(view, f);
  QWidget *viewport = view.viewport();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(100, 80));
  QTest::mouseMove(viewport, QPoint(250, 200));
  QTest::mouseMove(viewport, QPoint(300, 260));
  QVERIFY(view.rubberBand().isValid());
  auto darkOnTopEdge = [&view] {
    const QImage screen = ViewTest::screen(&view);
    int n = 0;
    for (int x = 100; x <= 300; ++x) n += qGray(screen.pixel(x, 80)) < 64;
    return n;
  };
  QVERIFY(darkOnTopEdge() >= 20);
  if (interruption == QLatin1String("right press")) {
    ViewTest::pressRightDuringDrag(&view, QPoint(300, 260));
  } else if (interruption == QLatin1String("Escape")) {
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Escape);
  } else if (interruption == QLatin1String("mode switch")) {
    view.slotSetMode(PhZoomView::MODE_Scroll);
    view.slotSetMode(PhZoomView::MODE_Zoom);
  } else {
    view.setImage(f.image);
  }
  QVERIFY(!view.isDragging());
  QVERIFY(!view.rubberBand().isValid());
  QCOMPARE(darkOnTopEdge(), 0);
  QCOMPARE(ViewTest::screen(&view), ViewTest::render(&view));

  // The release that comes late does nothing; a new drag shows its own band only.
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(300, 260));
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
  QTest::mouseMove(viewport, QPoint(200, 190));
  QCOMPARE(view.rubberBand(), QRect(QPoint(150, 150), QPoint(200, 190)));
  QCOMPARE(ViewTest::screen(&view), ViewTest::render(&view));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(200, 190));
}

// A point selected in object space sits on the mark disc in every image
// view, at once; without a selection the drawing is the plain one.
void TestPhImageView::pointsSelectedInObjectSpaceAreMarked() {
  ImageFixture f;
  f.add(1, true, 30, 25);
  f.add(2, true, 70, 25);
  f.add(3, true, 50, 10, 0, 0, -1);  // lonely: no object point
  f.setFrame(0, 0, 100, 50);
  PhObjectList objects;
  for (int id : {1, 2}) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(100);
    objects.append(point);
  }
  PhImageView plain;
  prepare(plain, f);
  PhImageView view;
  view.setMarkColor(QColor(Qt::yellow));
  prepare(view, f);
  view.setObjectList(&objects);
  QCOMPARE(ViewTest::screen(&view), ViewTest::render(&plain));

  objects.selection().selectIndices({1}, false);
  const QImage marked = ViewTest::screen(&view);
  QCOMPARE(marked, ViewTest::render(&view));
  // Size 7 plus twice the mark size 2: the disc's rim shows outside the symbol.
  QCOMPARE(ViewTest::at(marked, &view, pixelOf(70, 25) + QPoint(-5, 0)), QColor(Qt::yellow));
  QCOMPARE(ViewTest::at(marked, &view, pixelOf(70, 25)), Blue);
  QCOMPARE(ViewTest::at(marked, &view, pixelOf(30, 25) + QPoint(-5, 0)), White);

  objects.deselectAll();
  QCOMPARE(ViewTest::screen(&view), ViewTest::render(&plain));
  // The list goes first: the view lets go and still paints its image.
  objects.selection().selectIndices({0}, false);
  objects.clear();
  QCOMPARE(ViewTest::render(&view), ViewTest::render(&plain));
}

TESSELLA_TEST_MAIN(TestPhImageView)
#include "tst_phimageview.moc"
