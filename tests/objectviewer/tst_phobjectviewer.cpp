// The object viewer window: one per plane, its tool bars and modes, the
// keys with their modifier rules, the preferences it reads, and the
// operations over all object viewers.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "messagecapture.h"
#include "modalanswer.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phobjectview.h"
#include "phobjectviewer.h"
#include "tessellatest.h"
#include "uxcfg.h"
#include "viewtestutil.h"

namespace {

// Object points 1..6 on a small block, the projection centres of images 10
// and 11 above it; image 10 measures points 1, 2, 3, image 11 points 3..6.
struct Block {
  PhImageList images;
  PhObjectList objects;

  Block() {
    PhImage::clearPointIndex();
    for (int id = 1; id <= 6; ++id) add(id, 100, id * 10.0, (id % 3) * 10.0, id);
    add(10, 900, 20, 10, 500);
    add(11, 900, 40, 10, 500);
    addImage(10, {1, 2, 3});
    addImage(11, {3, 4, 5, 6});
  }
  ~Block() {
    PhObjectViewer::deleteAllViewers();
    objects.clear();
    images.clear();
    PhImage::clearPointIndex();
  }
  void add(int id, int code, double x, double y, double z) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(code);
    point->setAdjustedValues(x, y, z, 0.5f, 0.5f, 0.5f);
    objects.append(point);
  }
  void addImage(int id, const QList<int> &points) {
    auto *image = new PhImage;
    image->setImageId(id);
    for (int point : points) image->addPoint(point, true, 1.0f * point, 2.0f, 0.0f, 0.0f, 1.0f);
    images.append(image);
  }
};

QList<int> selectedIds(const PhObjectList &list) {
  QList<int> ids;
  for (const PhObjectPoint *point : list)
    if (point->isSelected()) ids << point->pointId();
  return ids;
}

using ViewTest::actionNamed;
using ViewTest::texts;

}  // namespace

class TestPhObjectViewer : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() {
    TessellaTest::endTest();
    for (int plane = 0; plane < 3; ++plane) QVERIFY(!PhObjectViewer::existingViewer(plane));
  }

  void planeNames_data();
  void planeNames();
  void onePerPlane();
  void barsMenusAndModes();
  void zoomControlsNeedData();
  void keys_data();
  void keys();
  void preferenceDefaults();
  void preferencesReadEveryKey();
  void operationsReachEveryViewer();
  void anUnreadableBoundWarnsOnce_data();
  void anUnreadableBoundWarnsOnce();
  void oneSearchForEveryViewer();
  void exportViewWritesWhatTheViewShows();
  void placementsOfEveryPlane();
};

void TestPhObjectViewer::planeNames_data() {
  QTest::addColumn<int>("plane");
  QTest::addColumn<QString>("name");
  QTest::addRow("XY") << 0 << "XY";
  QTest::addRow("XZ") << 1 << "XZ";
  QTest::addRow("YZ") << 2 << "YZ";
  QTest::addRow("beyond") << 3 << "ERROR!";
  QTest::addRow("negative") << -1 << "ERROR!";
}

void TestPhObjectViewer::planeNames() {
  QFETCH(int, plane);
  QFETCH(QString, name);
  QCOMPARE(PhObjectViewer::planeName(plane), name);
  MessageCapture capture;
  PhObjectViewer *viewer = PhObjectViewer::viewer(plane, nullptr);
  if (name == QLatin1String("ERROR!")) {
    QVERIFY(!viewer);
    QCOMPARE(capture.texts(Nub::MsgWarn).size(), 1);
    QVERIFY(capture.texts(Nub::MsgWarn).first().startsWith(QStringLiteral(">>> ERR: '! _viewer[p]' in ")));
    QVERIFY(!PhObjectViewer::existingViewer(plane));
    return;
  }
  QVERIFY(viewer);
  QCOMPARE(viewer->plane(), plane);
  QCOMPARE(viewer->objectView()->plane(), plane);
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Object Viewer %1").arg(name));
  QCOMPARE(viewer->whatsThis(),
           QStringLiteral("The <font color=\"#0000ff\">Object Viewer %1</font> allows you to inspect object data, "
                          "which is projected in the %1-plane. The 2D-viewing area offers scrolling, zooming and "
                          "selection-capabilities.")
               .arg(name));
  delete viewer;
}

void TestPhObjectViewer::onePerPlane() {
  Block block;
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));
  PhObjectViewer *xz = PhObjectViewer::viewer(1, &area);
  QVERIFY(xz);
  QCOMPARE(PhObjectViewer::viewer(1, &area), xz);
  QCOMPARE(PhObjectViewer::existingViewer(1), xz);
  QVERIFY(!PhObjectViewer::existingViewer(0));
  QVERIFY(!PhObjectViewer::existingViewer(2));
  auto *frame = qobject_cast<QMdiSubWindow *>(xz->frame());
  QVERIFY(frame);
  QCOMPARE(area.subWindowList(), QList<QMdiSubWindow *>{frame});
  QVERIFY(!frame->windowIcon().isNull());
  QVERIFY(xz->testAttribute(Qt::WA_DeleteOnClose));

  // Closed, its slot is free and the next request makes a new one.
  QPointer<PhObjectViewer> guard(xz);
  actionNamed(xz, QStringLiteral("&Close"))->trigger();
  QTRY_VERIFY(guard.isNull());
  QVERIFY(!PhObjectViewer::existingViewer(1));
  QTRY_VERIFY(area.subWindowList().isEmpty());
  PhObjectViewer *again = PhObjectViewer::viewer(1, &area);
  QVERIFY(again);
  QCOMPARE(PhObjectViewer::existingViewer(1), again);
}

void TestPhObjectViewer::barsMenusAndModes() {
  Block block;
  PhObjectViewer *viewer = PhObjectViewer::viewer(0, nullptr);
  viewer->setData(&block.objects, true);
  QStringList bars;
  for (QToolBar *bar : viewer->findChildren<QToolBar *>()) {
    bars << bar->windowTitle();
    QCOMPARE(viewer->toolBarArea(bar), Qt::TopToolBarArea);
  }
  QCOMPARE(bars, (QStringList{"File", "Zooming", "Extras"}));
  QCOMPARE(texts(viewer->menuBar()->actions()), (QStringList{"&File", "&Zooming", "&Extras", "&Colours"}));
  QList<QMenu *> menus;
  for (QAction *action : viewer->menuBar()->actions()) menus << action->menu();
  // The Close of the file bar, after the view's picture and print.
  QCOMPARE(texts(menus[0]->actions()), (QStringList{"&Export View...", "&Print...", "-", "&Close"}));
  QCOMPARE(texts(menus[1]->actions()),
           (QStringList{"Zoom &in", "Zoom &out", "Zoom to &Fit", "Open Fitted", "&Fixed Zoom"}));
  QMenu *fixed = menus[1]->actions().last()->menu();
  QCOMPARE(texts(fixed->actions()), (QStringList{"400 %", "200 %", "100 %", "75 %", "50 %", "25 %"}));
  QCOMPARE(fixed->actions().at(2)->shortcut(), QKeySequence(Qt::Key_F3));
  QCOMPARE(texts(menus[2]->actions()),
           (QStringList{"Zoom Mode", "Scroll Mode", "Selection Mode", "-", "&Preferences..."}));
  // No status bar, no tabs: the view is the window's centre.
  QVERIFY(!viewer->findChild<QStatusBar *>());
  QCOMPARE(viewer->centralWidget(), static_cast<QWidget *>(viewer->objectView()));

  PhObjectView *view = viewer->objectView();
  QCOMPARE(view->mode(), int(PhZoomView::MODE_Zoom));
  QVERIFY(actionNamed(viewer, QStringLiteral("Zoom Mode"))->isChecked());
  actionNamed(viewer, QStringLiteral("Selection Mode"))->trigger();
  QCOMPARE(view->mode(), int(PhZoomView::MODE_Selection));
  QVERIFY(!actionNamed(viewer, QStringLiteral("Zoom Mode"))->isChecked());
  actionNamed(viewer, QStringLiteral("Scroll Mode"))->trigger();
  QCOMPARE(view->mode(), int(PhZoomView::MODE_Scroll));
  actionNamed(viewer, QStringLiteral("Zoom Mode"))->trigger();
  QCOMPARE(view->mode(), int(PhZoomView::MODE_Zoom));

  QSignalSpy preferences(viewer, &PhObjectViewer::sigRequestObjectPreferences);
  actionNamed(viewer, QStringLiteral("&Preferences..."))->trigger();
  QCOMPARE(preferences.count(), 1);
  delete viewer;
}

void TestPhObjectViewer::zoomControlsNeedData() {
  Block block;
  PhObjectViewer *viewer = PhObjectViewer::viewer(2, nullptr);
  QVERIFY(!viewer->hasData());
  for (const char *text : {"Zoom &in", "Zoom &out", "400 %", "100 %", "25 %"})
    QVERIFY2(!actionNamed(viewer, QString::fromLatin1(text))->isEnabled(), text);
  QVERIFY(!viewer->zoomSpinBox()->isEnabled());
  QVERIFY(viewer->setData(&block.objects, false));
  QVERIFY(viewer->hasData());
  QVERIFY(viewer->zoomSpinBox()->isEnabled());
  QVERIFY(actionNamed(viewer, QStringLiteral("Zoom &in"))->isEnabled());
  actionNamed(viewer, QStringLiteral("Zoom &in"))->trigger();
  QCOMPARE(viewer->objectView()->zoom(), 110);
  QCOMPARE(viewer->zoomSpinBox()->value(), 110);
  viewer->objectView()->slotZoom(10);
  QVERIFY(!actionNamed(viewer, QStringLiteral("Zoom &out"))->isEnabled());
  viewer->zoomSpinBox()->setValue(300);
  QCOMPARE(viewer->objectView()->zoom(), 300);
  actionNamed(viewer, QStringLiteral("25 %"))->trigger();
  QCOMPARE(viewer->objectView()->zoom(), 25);
  delete viewer;
}

void TestPhObjectViewer::keys_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<QString>("changes");
  QTest::addColumn<bool>("accepted");
  const Qt::KeyboardModifiers none;
  const Qt::KeyboardModifiers shift(Qt::ShiftModifier);
  const Qt::KeyboardModifiers control(Qt::ControlModifier);
  QTest::addRow("B") << int(Qt::Key_B) << none << "blunders" << true;
  QTest::addRow("C") << int(Qt::Key_C) << none << "connections" << true;
  QTest::addRow("I") << int(Qt::Key_I) << none << "imageIds" << true;
  QTest::addRow("L") << int(Qt::Key_L) << none << "links" << true;
  QTest::addRow("P") << int(Qt::Key_P) << none << "pointIds" << true;
  QTest::addRow("Shift+B") << int(Qt::Key_B) << shift << "" << false;
  QTest::addRow("Control+C") << int(Qt::Key_C) << control << "" << false;
  QTest::addRow("Shift+I") << int(Qt::Key_I) << shift << "" << false;
  QTest::addRow("Shift+L") << int(Qt::Key_L) << shift << "" << false;
  QTest::addRow("Alt+P") << int(Qt::Key_P) << Qt::KeyboardModifiers(Qt::AltModifier) << "" << false;
  QTest::addRow("R") << int(Qt::Key_R) << none << "residuals" << true;
  QTest::addRow("Shift+R") << int(Qt::Key_R) << shift << "residualText" << true;
  QTest::addRow("Control+R does nothing") << int(Qt::Key_R) << control << "" << true;
  QTest::addRow("S") << int(Qt::Key_S) << none << "sigmas" << true;
  QTest::addRow("Shift+S") << int(Qt::Key_S) << shift << "sigmaText" << true;
  QTest::addRow("Shift+Control+S does nothing") << int(Qt::Key_S) << (Qt::ShiftModifier | Qt::ControlModifier) << ""
                                                << true;
  QTest::addRow("N is not a key of the viewer") << int(Qt::Key_N) << none << "" << false;
}

void TestPhObjectViewer::keys() {
  QFETCH(int, key);
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(QString, changes);
  QFETCH(bool, accepted);
  Block block;
  PhObjectViewer *viewer = PhObjectViewer::viewer(0, nullptr);
  viewer->setData(&block.objects, true);
  PhObjectView *view = viewer->objectView();
  auto state = [view]() {
    QStringList on;
    if (view->hasBlundersOn()) on << "blunders";
    if (view->hasConnectionsOn()) on << "connections";
    if (view->hasImageIdsOn()) on << "imageIds";
    if (view->hasLinkCountOn()) on << "links";
    if (view->hasPointIdsOn()) on << "pointIds";
    if (view->hasResidualsOn(VM_Graphical)) on << "residuals";
    if (view->hasResidualsOn(VM_Textual)) on << "residualText";
    if (view->hasSigmasOn(VM_Graphical)) on << "sigmas";
    if (view->hasSigmasOn(VM_Textual)) on << "sigmaText";
    return on.join(QLatin1Char(','));
  };
  QCOMPARE(state(), QString());
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(viewer, &press);
  QCOMPARE(state(), changes);
  QCOMPARE(press.isAccepted(), accepted);
  delete viewer;
}

void TestPhObjectViewer::preferenceDefaults() {
  Block block;
  PhObjectViewer *viewer = PhObjectViewer::viewer(0, nullptr);
  PhObjectView *view = viewer->objectView();
  ViewTest::verifySharedDefaults(*view);
  QCOMPARE(view->linkLineType(), 0);
  QCOMPARE(view->markColor(), QColor(Qt::yellow));
  QCOMPARE(view->markSize(), 2);
  delete viewer;
}

void TestPhObjectViewer::preferencesReadEveryKey() {
  Block block;
  PhObjectViewer *viewer = PhObjectViewer::viewer(2, nullptr);
  Ux::Cfg cfg(QStringLiteral("ObjectViewer"));
  cfg.writeEntry(QStringLiteral("BG_Color"), QColor(Qt::darkGray));
  cfg.writeEntry(QStringLiteral("TextFont"), QFont(QStringLiteral("DejaVu Serif"), 11));
  cfg.writeEntry(QStringLiteral("BlundersOn"), 1);
  cfg.writeEntry(QStringLiteral("Scale"), 40);
  // The image viewer's switch is no setting of the object viewer.
  cfg.writeEntry(QStringLiteral("PointIdsOn"), 1);
  cfg.beginGroup(QStringLiteral("Links"));
  cfg.writeEntry(QStringLiteral("LinkLineType"), 2);
  cfg.beginGroup(QStringLiteral("Points"));
  cfg.writeEntry(QStringLiteral("PointOn_4"), 0);
  cfg.writeEntry(QStringLiteral("PointSymbol_4"), 1);
  cfg.writeEntry(QStringLiteral("PointColor_4"), QColor(Qt::cyan));
  cfg.writeEntry(QStringLiteral("PointSize_4"), 9);
  cfg.writeEntry(QStringLiteral("BlunderColor"), QColor(Qt::darkRed));
  cfg.writeEntry(QStringLiteral("BlunderSize"), 3);
  cfg.writeEntry(QStringLiteral("MarkColor"), QColor(Qt::green));
  cfg.writeEntry(QStringLiteral("MarkSize"), 4);
  viewer->applyPrefs(true);
  PhObjectView *view = viewer->objectView();
  QCOMPARE(view->backgroundColor(), QColor(Qt::darkGray));
  QCOMPARE(view->textFont().family(), QStringLiteral("DejaVu Serif"));
  QCOMPARE(view->textFont().pointSize(), 11);
  QVERIFY(view->hasBlundersOn());
  QVERIFY(!view->hasPointIdsOn());
  QCOMPARE(view->residualScale(), 40.0f);
  QCOMPARE(view->linkLineType(), 2);
  QVERIFY(!view->pointOn(4));
  QVERIFY(view->pointOn(3));
  QCOMPARE(view->pointSymbol(4), 1);
  QCOMPARE(view->pointColor(4), QColor(Qt::cyan));
  QCOMPARE(view->pointSize(4), 9);
  QCOMPARE(view->blunderColor(), QColor(Qt::darkRed));
  QCOMPARE(view->blunderSize(), 3);
  QCOMPARE(view->markColor(), QColor(Qt::green));
  QCOMPARE(view->markSize(), 4);
  delete viewer;
}

// Each viewer gets a list of its own here, so that an operation is seen to
// reach each of them.
void TestPhObjectViewer::operationsReachEveryViewer() {
  Block block;
  PhObjectList second;
  for (int id = 1; id <= 6; ++id) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(100);
    point->setAdjustedValues(id, id * 2.0, id * 3.0, 0.5f, 0.5f, 0.5f);
    second.append(point);
  }
  auto *projectionCentre = new PhObjectPoint;
  projectionCentre->setPointId(11);
  projectionCentre->setCode(900);
  projectionCentre->setAdjustedValues(3, 3, 30, 0.1f, 0.1f, 0.1f);
  second.append(projectionCentre);
  PhObjectViewer *xy = PhObjectViewer::viewer(0, nullptr);
  PhObjectViewer *yz = PhObjectViewer::viewer(2, nullptr);
  xy->setData(&block.objects, true);
  yz->setData(&second, true);

  PhObjectViewer::selectPointsInAll(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("2"),
                                    QStringLiteral("4"), false);
  QCOMPARE(selectedIds(block.objects), (QList<int>{2, 3, 4}));
  QCOMPARE(selectedIds(second), (QList<int>{2, 3, 4}));
  QVERIFY(!PhObjectViewer::existingViewer(1));
  PhObjectViewer::selectPointsInAll(PhGlobal::SEL_AddToExisting, PhGlobal::SEARCH_PointId, QStringLiteral("6"),
                                    QString(), false);
  QCOMPARE(selectedIds(second), (QList<int>{2, 3, 4, 6}));

  PhObjectViewer::selectImagePointsInAll(PhImageList::image(11));
  QCOMPARE(selectedIds(block.objects), (QList<int>{3, 4, 5, 6, 11}));
  QCOMPARE(selectedIds(second), (QList<int>{3, 4, 5, 6, 11}));
  QCOMPARE(xy->objectView()->imageSet().keys(), QList<int>{11});
  QCOMPARE(yz->objectView()->imageSet().keys(), QList<int>{11});

  PhObjectViewer::deselectAllPoints();
  QVERIFY(selectedIds(block.objects).isEmpty());
  QVERIFY(selectedIds(second).isEmpty());
  QVERIFY(yz->objectView()->imageSet().isEmpty());

  Ux::Cfg(QStringLiteral("ObjectViewer")).writeEntry(QStringLiteral("BlundersOn"), 1);
  PhObjectViewer::applyPrefsToAll();
  QVERIFY(xy->objectView()->hasBlundersOn());
  QVERIFY(yz->objectView()->hasBlundersOn());

  PhObjectViewer::hideInterfaces(true);
  for (PhObjectViewer *viewer : {xy, yz}) {
    for (QToolBar *bar : viewer->findChildren<QToolBar *>()) QVERIFY(bar->isHidden());
    QVERIFY(!viewer->menuBar()->isHidden());
  }
  PhObjectViewer::hideInterfaces(false);
  for (PhObjectViewer *viewer : {xy, yz})
    for (QToolBar *bar : viewer->findChildren<QToolBar *>()) QVERIFY(!bar->isHidden());

  QPointer<PhObjectViewer> xyGuard(xy), yzGuard(yz);
  PhObjectViewer::deleteAllViewers();
  QVERIFY(xyGuard.isNull());
  QVERIFY(yzGuard.isNull());
  second.clear();
}

void TestPhObjectViewer::anUnreadableBoundWarnsOnce_data() {
  QTest::addColumn<int>("searchMode");
  QTest::addColumn<QString>("from");
  QTest::addColumn<QString>("to");
  QTest::addColumn<QString>("warning");
  // The real-number validator lets a lone point or sign through.
  QTest::newRow("residual from '.'") << int(PhGlobal::SEARCH_Residuals) << "." << "" << "Can't decode number from '.'!";
  QTest::newRow("sigma to '-'") << int(PhGlobal::SEARCH_Sigmas) << "0" << "-" << "Can't decode number from '-'!";
  QTest::newRow("links from 'x'") << int(PhGlobal::SEARCH_Links) << "x" << "3" << "Can't decode number from 'x'!";
}

void TestPhObjectViewer::anUnreadableBoundWarnsOnce() {
  QFETCH(int, searchMode);
  QFETCH(QString, from);
  QFETCH(QString, to);
  QFETCH(QString, warning);
  Block block;
  for (int plane = 0; plane < 3; ++plane) PhObjectViewer::viewer(plane, nullptr)->setData(&block.objects, true);
  PhObjectViewer::selectPointsInAll(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("2"),
                                    QStringLiteral("3"), false);
  MessageCapture capture;
  PhObjectViewer::selectPointsInAll(PhGlobal::SEL_EraseExisting, searchMode, from, to, false);
  QCOMPARE(capture.texts(Nub::MsgWarn), QStringList{warning});
  // Nothing was searched, so nothing was erased.
  QCOMPARE(selectedIds(block.objects), (QList<int>{2, 3}));
  PhObjectViewer::deleteAllViewers();
}

// With all three viewers on the project's list a request runs once: what
// the search says, it says once; every viewer shows the result at once.
void TestPhObjectViewer::oneSearchForEveryViewer() {
  Block block;
  block.add(12, 900, 60, 10, 500);  // its image is missing
  block.objects.find(2)->setAccepted(false);
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));
  QList<PhObjectView *> views;
  for (int plane = 0; plane < 3; ++plane) {
    PhObjectViewer *viewer = PhObjectViewer::viewer(plane, &area);
    viewer->setData(&block.objects, true);
    viewer->objectView()->setShowBlunders(true);
    // Small enough that every point is in view.
    viewer->objectView()->slotZoom(20);
    viewer->frame()->setGeometry(plane * 300, 0, 300, 300);
    viewer->show();
    views << viewer->objectView();
  }
  QList<QImage> before;
  for (PhObjectView *view : views) {
    QVERIFY(QTest::qWaitForWindowExposed(view->viewport()));
    before << ViewTest::screen(view);
  }
  MessageCapture capture;
  PhObjectViewer::selectPointsInAll(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_Blunder, QString(), QString(),
                                    false);
  QCOMPARE(capture.texts(Nub::MsgWarn), QStringList{"PhObjectView::selectPoints: no image for for imageID found!"});
  QCOMPARE(selectedIds(block.objects), QList<int>{2});
  for (int i = 0; i < views.size(); ++i) {
    const QImage shown = ViewTest::screen(views[i]);
    QVERIFY2(shown != before[i], qPrintable(QStringLiteral("plane %1 kept its old picture").arg(i)));
    QCOMPARE(shown, ViewTest::render(views[i]));
  }
  PhObjectViewer::deleteAllViewers();
}

// "Export View..." writes what the view shows, as it shows it; a dialog
// cancelled writes nothing, a name without a known suffix gets the filter's.
void TestPhObjectViewer::exportViewWritesWhatTheViewShows() {
  Block block;
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  PhObjectViewer *viewer = PhObjectViewer::viewer(0, nullptr);
  viewer->setData(&block.objects, true);
  viewer->resize(600, 500);
  viewer->show();
  QVERIFY(QTest::qWaitForWindowExposed(viewer));
  PhObjectView *view = viewer->objectView();
  view->slotZoom(400);
  view->setContentsPos(30, 20);
  QCOMPARE(QPoint(view->contentsX(), view->contentsY()), QPoint(30, 20));
  QAction *exportView = viewer->findChild<QAction *>(QStringLiteral("exportView"));
  QVERIFY(exportView);

  answerFileDialog(QString());
  exportView->trigger();
  QVERIFY(QDir(dir.path()).isEmpty());

  const QString png = dir.filePath(QStringLiteral("xy.png"));
  answerFileDialog(png);
  exportView->trigger();
  QImage written(png);
  QCOMPARE(written.convertToFormat(QImage::Format_RGB32), ViewTest::screen(view));
  // The view was left where it was.
  QCOMPARE(view->zoom(), 400);
  QCOMPARE(QPoint(view->contentsX(), view->contentsY()), QPoint(30, 20));
  QCOMPARE(Ux::Cfg(QStringLiteral("Analysis")).readString(QStringLiteral("ExportFolder"), QString()),
           QFileInfo(png).absolutePath());

  answerFileDialog(dir.filePath(QStringLiteral("plain")));
  exportView->trigger();
  QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("plain.png"))));
  delete viewer;
}

void TestPhObjectViewer::placementsOfEveryPlane() {
  Block block;
  QMdiArea area;
  area.resize(1000, 800);
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));
  // Without viewers all three switches are written as 0, nothing else.
  PhObjectViewer::saveViewerPlacements();
  QStringList keys;
  for (const QString &key : Ux::Cfg::keys())
    if (key.startsWith(QLatin1String("ObjectViewer/"))) keys << key;
  QCOMPARE(keys, (QStringList{"ObjectViewer/ViewerOn_0", "ObjectViewer/ViewerOn_1", "ObjectViewer/ViewerOn_2"}));
  for (const QString &key : keys) QCOMPARE(Ux::Cfg::value(key), QVariant(0));

  PhObjectViewer *xy = PhObjectViewer::viewer(0, &area);
  PhObjectViewer *yz = PhObjectViewer::viewer(2, &area);
  xy->show();
  yz->show();
  xy->frame()->setGeometry(0, 0, 500, 400);
  yz->frame()->setGeometry(500, 400, 450, 350);
  PhObjectViewer::saveViewerPlacements();
  const Ux::Cfg cfg(QStringLiteral("ObjectViewer"));
  QCOMPARE(Ux::Cfg::value(QStringLiteral("ObjectViewer/ViewerOn_0")), QVariant(1));
  QCOMPARE(Ux::Cfg::value(QStringLiteral("ObjectViewer/ViewerOn_1")), QVariant(0));
  QCOMPARE(Ux::Cfg::value(QStringLiteral("ObjectViewer/ViewerOn_2")), QVariant(1));
  QCOMPARE(cfg.readRect(QStringLiteral("Geometry_0"), QRect()), QRect(0, 0, 500, 400));
  QCOMPARE(cfg.readRect(QStringLiteral("Geometry_2"), QRect()), QRect(500, 400, 450, 350));
  QVERIFY(!Ux::Cfg::value(QStringLiteral("ObjectViewer/Viewer_0")).toString().isEmpty());
  QVERIFY(!Ux::Cfg::value(QStringLiteral("ObjectViewer/Viewer_2")).toString().isEmpty());
  QVERIFY(!Ux::Cfg::keys().contains(QStringLiteral("ObjectViewer/Geometry_1")));
  QVERIFY(!Ux::Cfg::keys().contains(QStringLiteral("ObjectViewer/Viewer_1")));
  PhObjectViewer::deleteAllViewers();
  QVERIFY(area.subWindowList().isEmpty());
}

TESSELLA_TEST_MAIN(TestPhObjectViewer)

#include "tst_phobjectviewer.moc"
