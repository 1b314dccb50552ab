// Selecting in the object view: searches in every mode, the points of an
// image, deselecting, selection by dragging (refused, interrupted), and the
// other views of the same list showing what one of them selected.

#include <QtTest>

#include <algorithm>

#include "messagecapture.h"
#include "objectviewfixture.h"
#include "tessellatest.h"
#include "viewtestutil.h"

using namespace ObjectViewTest;

class TestPhObjectSelection : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void selectPoints_data();
  void selectPoints();
  void selectImagePoints();
  void deselectPoints();
  void selectionDrag();
  void smallSelectionBandRefused();
  void interruptedSelectionSelectsNothing_data();
  void interruptedSelectionSelectsNothing();
  void selectionMadeElsewhereShows();
  void selectionByBandRepaintsTheOtherViews();
};

void TestPhObjectSelection::selectPoints_data() {
  QTest::addColumn<QString>("pre");  // "<search mode>:<id>" selected first
  QTest::addColumn<int>("selection");
  QTest::addColumn<int>("search");
  QTest::addColumn<QString>("s1");
  QTest::addColumn<QString>("s2");
  QTest::addColumn<bool>("pattern");
  QTest::addColumn<QList<int>>("selected");
  QTest::addColumn<QList<int>>("imageSet");
  QTest::addColumn<QString>("warning");
  const int erase = PhGlobal::SEL_EraseExisting;
  const int add = PhGlobal::SEL_AddToExisting;
  QTest::addRow("point ID, no bounds: every ID from 0")
      << "" << erase << 0 << "" << "" << false << QList<int>{1, 2, 15, 123} << QList<int>{} << "";
  QTest::addRow("point ID within") << "" << erase << 0 << "2" << "20" << false << QList<int>{2, 15}
                                   << QList<int>{} << "";
  QTest::addRow("point ID up to") << "" << erase << 0 << "" << "10" << false << QList<int>{1, 2}
                                  << QList<int>{} << "";
  QTest::addRow("pattern 1*") << "" << erase << 0 << "1*" << "" << true << QList<int>{1, 15, 123}
                              << QList<int>{} << "";
  QTest::addRow("pattern ?") << "" << erase << 0 << "?" << "" << true << QList<int>{1, 2}
                             << QList<int>{} << "";
  QTest::addRow("pattern 1?") << "" << erase << 0 << "1?" << "" << true << QList<int>{15}
                              << QList<int>{} << "";
  QTest::addRow("pattern *3") << "" << erase << 0 << "*3" << "" << true << QList<int>{123}
                              << QList<int>{} << "";
  QTest::addRow("image ID from 11") << "" << erase << 1 << "11" << "" << false
                                    << QList<int>{11, 12} << QList<int>{11, 12} << "";
  QTest::addRow("image ID pattern 1?") << "" << erase << 1 << "1?" << "" << true
                                       << QList<int>{10, 11, 12} << QList<int>{10, 11, 12} << "";
  QTest::addRow("links: counts and adjusted points")
      << "" << erase << 2 << "2" << "2" << false << QList<int>{1, 10, 11, 15}
      << QList<int>{10, 11} << "";
  QTest::addRow("residuals of codes above 100") << "" << erase << 3 << "0.4" << "1" << false
                                                << QList<int>{15} << QList<int>{} << "";
  QTest::addRow("sigmas of accepted points") << "" << erase << 4 << "0.05" << "0.2" << false
                                             << QList<int>{1} << QList<int>{} << "";
  QTest::addRow("blunders, and a centre without image")
      << "" << erase << 5 << "" << "" << false << QList<int>{2, 10, 123} << QList<int>{10}
      << "PhObjectView::selectPoints: no image for for imageID found!";
  QTest::addRow("point code 1000000") << "" << erase << 6 << "1000000" << "" << false
                                      << QList<int>{1} << QList<int>{} << "";
  QTest::addRow("point code 0100000") << "" << erase << 6 << "0100000" << "" << false
                                      << QList<int>{2} << QList<int>{} << "";
  QTest::addRow("point code, short mask") << "" << erase << 6 << "1" << "" << false
                                          << QList<int>{1} << QList<int>{} << "";
  QTest::addRow("add keeps the earlier selection") << "0:15" << add << 0 << "1" << "1" << false
                                                   << QList<int>{1, 15} << QList<int>{} << "";
  QTest::addRow("erase replaces it") << "0:15" << erase << 0 << "1" << "1" << false
                                     << QList<int>{1} << QList<int>{} << "";
  QTest::addRow("add keeps a selected centre") << "1:10" << add << 0 << "2" << "2" << false
                                               << QList<int>{2, 10} << QList<int>{10} << "";
  QTest::addRow("erase drops a selected centre") << "1:10" << erase << 0 << "2" << "2" << false
                                                 << QList<int>{2} << QList<int>{} << "";
  QTest::addRow("illegal search mode") << "0:15" << erase << 9 << "" << "" << false
                                       << QList<int>{15} << QList<int>{}
                                       << "Illegal Search-Mode (9)!";
  QTest::addRow("undecodable number") << "0:15" << erase << 0 << "abc" << "" << false
                                      << QList<int>{15} << QList<int>{}
                                      << "Can't decode number from 'abc'!";
}

void TestPhObjectSelection::selectPoints() {
  QFETCH(QString, pre);
  QFETCH(int, selection);
  QFETCH(int, search);
  QFETCH(QString, s1);
  QFETCH(QString, s2);
  QFETCH(bool, pattern);
  QFETCH(QList<int>, selected);
  QFETCH(QList<int>, imageSet);
  QFETCH(QString, warning);
  Fixture f;
  searchFixture(f);
  PhObjectView view(PhGlobal::PL_XY);
  view.setData(&f.objects, true);
  if (!pre.isEmpty()) {
    const QStringList parts = pre.split(QLatin1Char(':'));
    view.selectPoints(PhGlobal::SEL_EraseExisting, parts[0].toInt(), parts[1], parts[1], false);
  }
  MessageCapture messages;
  view.selectPoints(selection, search, s1, s2, pattern);
  QCOMPARE(selectedIds(f.objects), selected);
  QCOMPARE(f.objects.selectedCount(), int(selected.size()));
  QCOMPARE(imageSetIds(view), imageSet);
  QCOMPARE(messages.texts(Nub::MsgWarn), warning.isEmpty() ? QStringList() : QStringList{warning});
}

void TestPhObjectSelection::selectImagePoints() {
  Fixture f;
  searchFixture(f);
  PhObjectView view(PhGlobal::PL_XY);
  view.setData(&f.objects, true);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("123"),
                    QStringLiteral("123"), false);
  view.selectImagePoints(PhImageList::image(11), false);
  QCOMPARE(selectedIds(f.objects), (QList<int>{1, 11, 15, 123}));
  QCOMPARE(imageSetIds(view), QList<int>{11});
  view.selectImagePoints(PhImageList::image(10), true);
  QCOMPARE(selectedIds(f.objects), (QList<int>{1, 2, 10, 15}));
  QCOMPARE(f.objects.selectedCount(), 4);
  QCOMPARE(imageSetIds(view), QList<int>{10});
  view.selectImagePoints(nullptr, true);
  QCOMPARE(f.objects.selectedCount(), 4);
}

void TestPhObjectSelection::deselectPoints() {
  Fixture f;
  searchFixture(f);
  PhObjectView view(PhGlobal::PL_XY);
  view.setData(&f.objects, true);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_Links, QString(), QString(),
                    false);
  QVERIFY(f.objects.selectedCount() > 0);
  view.slotDeselectPoints();
  QCOMPARE(selectedIds(f.objects), QList<int>{});
  QCOMPARE(f.objects.selectedCount(), 0);
  QVERIFY(view.imageSet().isEmpty());
}

void TestPhObjectSelection::selectionDrag() {
  Fixture f;
  searchFixture(f);
  f.add(9001, 100, 0, 0, 0);
  f.add(9002, 100, 100, 50, 0);
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f);
  view.slotSetMode(2);
  QCOMPARE(view.mode(), 2);
  auto around = [&](double x0, double x1, double y0, double y1) {
    return QList<QPoint>{view.contentsToViewport(pixelOf(x0, y1) - QPoint(5, 5)),
                         view.contentsToViewport(pixelOf((x0 + x1) / 2, (y0 + y1) / 2)),
                         view.contentsToViewport(pixelOf(x1, y0) + QPoint(5, 5))};
  };
  // Points 1 and 2.
  ViewTest::drag(&view, around(10, 20, 10, 10));
  QCOMPARE(selectedIds(f.objects), (QList<int>{1, 2}));
  // A plain drag replaces the selection; projection centres enter the image set.
  ViewTest::drag(&view, around(50, 60, 40, 40));
  QCOMPARE(selectedIds(f.objects), (QList<int>{10, 11}));
  QCOMPARE(imageSetIds(view), (QList<int>{10, 11}));
  // With Control it adds.
  ViewTest::drag(&view, around(30, 40, 10, 10), Qt::ControlModifier);
  QCOMPARE(selectedIds(f.objects), (QList<int>{10, 11, 15, 123}));
  QCOMPARE(f.objects.selectedCount(), 4);
  QVERIFY(!view.rubberBand().isValid());
  // A plain drag over nothing clears it.
  ViewTest::drag(&view, around(80, 90, 20, 30));
  QCOMPARE(f.objects.selectedCount(), 0);
  QVERIFY(view.imageSet().isEmpty());
}

void TestPhObjectSelection::smallSelectionBandRefused() {
  Fixture f;
  searchFixture(f);
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("2"),
                    QStringLiteral("2"), false);
  view.slotSetMode(2);
  MessageCapture messages;
  const QPoint p = view.contentsToViewport(view.toContents(10, 10));
  ViewTest::drag(&view, {p - QPoint(5, 5), p + QPoint(5, 5)});
  QCOMPARE(messages.texts(Nub::MsgNote),
           (QStringList{QStringLiteral("The selection-rect you specified is to small (min 20 pixel)!"),
                        QStringLiteral("Ignoring zoom.")}));
  QCOMPARE(selectedIds(f.objects), QList<int>{2});
  QCOMPARE(view.zoom(), 100);
}

void TestPhObjectSelection::interruptedSelectionSelectsNothing_data() {
  QTest::addColumn<QString>("interruption");
  for (const char *way : {"right press", "Escape", "mode switch", "new data"}) QTest::newRow(way) << way;
}

// A selection drag that ends without its release selects nothing and leaves
// no band on the screen.
void TestPhObjectSelection::interruptedSelectionSelectsNothing() {
  QFETCH(QString, interruption);
  Fixture f;
  searchFixture(f);
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f);
  view.slotSetMode(2);
  QWidget *viewport = view.viewport();
  const QPoint from = view.contentsToViewport(pixelOf(10, 10) - QPoint(5, 5));
  const QPoint to = view.contentsToViewport(pixelOf(20, 10) + QPoint(5, 5));
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(viewport, (from + to) / 2);
  QTest::mouseMove(viewport, to);
  QVERIFY(view.rubberBand().isValid());
  if (interruption == QLatin1String("right press")) {
    ViewTest::pressRightDuringDrag(&view, to);
  } else if (interruption == QLatin1String("Escape")) {
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Escape);
  } else if (interruption == QLatin1String("mode switch")) {
    view.slotSetMode(0);
    view.slotSetMode(2);
  } else {
    view.setData(&f.objects, true);
  }
  QVERIFY(!view.isDragging());
  QVERIFY(!view.rubberBand().isValid());
  QCOMPARE(ViewTest::screen(&view), ViewTest::render(&view));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
  QCOMPARE(f.objects.selectedCount(), 0);
}

void TestPhObjectSelection::selectionMadeElsewhereShows() {
  Fixture f;
  f.addCorners();
  f.add(1, 100, 50, 25, 10);
  f.add(10, 900, 80, 25, 10);
  f.image(10, 80, 25, 10)->addPoint(1, true, 0, 0, 0, 0, 1);
  PhObjectView xy(PhGlobal::PL_XY);
  PhObjectView xz(PhGlobal::PL_XZ);
  prepare(xy, f);
  prepare(xz, f);
  xz.setShowConnections(true);
  ViewTest::render(&xz);
  xy.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_Links, QStringLiteral("1"),
                  QStringLiteral("1"), false);
  QCOMPARE(selectedIds(f.objects), (QList<int>{1, 10}));
  const QImage image = ViewTest::render(&xz);
  const QPoint p = xz.toContents(50, 10);
  QCOMPARE(ViewTest::at(image, &xz, p + QPoint(-5, 0)), Yellow);
  // The other view's projection centres get their lines too.
  QCOMPARE(imageSetIds(xz), QList<int>{10});
  QCOMPARE(ViewTest::at(image, &xz, p + QPoint(30, 0)), Blue);
}

void TestPhObjectSelection::selectionByBandRepaintsTheOtherViews() {
  Fixture f;
  searchFixture(f);
  f.add(9001, 100, 0, 0, 0);
  f.add(9002, 100, 100, 50, 0);
  PhObjectView xy(PhGlobal::PL_XY);
  PhObjectView xz(PhGlobal::PL_XZ);
  prepare(xy, f);
  prepare(xz, f);
  const QPoint mark = xz.toContents(10, 0) + QPoint(-5, 0);
  QCOMPARE(ViewTest::at(ViewTest::screen(&xz), &xz, mark), White);
  xy.slotSetMode(2);
  ViewTest::drag(&xy, {xy.contentsToViewport(pixelOf(10, 10) - QPoint(5, 5)),
                       xy.contentsToViewport(pixelOf(15, 10)),
                       xy.contentsToViewport(pixelOf(20, 10) + QPoint(5, 5))});
  QCOMPARE(selectedIds(f.objects), (QList<int>{1, 2}));
  // On screen, without anything else asking the other view to repaint.
  QCOMPARE(ViewTest::at(ViewTest::screen(&xz), &xz, mark), Yellow);
}

TESSELLA_TEST_MAIN(TestPhObjectSelection)
#include "tst_phobjectselection.moc"
