// The rubber band of zoom and selection drags without a view: the band in
// every direction, the strips each step repaints, the release, and a drag
// that ends without its release.

#include <QtTest>

#include "phbandtool.h"
#include "tessellatest.h"

namespace {

// Whether the strips cover every pixel of the rectangle's outline.
bool outlineCovered(const QList<QRect> &strips, const QRect &r) {
  auto covered = [&](int x, int y) {
    for (const QRect &s : strips)
      if (s.contains(x, y)) return true;
    return false;
  };
  for (int x = r.left(); x <= r.right(); ++x)
    if (!covered(x, r.top()) || !covered(x, r.bottom())) return false;
  for (int y = r.top(); y <= r.bottom(); ++y)
    if (!covered(r.left(), y) || !covered(r.right(), y)) return false;
  return true;
}

// The pixels from one corner to the other, both included.
QRect corners(const QPoint &a, const QPoint &b) {
  return QRect(QPoint(qMin(a.x(), b.x()), qMin(a.y(), b.y())), QPoint(qMax(a.x(), b.x()), qMax(a.y(), b.y())));
}

}  // namespace

class TestPhBandTool : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void bandInEveryDirection_data();
  void bandInEveryDirection();
  void releaseHandsOverTheBand();
  void interruptedDragLeavesNoBand();
  void dragWithoutPressDoesNothing();
};

void TestPhBandTool::bandInEveryDirection_data() {
  QTest::addColumn<QPoint>("to");
  QTest::addColumn<QPoint>("then");
  QTest::addRow("down right, growing") << QPoint(150, 130) << QPoint(180, 160);
  QTest::addRow("up left, growing") << QPoint(60, 70) << QPoint(30, 40);
  QTest::addRow("down right, shrinking") << QPoint(180, 160) << QPoint(120, 110);
  QTest::addRow("across the anchor") << QPoint(150, 130) << QPoint(50, 60);
  QTest::addRow("up right") << QPoint(150, 40) << QPoint(170, 20);
}

void TestPhBandTool::bandInEveryDirection() {
  QFETCH(QPoint, to);
  QFETCH(QPoint, then);
  const QPoint anchor(100, 100);
  PhBandTool tool;
  tool.press(anchor);
  QVERIFY(tool.isActive());
  QVERIFY(!tool.band().isValid());
  const QList<QRect> first = tool.drag(to);
  const QRect before = tool.band();
  QCOMPARE(before, corners(anchor, to));
  QVERIFY(outlineCovered(first, before));
  const QList<QRect> second = tool.drag(then);
  const QRect after = tool.band();
  QCOMPARE(after, corners(anchor, then));
  // One step repaints the old outline away and the new one in.
  QVERIFY(outlineCovered(second, before));
  QVERIFY(outlineCovered(second, after));
}

void TestPhBandTool::releaseHandsOverTheBand() {
  PhBandTool tool;
  tool.press(QPoint(10, 20));
  tool.drag(QPoint(40, 25));
  QCOMPARE(tool.shownArea(), QRect(QPoint(9, 19), QPoint(41, 26)));
  QCOMPARE(tool.release(), QRect(QPoint(10, 20), QPoint(40, 25)));
  QVERIFY(!tool.isActive());
  QVERIFY(!tool.band().isValid());
  QVERIFY(!tool.shownArea().isValid());
  // A press and release without a move has no band to hand over.
  tool.press(QPoint(10, 20));
  QVERIFY(!tool.release().isValid());
}

void TestPhBandTool::interruptedDragLeavesNoBand() {
  PhBandTool tool;
  tool.press(QPoint(100, 100));
  tool.drag(QPoint(200, 150));
  // The release never comes: the band goes and its area is repainted.
  QCOMPARE(tool.cancel(), QRect(QPoint(99, 99), QPoint(201, 151)));
  QVERIFY(!tool.isActive());
  QVERIFY(!tool.band().isValid());
  QVERIFY(!tool.cancel().isValid());
  // The next drag starts afresh from its own anchor: its first strips span
  // only the new anchor and pointer, nothing of the old drag.
  tool.press(QPoint(10, 10));
  const QList<QRect> strips = tool.drag(QPoint(20, 30));
  QCOMPARE(tool.band(), QRect(QPoint(10, 10), QPoint(20, 30)));
  for (const QRect &strip : strips) QVERIFY(QRect(QPoint(10, 10), QPoint(20, 30)).contains(strip));
}

void TestPhBandTool::dragWithoutPressDoesNothing() {
  PhBandTool tool;
  QVERIFY(tool.drag(QPoint(5, 5)).isEmpty());
  QVERIFY(!tool.band().isValid());
  QVERIFY(!tool.release().isValid());
}

TESSELLA_TEST_MAIN(TestPhBandTool)

#include "tst_phbandtool.moc"
