// The scroll drag without a view: the contents follow the hand, and a drag
// that ends without its release scrolls no further.

#include <QtTest>

#include "phpantool.h"
#include "tessellatest.h"

class TestPhPanTool : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void followsTheHand();
  void interruptedDragScrollsNoFurther();
};

void TestPhPanTool::followsTheHand() {
  PhPanTool tool;
  QCOMPARE(tool.drag(QPoint(10, 10)), QPoint());
  tool.press(QPoint(100, 100));
  QVERIFY(tool.isActive());
  // The hand moves left and up: the contents scroll right and down.
  QCOMPARE(tool.drag(QPoint(90, 80)), QPoint(10, 20));
  // Each step counts from the last, not from the press.
  QCOMPARE(tool.drag(QPoint(95, 80)), QPoint(-5, 0));
  QCOMPARE(tool.drag(QPoint(95, 80)), QPoint(0, 0));
}

void TestPhPanTool::interruptedDragScrollsNoFurther() {
  PhPanTool tool;
  tool.press(QPoint(100, 100));
  tool.drag(QPoint(50, 50));
  tool.cancel();
  QVERIFY(!tool.isActive());
  QCOMPARE(tool.drag(QPoint(0, 0)), QPoint());
  // A new press counts from its own position.
  tool.press(QPoint(10, 10));
  QCOMPARE(tool.drag(QPoint(15, 12)), QPoint(-5, -2));
}

TESSELLA_TEST_MAIN(TestPhPanTool)

#include "tst_phpantool.moc"
