// The object view: its plane transform, the drawing of points, selection
// marks, blunders, labels, residual vectors, sigma ellipses and connection
// lines read back from rendered pixels; the context menu; and the kept,
// indexed drawing against the plain one.

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "messagecapture.h"
#include "phround.h"
#include "uxcfg.h"
#include "tessellatest.h"
#include "viewtestutil.h"
#include "objectviewfixture.h"

using namespace ObjectViewTest;

class TestPhObjectView : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void planeTransform_data();
  void planeTransform();
  void zeroExtentsDrawWithoutFailing();
  void selectionMarkAndBlunderDisc_data();
  void selectionMarkAndBlunderDisc();
  void labelsOnlyForSelectedPoints();
  void residualVectorRules_data();
  void residualVectorRules();
  void farVectorKeepsItsDirection();
  void sigmaEllipse();
  void largeSigmaEllipse();
  void textsExcludeEachOther_data();
  void textsExcludeEachOther();
  void sigmaTogglesNeedSigmas();
  void connectionLines();
  void contextMenuItems();
  void contextMenuDispatch();
  void pointPreferences();
  void keptIndexedDrawingMatchesPlainDrawing_data();
  void keptIndexedDrawingMatchesPlainDrawing();
  void scrolledDrawingMatchesPlainDrawing();
  void buriedPointsLeftOutChangeNoPixel_data();
  void buriedPointsLeftOutChangeNoPixel();
};

void TestPhObjectView::planeTransform_data() {
  QTest::addColumn<int>("plane");
  QTest::addColumn<QPoint>("pixel");
  QTest::addColumn<QSize>("contents");
  // Points (0,0,0), (100,50,20) and (40,10,5); the last one is placed.
  QTest::addRow("XY") << int(PhGlobal::PL_XY) << QPoint(240, 240) << QSize(580, 330);
  QTest::addRow("XZ") << int(PhGlobal::PL_XZ) << QPoint(240, 115) << QSize(580, 180);
  QTest::addRow("YZ") << int(PhGlobal::PL_YZ) << QPoint(140, 190) << QSize(580, 280);
}

void TestPhObjectView::planeTransform() {
  QFETCH(int, plane);
  QFETCH(QPoint, pixel);
  QFETCH(QSize, contents);
  Fixture f;
  f.addCorners();
  f.add(1, 100, 40, 10, 5);
  PhObjectView view(plane);
  prepare(view, f);
  QCOMPARE(QSize(view.contentsWidth(), view.contentsHeight()), contents);
  QCOMPARE(view.toContents(plane == PhGlobal::PL_YZ ? 10 : 40, plane == PhGlobal::PL_XY ? 10 : 5),
           pixel);
  const QImage image = ViewTest::render(&view);
  QCOMPARE(ViewTest::at(image, &view, pixel), Blue);
}

void TestPhObjectView::zeroExtentsDrawWithoutFailing() {
  {
    Fixture f;
    f.add(1, 100, 7, 8, 9);
    PhObjectView view(PhGlobal::PL_XY);
    prepare(view, f);
    QCOMPARE(view.contentsWidth(), 80);
    QCOMPARE(view.contentsHeight(), 80);
    QVERIFY(std::isfinite(view.scale()));
    view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QString(), QString(),
                      false);
    view.setResidualsOn(VM_Graphical, true);
    view.setSigmasOn(VM_Graphical, true);
    view.slotZoom(1000);
    QCOMPARE(ViewTest::at(ViewTest::render(&view), &view, 40, 40), Blue);
  }
  {
    // All points on one line of the plane.
    Fixture f;
    f.add(1, 100, 0, 5, 0);
    f.add(2, 100, 10, 5, 0);
    PhObjectView view(PhGlobal::PL_XY);
    prepare(view, f);
    QCOMPARE(view.contentsWidth(), 580);
    QCOMPARE(view.contentsHeight(), 80);
    const QImage image = ViewTest::render(&view);
    QCOMPARE(ViewTest::at(image, &view, 40, 40), Blue);
    QCOMPARE(ViewTest::at(image, &view, 540, 40), Blue);
  }
}

void TestPhObjectView::selectionMarkAndBlunderDisc_data() {
  QTest::addColumn<bool>("selected");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<bool>("blundersShown");
  // Colours at 5, 7 and 8 pixels left of the centre.
  QTest::addColumn<QColor>("at5");
  QTest::addColumn<QColor>("at7");
  QTest::addColumn<QColor>("at8");
  QTest::addColumn<QColor>("symbol");
  QTest::addRow("plain") << false << true << false << White << White << White << Blue;
  QTest::addRow("selected: mark disc of 7 + 2 x 2")
      << true << true << false << Yellow << White << White << Blue;
  QTest::addRow("blunder shown") << false << false << true << Red << White << White << Blue;
  QTest::addRow("selected blunder: both discs add up")
      << true << false << true << Red << Yellow << White << Blue;
  QTest::addRow("blunder hidden, even when selected")
      << true << false << false << White << White << White << White;
}

void TestPhObjectView::selectionMarkAndBlunderDisc() {
  QFETCH(bool, selected);
  QFETCH(bool, accepted);
  QFETCH(bool, blundersShown);
  QFETCH(QColor, at5);
  QFETCH(QColor, at7);
  QFETCH(QColor, at8);
  QFETCH(QColor, symbol);
  Fixture f;
  f.addCorners();
  f.add(1, 100, 50, 25, 0, accepted);
  PhObjectView view(PhGlobal::PL_XY);
  view.setShowBlunders(blundersShown);
  prepare(view, f);
  if (selected)
    view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("1"),
                      QStringLiteral("1"), false);
  const QImage image = ViewTest::render(&view);
  const QPoint p = pixelOf(50, 25);
  QCOMPARE(ViewTest::at(image, &view, p), symbol);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-5, 0)), at5);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-7, 0)), at7);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-8, 0)), at8);
}

void TestPhObjectView::labelsOnlyForSelectedPoints() {
  Fixture f;
  f.addCorners();
  f.add(77, 100, 30, 25, 0);
  f.add(10, 900, 70, 25, 0);
  f.image(10, 70, 25, 0);
  PhObjectView view(PhGlobal::PL_XY);
  view.setPointColor(4, Blue);
  view.setShowPointIds(true);
  view.setShowImageIds(true);
  prepare(view, f);
  const QFontMetrics metrics(ViewTest::testFont());
  auto labelArea = [&](double x) {
    const QPoint p = pixelOf(x, 25);
    // Right of the mark disc, over the ID's baseline.
    return QRect(p.x() + 7, p.y() + metrics.descent() + 1 - metrics.ascent(), 40, metrics.ascent());
  };
  QImage image = ViewTest::render(&view);
  QCOMPARE(inkIn(image, &view, labelArea(30)), 0);
  QCOMPARE(inkIn(image, &view, labelArea(70)), 0);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_Links, QString(), QString(),
                    false);
  image = ViewTest::render(&view);
  QVERIFY(inkIn(image, &view, labelArea(30)) > 0);
  QVERIFY(inkIn(image, &view, labelArea(70)) > 0);
  // A projection centre shows its image ID only with image IDs on.
  view.setShowImageIds(false);
  image = ViewTest::render(&view);
  QCOMPARE(inkIn(image, &view, labelArea(70)), 0);
  QVERIFY(inkIn(image, &view, labelArea(30)) > 0);
}

void TestPhObjectView::residualVectorRules_data() {
  QTest::addColumn<bool>("acceptedX");
  QTest::addColumn<bool>("acceptedY");
  QTest::addColumn<bool>("observedX");
  QTest::addColumn<bool>("observedY");
  // Colours at the whole vector's end, the end of its X part and of its Y part.
  QTest::addColumn<QColor>("end");
  QTest::addColumn<QColor>("endX");
  QTest::addColumn<QColor>("endY");
  QTest::addRow("none rejected") << true << true << true << true << Blue << White << White;
  QTest::addRow("both rejected") << false << false << true << true << Red << White << White;
  QTest::addRow("X rejected, observed") << false << true << true << true << Red << White << Blue;
  QTest::addRow("X rejected, not observed")
      << false << true << false << true << White << White << Blue;
  QTest::addRow("Y rejected, observed") << true << false << true << true << Red << Blue << White;
  QTest::addRow("Y rejected, not observed")
      << true << false << true << false << White << Blue << White;
}

void TestPhObjectView::residualVectorRules() {
  QFETCH(bool, acceptedX);
  QFETCH(bool, acceptedY);
  QFETCH(bool, observedX);
  QFETCH(bool, observedY);
  QFETCH(QColor, end);
  QFETCH(QColor, endX);
  QFETCH(QColor, endY);
  Fixture f;
  f.addCorners();
  PhObjectPoint *point = f.add(1, 500, 50, 25, 0);
  point->setObservedAxis(0, observedX ? 50.0 : PhObjectPoint::NotObserved, 4.0f, 0.1f, acceptedX);
  point->setObservedAxis(1, observedY ? 25.0 : PhObjectPoint::NotObserved, 3.0f, 0.1f, acceptedY);
  PhObjectView view(PhGlobal::PL_XY);
  view.setPointColor(3, Blue);
  view.setResidualsOn(VM_Graphical, true);
  view.setResidualScale(2);  // 2 x 5 pixels a unit: the vector is (40, -30)
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("1"),
                    QStringLiteral("1"), false);
  const QImage image = ViewTest::render(&view);
  const QPoint p = pixelOf(50, 25);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(36, -27)), end);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(36, 0)), endX);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(0, -27)), endY);
}

void TestPhObjectView::farVectorKeepsItsDirection() {
  Fixture f;
  f.addCorners();
  PhObjectPoint *point = f.add(1, 500, 50, 25, 0);
  point->setObservedAxis(0, 50.0, 1.0f, 0.1f, true);
  point->setObservedAxis(1, 25.0, 1.0f, 0.1f, true);
  PhObjectView view(PhGlobal::PL_XY);
  view.setPointColor(3, Blue);
  view.setResidualsOn(VM_Graphical, true);
  view.setResidualScale(1000);
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("1"),
                    QStringLiteral("1"), false);
  // 10^7 %: the vector's end lies some 5 x 10^8 pixels away, up and right.
  view.slotZoom(10000000);
  const QPoint p = view.toContents(50, 25);
  view.setContentsPos(p.x() - 300, p.y() - 200);
  QCOMPARE(view.contentsX(), p.x() - 300);
  const QImage image = ViewTest::render(&view);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(150, -150)), Blue);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(150, 150)), White);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(-150, -150)), White);
}

void TestPhObjectView::sigmaEllipse() {
  Fixture f;
  f.addCorners();
  PhObjectPoint *point = f.add(1, 100, 50, 25, 0);
  point->setAdjustedValues(50, 25, 0, 8.0f, 4.0f, 1.0f);
  PhObjectView view(PhGlobal::PL_XY);
  view.setSigmasOn(VM_Graphical, true);
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("1"),
                    QStringLiteral("1"), false);
  // 40 x 20 pixels, its box starting 20 left and 10 up of the point.
  const QImage image = ViewTest::render(&view);
  const QPoint p = pixelOf(50, 25);
  QVERIFY(inkIn(image, &view, QRect(p.x() - 20, p.y() - 2, 1, 4)) > 0);
  QVERIFY(inkIn(image, &view, QRect(p.x() + 19, p.y() - 2, 1, 4)) > 0);
  QVERIFY(inkIn(image, &view, QRect(p.x() - 2, p.y() - 10, 4, 1)) > 0);
  QCOMPARE(inkIn(image, &view, QRect(p.x() - 24, p.y() - 12, 3, 24)), 0);
  QCOMPARE(inkIn(image, &view, QRect(p.x() - 15, p.y() - 5, 6, 10)), 0);
}

void TestPhObjectView::largeSigmaEllipse() {
  Fixture f;
  f.addCorners();
  PhObjectPoint *point = f.add(1, 100, 50, 25, 0);
  point->setAdjustedValues(50, 25, 0, 8.0f, 4.0f, 1.0f);
  PhObjectView view(PhGlobal::PL_XY);
  view.setSigmasOn(VM_Graphical, true);
  view.setResidualScale(3);
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("1"),
                    QStringLiteral("1"), false);
  // 10000 %: 500 pixels a unit; the ellipse is 12000 x 6000 pixels.
  view.slotZoom(10000);
  const QPoint p = view.toContents(50, 25);
  const QPoint left = p - QPoint(6000, 0);
  view.setContentsPos(left.x() - 300, left.y() - 200);
  const QImage image = ViewTest::render(&view);
  QVERIFY(inkIn(image, &view, QRect(left.x() - 1, left.y() - 3, 3, 6)) > 0);
  QCOMPARE(inkIn(image, &view, QRect(left.x() - 20, left.y() - 100, 15, 200)), 0);
  QCOMPARE(inkIn(image, &view, QRect(left.x() + 20, left.y() - 50, 100, 100)), 0);
}

void TestPhObjectView::textsExcludeEachOther_data() {
  QTest::addColumn<QStringList>("toggles");
  QTest::addColumn<bool>("residualText");
  QTest::addColumn<bool>("sigmaText");
  QTest::addColumn<bool>("residualLines");
  QTest::addColumn<bool>("sigmaEllipses");
  QTest::addRow("residual text, then sigma text") << QStringList{"rt", "st"} << false << true
                                                  << false << false;
  QTest::addRow("sigma text, then residual text") << QStringList{"st", "rt"} << true << false
                                                  << false << false;
  QTest::addRow("residual text twice") << QStringList{"rt", "rt"} << false << false << false
                                       << false;
  QTest::addRow("graphics stay beside texts") << QStringList{"rg", "sg", "rt", "st"} << false
                                              << true << true << true;
}

void TestPhObjectView::textsExcludeEachOther() {
  QFETCH(QStringList, toggles);
  QFETCH(bool, residualText);
  QFETCH(bool, sigmaText);
  QFETCH(bool, residualLines);
  QFETCH(bool, sigmaEllipses);
  Fixture f;
  f.addCorners();
  PhObjectView view(PhGlobal::PL_XY);
  view.setData(&f.objects, true);
  for (const QString &t : toggles) {
    const ViewModeE mode = t.endsWith(QLatin1Char('t')) ? VM_Textual : VM_Graphical;
    if (t.startsWith(QLatin1Char('r')))
      view.slotToggleResiduals(mode);
    else
      view.slotToggleSigmas(mode);
    QVERIFY(!(view.hasResidualsOn(VM_Textual) && view.hasSigmasOn(VM_Textual)));
  }
  QCOMPARE(view.hasResidualsOn(VM_Textual), residualText);
  QCOMPARE(view.hasSigmasOn(VM_Textual), sigmaText);
  QCOMPARE(view.hasResidualsOn(VM_Graphical), residualLines);
  QCOMPARE(view.hasSigmasOn(VM_Graphical), sigmaEllipses);
  // The setters keep the rule too.
  view.setResidualsOn(VM_Textual, true);
  QVERIFY(!view.hasSigmasOn(VM_Textual));
  view.setSigmasOn(VM_Textual, true);
  QVERIFY(!view.hasResidualsOn(VM_Textual));
}

void TestPhObjectView::sigmaTogglesNeedSigmas() {
  Fixture f;
  f.addCorners();
  PhObjectView view(PhGlobal::PL_XY);
  view.setData(&f.objects, false);
  MessageCapture messages;
  view.slotToggleSigmas(VM_Graphical);
  view.slotToggleSigmas(VM_Textual);
  QVERIFY(!view.hasSigmasOn(VM_Graphical));
  QVERIFY(!view.hasSigmasOn(VM_Textual));
  QCOMPARE(messages.texts(Nub::MsgWarn),
           QStringList(2, QStringLiteral("No inversion: sigmas were not computed!")));
}

void TestPhObjectView::connectionLines() {
  Fixture f;
  f.addCorners();
  f.add(1, 100, 20, 25, 0);
  f.add(10, 900, 80, 25, 0);  // straight right of point 1
  f.add(11, 900, 20, 45, 0);  // straight above it
  f.image(10, 80, 25, 0)->addPoint(1, true, 0, 0, 0, 0, 1);
  PhImage *i11 = f.image(11, 20, 45, 0);
  i11->addPoint(1, false, 0, 0, 0, 0, 1);
  i11->addPoint(2, true, 0, 0, 0, 0, 1);
  PhObjectView view(PhGlobal::PL_XY);
  view.setPointColor(4, Magenta);
  view.setShowConnections(true);
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_Links, QStringLiteral("1"),
                    QString(), false);
  QCOMPARE(selectedIds(f.objects), (QList<int>{1, 10, 11}));
  QCOMPARE(imageSetIds(view), (QList<int>{10, 11}));
  const QPoint p = pixelOf(20, 25);
  QImage image = ViewTest::render(&view);
  // Towards image 10 in the point's colour, towards image 11 (where the
  // point is eliminated) in the blunder colour.
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(150, 0)), Blue);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(0, -50)), Red);

  // A dashed line leaves gaps.
  view.setLinkLineType(1);
  view.updateContents();
  image = ViewTest::render(&view);
  int gaps = 0;
  for (int x = 20; x < 250; ++x) gaps += ViewTest::at(image, &view, p + QPoint(x, 0)) == White;
  QVERIFY(gaps > 20);

  // Deselecting the projection centre removes its lines.
  view.setLinkLineType(0);
  view.selectImagePoints(PhImageList::image(11), true);
  QCOMPARE(selectedIds(f.objects), (QList<int>{1, 11}));
  QCOMPARE(imageSetIds(view), QList<int>{11});
  image = ViewTest::render(&view);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(150, 0)), White);
  QCOMPARE(ViewTest::at(image, &view, p + QPoint(0, -50)), Red);
}

void TestPhObjectView::contextMenuItems() {
  Fixture f;
  searchFixture(f);
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f);
  openContextMenu(&view);
  QMenu *menu = view.contextMenu();
  QCOMPARE(texts(menu),
           (QStringList{"Show Point-IDs", "Show Image-IDs", "Show Number of Links", "Show Blunders",
                        "&Residuals", "&Sigmas", "-", "Show Connections"}));
  QCOMPARE(texts(menu->actions().at(4)->menu()), (QStringList{"Show Graphical", "Show Textual"}));
  QCOMPARE(texts(menu->actions().at(5)->menu()), (QStringList{"Show Graphical", "Show Textual"}));
  const QList<int> ids{1, 2, 8, 3, 10};
  for (int id : ids) QVERIFY(actionWithId(menu, id));
  QCOMPARE(actionWithId(menu, 4)->text(), QStringLiteral("Show Graphical"));
  QCOMPARE(actionWithId(menu, 7)->text(), QStringLiteral("Show Textual"));
  menu->hide();

  view.slotZoom(150);
  view.setShowPointIds(true);
  view.setShowConnections(true);
  view.setSigmasOn(VM_Textual, true);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QString(), QString(),
                    false);
  openContextMenu(&view);
  QCOMPARE(texts(menu),
           (QStringList{"Zoom 100%", "-", "Hide Point-IDs", "Show Image-IDs",
                        "Show Number of Links", "Show Blunders", "&Residuals", "&Sigmas", "-",
                        "Hide Connections", "-", "Deselect all Points"}));
  QCOMPARE(texts(menu->actions().at(7)->menu()), (QStringList{"Show Graphical", "Hide Textual"}));
  QCOMPARE(actionWithId(menu, 9)->text(), QStringLiteral("Deselect all Points"));
  menu->hide();

  Fixture empty;
  PhObjectView none(PhGlobal::PL_XY);
  none.setData(&empty.objects, true);
  openContextMenu(&none);
  QVERIFY(none.contextMenu()->actions().isEmpty());
}

void TestPhObjectView::contextMenuDispatch() {
  Fixture f;
  searchFixture(f);
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QString(), QString(),
                    false);
  openContextMenu(&view);
  QMenu *menu = view.contextMenu();
  const struct {
    int id;
    std::function<bool()> state;
  } items[] = {
      {1, [&] { return view.hasPointIdsOn(); }},
      {2, [&] { return view.hasImageIdsOn(); }},
      {3, [&] { return view.hasBlundersOn(); }},
      {4, [&] { return view.hasResidualsOn(VM_Graphical); }},
      {5, [&] { return view.hasResidualsOn(VM_Textual); }},
      {6, [&] { return view.hasSigmasOn(VM_Graphical); }},
      {8, [&] { return view.hasLinkCountOn(); }},
      {10, [&] { return view.hasConnectionsOn(); }},
  };
  for (const auto &item : items) {
    QVERIFY(!item.state());
    actionWithId(menu, item.id)->trigger();
    QVERIFY2(item.state(), qPrintable(QString::number(item.id)));
  }
  actionWithId(menu, 7)->trigger();
  QVERIFY(view.hasSigmasOn(VM_Textual));
  QVERIFY(!view.hasResidualsOn(VM_Textual));
  actionWithId(menu, 9)->trigger();
  QCOMPARE(f.objects.selectedCount(), 0);
  menu->hide();
  MessageCapture messages;
  QMetaObject::invokeMethod(&view, "_slotHandleContextMenu", Q_ARG(int, 11));
  QCOMPARE(messages.texts(Nub::MsgWarn), QStringList{QStringLiteral("Invalid case: 11!")});
}

void TestPhObjectView::pointPreferences() {
  Ux::Cfg::clear();
  Ux::Cfg points(QStringLiteral("Points"));
  points.writeEntry(QStringLiteral("PointOn_2"), 0);
  points.writeEntry(QStringLiteral("PointSymbol_2"), 1);
  points.writeEntry(QStringLiteral("PointColor_2"), QColor(Qt::green));
  points.writeEntry(QStringLiteral("PointSize_2"), 11);
  points.writeEntry(QStringLiteral("BlunderSize"), 4);
  Ux::Cfg(QStringLiteral("Links")).writeEntry(QStringLiteral("LinkLineType"), 2);
  PhObjectView view(PhGlobal::PL_XY);
  view.setPointSize(0, 12);
  view.applyPointPrefs();
  QCOMPARE(view.pointOn(2), false);
  QCOMPARE(view.pointSymbol(2), 1);
  QCOMPARE(view.pointColor(2), QColor(Qt::green));
  QCOMPARE(view.pointSize(2), 11);
  // Absent keys give the defaults, the object view's mark in yellow.
  QCOMPARE(view.pointOn(0), true);
  QCOMPARE(view.pointSize(0), 7);
  QCOMPARE(view.pointColor(0), QColor(Qt::black));
  QCOMPARE(view.blunderColor(), QColor(Qt::red));
  QCOMPARE(view.blunderSize(), 4);
  QCOMPARE(view.markColor(), QColor(Qt::yellow));
  QCOMPARE(view.markSize(), 2);
  QCOMPARE(view.linkLineType(), 2);
  // A damaged configuration stays drawable.
  points.writeEntry(QStringLiteral("PointSize_0"), 100000);
  points.writeEntry(QStringLiteral("PointSymbol_0"), 9);
  points.writeEntry(QStringLiteral("MarkSize"), -3);
  view.applyPointPrefs();
  QCOMPARE(view.pointSize(0), 255);
  QCOMPARE(view.pointSymbol(0), 0);
  QCOMPARE(view.markSize(), 0);
  Ux::Cfg::clear();
}

void TestPhObjectView::keptIndexedDrawingMatchesPlainDrawing_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<QPoint>("position");
  QTest::addColumn<bool>("decorations");
  QTest::addRow("whole extent") << 100 << QPoint(0, 0) << true;
  QTest::addRow("zoomed in, indexed") << 800 << QPoint(1700, 800) << true;
  QTest::addRow("zoomed in, marks only") << 800 << QPoint(1700, 800) << false;
  QTest::addRow("deep, a few points") << 5000 << QPoint(12000, 7000) << true;
}

namespace {

// Random points of every type, some eliminated, some selected, all decorations on.
void randomProject(Fixture &f, PhObjectView &view, int n) {
  QRandomGenerator random(5);
  const int codes[] = {100, 200, 300, 500, 900, 901, 101};
  for (int i = 0; i < 20; ++i) {
    PhImage *image = f.image(5000 + i, random.bounded(100.0), random.bounded(50.0), 10);
    for (int k = 0; k < 50; ++k)
      image->addPoint(1 + random.bounded(n), random.bounded(6) != 0, 0, 0, 0, 0, 1);
  }
  for (int i = 0; i < n; ++i) {
    const int code = codes[random.bounded(7)];
    const int id = code >= 900 ? 5000 + random.bounded(20) : i + 1;
    PhObjectPoint *point = f.add(id, code, random.bounded(100.0), random.bounded(50.0),
                                 random.bounded(20.0), random.bounded(8) != 0);
    point->setAdjustedValues(point->adjustedCoord(0), point->adjustedCoord(1),
                             point->adjustedCoord(2), float(random.bounded(2.0)),
                             float(random.bounded(2.0)), 0.1f);
    for (int axis = 0; axis < 2; ++axis)
      point->setObservedAxis(axis, random.bounded(3) ? 1.0 : PhObjectPoint::NotObserved,
                             float(random.bounded(2.0) - 1.0), 0.1f, random.bounded(3) != 0);
  }
  ViewTest::varyTypes(view, 4);
  view.setShowBlunders(true);
  view.setShowPointIds(true);
  view.setShowImageIds(true);
  view.setShowLinkCount(true);
  view.setShowConnections(true);
  view.setResidualsOn(VM_Graphical, true);
  view.setSigmasOn(VM_Graphical, true);
  view.setResidualScale(3);
}

}  // namespace

void TestPhObjectView::keptIndexedDrawingMatchesPlainDrawing() {
  QFETCH(int, zoom);
  QFETCH(QPoint, position);
  QFETCH(bool, decorations);
  Fixture f;
  PhObjectView view(PhGlobal::PL_XY);
  randomProject(f, view, 3000);
  if (!decorations) {
    view.setShowPointIds(false);
    view.setShowImageIds(false);
    view.setShowLinkCount(false);
    view.setShowConnections(false);
    view.setResidualsOn(VM_Graphical, false);
    view.setSigmasOn(VM_Graphical, false);
  }
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("*7"),
                    QString(), true);
  view.selectPoints(PhGlobal::SEL_AddToExisting, PhGlobal::SEARCH_ImageId, QStringLiteral("5003"),
                    QStringLiteral("5009"), false);
  QVERIFY(f.objects.selectedCount() > 100);
  view.slotZoom(zoom);
  view.setContentsPos(position.x(), position.y());
  QCOMPARE(QPoint(view.contentsX(), view.contentsY()), position);
  const QImage kept = ViewTest::render(&view);
  view.setFastDrawing(false);
  const QImage plain = ViewTest::render(&view);
  QVERIFY(inkIn(plain, &view, QRect(position, QSize(600, 400))) > 0);
  QCOMPARE(kept, plain);
}

void TestPhObjectView::scrolledDrawingMatchesPlainDrawing() {
  Fixture f;
  PhObjectView view(PhGlobal::PL_XY);
  randomProject(f, view, 3000);
  prepare(view, f);
  view.selectPoints(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("*3"),
                    QString(), true);
  view.slotZoom(400);
  ViewTest::screen(&view);
  // Scroll in steps and drag a selection band: the screen is painted piece
  // by piece from the kept drawing.
  view.slotSetMode(1);
  ViewTest::drag(&view, {QPoint(400, 300), QPoint(350, 280), QPoint(250, 200)});
  view.scrollBy(37, 11);
  ViewTest::screen(&view);
  view.slotSetMode(2);
  ViewTest::drag(&view, {QPoint(100, 100), QPoint(200, 150), QPoint(300, 250)},
                 Qt::ControlModifier);
  view.scrollBy(-80, 60);
  const QImage screen = ViewTest::screen(&view);
  view.setFastDrawing(false);
  QCOMPARE(screen, ViewTest::render(&view));
}

void TestPhObjectView::buriedPointsLeftOutChangeNoPixel_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<QPoint>("position");
  QTest::addColumn<bool>("ids");
  QTest::addColumn<bool>("links");
  QTest::addColumn<bool>("vectors");
  QTest::addColumn<bool>("ellipses");
  QTest::addColumn<QFont>("font");
  const QFont test = ViewTest::testFont();
  QFont italic(QStringLiteral("DejaVu Serif"), 14);
  italic.setItalic(true);
  QTest::addRow("IDs, links, vectors") << 100 << QPoint(0, 0) << true << true << true << false << test;
  QTest::addRow("IDs only") << 100 << QPoint(0, 0) << true << false << false << false << test;
  QTest::addRow("link counts, ellipses") << 100 << QPoint(0, 0) << false << true << false << true << test;
  QTest::addRow("everything, scrolled") << 150 << QPoint(130, 70) << true << true << true << true << test;
  QTest::addRow("large italic font") << 100 << QPoint(0, 0) << true << true << false << false << italic;
}

void TestPhObjectView::buriedPointsLeftOutChangeNoPixel() {
  QFETCH(int, zoom);
  QFETCH(QPoint, position);
  QFETCH(bool, ids);
  QFETCH(bool, links);
  QFETCH(bool, vectors);
  QFETCH(bool, ellipses);
  QFETCH(QFont, font);
  Fixture f;
  PhObjectView view(PhGlobal::PL_XY);
  // Dense enough that most labels lie under the symbols of later points.
  randomProject(f, view, 30000);
  view.setShowImageIds(false);
  view.setShowPointIds(ids);
  view.setShowLinkCount(links);
  view.setResidualsOn(VM_Graphical, vectors);
  view.setSigmasOn(VM_Graphical, ellipses);
  prepare(view, f);
  view.setTextFont(font);
  std::vector<int> all(std::size_t(f.objects.count()));
  std::iota(all.begin(), all.end(), 0);
  f.objects.selection().selectIndices(all, false);
  view.slotZoom(zoom);
  view.setContentsPos(position.x(), position.y());
  // Connection lines reach anywhere, texts of numbers have no width bound:
  // with either on nothing may be left out.
  QVERIFY(!view.imageSet().isEmpty());
  ViewTest::render(&view);
  QCOMPARE(view.lastPaintLeftOut(), 0);
  view.setShowConnections(false);
  view.setResidualsOn(VM_Textual, true);
  ViewTest::render(&view);
  QCOMPARE(view.lastPaintLeftOut(), 0);
  view.setResidualsOn(VM_Textual, false);
  const QImage kept = ViewTest::render(&view);
  QVERIFY(view.lastPaintLeftOut() > 1000);
  view.setFastDrawing(false);
  QCOMPARE(kept, ViewTest::render(&view));
}

TESSELLA_TEST_MAIN(TestPhObjectView)
#include "tst_phobjectview.moc"
