// Zooms that keep their place, in both viewers: zoom to fit (Ctrl+0) shows
// the whole contents, the steps, the spin box and the fixed zooms keep the
// point at the viewport's centre, Ctrl+wheel the point under the pointer,
// and "Open Fitted" makes every new viewer open fitted and stay so while its
// window takes its size.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>

#include <functional>
#include <memory>

#include "phimage.h"
#include "phimagelist.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phobjectview.h"
#include "phobjectviewer.h"
#include "tessellatest.h"
#include "uxcfg.h"
#include "viewtestutil.h"

namespace {

constexpr int ImageId = 31;

// One image on a 100 x 50 plane and the same points as object points, so
// that both viewers lay out 580 x 330 pixels at 100 %.
struct Project {
  PhImageList images;
  PhObjectList objects;

  Project() {
    PhImage::clearPointIndex();
    auto *image = new PhImage;
    image->setImageId(ImageId);
    image->setMinX(0);
    image->setMinY(0);
    image->setMaxX(100);
    image->setMaxY(50);
    images.append(image);
    const QList<QPointF> at{{0, 0}, {100, 50}, {50, 25}, {10, 40}, {90, 5}};
    for (int k = 0; k < at.size(); ++k) {
      image->addPoint(100 + k, true, float(at[k].x()), float(at[k].y()), 0.0f, 0.0f, 1.0f);
      auto *point = new PhObjectPoint;
      point->setPointId(100 + k);
      point->setCode(100);
      point->setAccepted(true);
      point->setAdjustedValues(at[k].x(), at[k].y(), 0.0, 0.0f, 0.0f, 0.0f);
      objects.append(point);
    }
  }
  ~Project() {
    PhImageViewer::deleteAllViewers();
    objects.clear();
    images.clear();
    PhImage::clearPointIndex();
  }
  PhImage *image() const { return images.at(0); }
};

// A viewer of either kind with the project's data, and its view.
struct Viewer {
  PhViewerWindow *window = nullptr;
  PhZoomView *view = nullptr;
};

Viewer makeViewer(const QString &kind, Project &p, QWidget *parent = nullptr) {
  if (kind == QLatin1String("image")) {
    auto *viewer = new PhImageViewer(&p.images, parent, ImageId);
    return {viewer, viewer->imageView()};
  }
  PhObjectViewer *viewer = PhObjectViewer::viewer(PhGlobal::PL_XY, parent);
  viewer->setData(&p.objects, true);
  return {viewer, viewer->objectView()};
}

// The viewer shown as the active window with the keyboard in its graphic.
bool showViewer(const Viewer &viewer, const QSize &size) {
  viewer.window->resize(size);
  viewer.window->show();
  if (!QTest::qWaitForWindowActive(viewer.window)) return false;
  viewer.view->setFocus();
  QApplication::processEvents();
  return viewer.view->hasFocus();
}

// The fitted zoom of the 100 x 50 plane in a viewport of `room`.
int fitOf(const QSize &room) { return PhPlaneTransform::fitZoom(0, 100, 0, 50, room); }

QPoint viewportCentre(const PhZoomView *view) { return QPoint(view->visibleWidth() / 2, view->visibleHeight() / 2); }

// Where a contents pixel at one zoom goes at another: the plane point under
// it stays the same.
QPoint movedPixel(const QPoint &pixel, int fromZoom, int toZoom) {
  const double f = double(PhPlaneTransform::baseOf(toZoom)) / PhPlaneTransform::baseOf(fromZoom);
  return QPoint(phRound((pixel.x() - 40) * f + 40), phRound((pixel.y() - 40) * f + 40));
}

// Within a pixel of rounding.
bool near(const QPoint &a, const QPoint &b) { return qAbs(a.x() - b.x()) <= 1 && qAbs(a.y() - b.y()) <= 1; }

QString describe(const QPoint &p) { return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y()); }

// A bare image view of the project at 200 %, scrolled into the middle, with
// both scroll bars settled.
std::unique_ptr<PhImageView> scrolledView(Project &p) {
  auto view = std::make_unique<PhImageView>();
  if (!ViewTest::showView(view.get(), QSize(320, 220))) return nullptr;
  view->setImage(p.image());
  view->slotZoom(200);
  QApplication::processEvents();
  view->setContentsPos(300, 150);
  QApplication::processEvents();
  return view;
}

void sendWheel(PhZoomView *view, const QPoint &at, int delta, Qt::KeyboardModifiers modifiers) {
  QWidget *viewport = view->viewport();
  QWheelEvent event(QPointF(at), viewport->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &event);
}

}  // namespace

class TestPhZoomPlace : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() {
    delete PhObjectViewer::existingViewer(PhGlobal::PL_XY);
    TessellaTest::endTest();
  }

  void zoomToFitActions_data();
  void zoomToFitActions();
  void ctrl0ShowsTheWholeContents_data();
  void ctrl0ShowsTheWholeContents();
  void stepsKeepTheCentre_data();
  void stepsKeepTheCentre();
  void spinBoxAndFixedZoomsKeepTheCentre();
  void centreKeptAsScrollBarsAppear();
  void fitCentresWhatCannotFit();
  void ctrlWheelKeepsThePointUnderThePointer_data();
  void ctrlWheelKeepsThePointUnderThePointer();
  void plainWheelScrolls();
  void openFitted_data();
  void openFitted();
  void openFittedFitsThePlacedWindow();
};

void TestPhZoomPlace::zoomToFitActions_data() {
  QTest::addColumn<QString>("kind");
  QTest::addRow("image viewer") << QStringLiteral("image");
  QTest::addRow("object viewer") << QStringLiteral("object");
}

void TestPhZoomPlace::zoomToFitActions() {
  QFETCH(QString, kind);
  Project p;
  // Without data the fit is off like the other zoom controls.
  if (kind == QLatin1String("image")) {
    PhImageViewer empty(nullptr);
    QVERIFY(!empty.zoomToFitAction()->isEnabled());
  } else {
    QVERIFY(!PhObjectViewer::viewer(PhGlobal::PL_XY, nullptr)->zoomToFitAction()->isEnabled());
  }
  const Viewer viewer = makeViewer(kind, p);
  QAction *fit = viewer.window->zoomToFitAction();
  QVERIFY(fit->isEnabled());
  QCOMPARE(fit->text(), QStringLiteral("Zoom to &Fit"));
  QCOMPARE(fit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
  QVERIFY(!fit->icon().isNull());
  auto *zooming = viewer.window->findChild<QToolBar *>(QStringLiteral("Zooming"));
  QVERIFY(zooming);
  QVERIFY(zooming->actions().contains(fit));
  // Open Fitted is a menu switch only, off by default.
  QAction *openFitted = viewer.window->openFittedAction();
  QVERIFY(openFitted->isCheckable());
  QVERIFY(!openFitted->isChecked());
  QVERIFY(!zooming->actions().contains(openFitted));
  // At the lower limit the fit stays on; it also zooms in.
  viewer.view->slotZoom(10);
  QVERIFY(fit->isEnabled());
}

void TestPhZoomPlace::ctrl0ShowsTheWholeContents_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QSize>("window");
  QTest::addRow("image viewer, wide") << QStringLiteral("image") << QSize(1000, 450);
  QTest::addRow("image viewer, tall") << QStringLiteral("image") << QSize(420, 900);
  QTest::addRow("object viewer, wide") << QStringLiteral("object") << QSize(1000, 450);
  QTest::addRow("object viewer, small") << QStringLiteral("object") << QSize(330, 260);
}

void TestPhZoomPlace::ctrl0ShowsTheWholeContents() {
  QFETCH(QString, kind);
  QFETCH(QSize, window);
  Project p;
  const Viewer viewer = makeViewer(kind, p);
  QVERIFY(showViewer(viewer, window));
  PhZoomView *view = viewer.view;
  // Zoomed in and scrolled away first, with both scroll bars up.
  view->slotZoom(800);
  QApplication::processEvents();
  view->setContentsPos(900, 500);
  QApplication::processEvents();
  QVERIFY(view->contentsX() > 0);

  const QSize room = view->maximumViewportSize();
  QSignalSpy zoomed(view, &PhZoomView::sigZoomChanged);
  QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
  QApplication::processEvents();
  const int fit = fitOf(room);
  QCOMPARE(view->zoom(), fit);
  QCOMPARE(zoomed.count(), 1);
  QCOMPARE(viewer.window->zoomSpinBox()->value(), fit);
  // No scroll bars left, the whole contents in the viewport.
  QVERIFY(!view->horizontalScrollBar()->isVisible());
  QVERIFY(!view->verticalScrollBar()->isVisible());
  const QRect contents(0, 0, view->contentsWidth(), view->contentsHeight());
  QVERIFY(view->visibleContentsRect().contains(contents));
  QCOMPARE(QPoint(view->contentsX(), view->contentsY()),
           PhPlaneTransform::centredPos(contents.size(), view->visibleContentsRect().size()));
  // One side is filled to within one percent's five pixels.
  const QSize slack = view->visibleContentsRect().size() - contents.size();
  QVERIFY2(qMin(slack.width(), slack.height()) < 5,
           qPrintable(QStringLiteral("%1 x %2").arg(slack.width()).arg(slack.height())));
  // The points at both far corners of the plane are drawn.
  const QImage shown = ViewTest::screen(view);
  for (const QPoint &corner : {view->toContents(0, 0), view->toContents(100, 50)}) {
    QVERIFY(shown.rect().contains(view->contentsToViewport(corner)));
    QVERIFY2(ViewTest::at(shown, view, corner) != view->backgroundColor(), qPrintable(describe(corner)));
  }

  // Fitting again changes nothing.
  QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
  QCOMPARE(view->zoom(), fit);
  QCOMPARE(zoomed.count(), 1);
}

void TestPhZoomPlace::stepsKeepTheCentre_data() {
  QTest::addColumn<int>("step");
  QTest::addColumn<int>("toZoom");
  QTest::addRow("zoom in") << 1 << 210;
  QTest::addRow("zoom out") << -1 << 190;
  QTest::addRow("zoom to 350") << 0 << 350;
  QTest::addRow("zoom to 130") << 0 << 130;
  QTest::addRow("zoom to 5000") << 0 << 5000;
}

void TestPhZoomPlace::stepsKeepTheCentre() {
  QFETCH(int, step);
  QFETCH(int, toZoom);
  Project p;
  std::unique_ptr<PhImageView> view = scrolledView(p);
  QVERIFY(view);
  const QPoint centre = viewportCentre(view.get());
  const QPoint before = view->viewportToContents(centre);
  if (step > 0)
    view->slotZoomPlus();
  else if (step < 0)
    view->slotZoomMinus();
  else
    view->slotZoom(toZoom);
  QCOMPARE(view->zoom(), toZoom);
  const QPoint expected = movedPixel(before, 200, toZoom);
  const QPoint after = view->viewportToContents(viewportCentre(view.get()));
  QVERIFY2(near(after, expected), qPrintable(describe(after) + QStringLiteral(" for ") + describe(expected)));
  // Back again: where it started.
  view->slotZoom(200);
  QVERIFY(near(view->viewportToContents(viewportCentre(view.get())), before));
}

void TestPhZoomPlace::spinBoxAndFixedZoomsKeepTheCentre() {
  Project p;
  const Viewer viewer = makeViewer(QStringLiteral("image"), p);
  QVERIFY(showViewer(viewer, QSize(600, 450)));
  PhZoomView *view = viewer.view;
  view->slotZoom(200);
  QApplication::processEvents();
  view->setContentsPos(400, 200);
  QApplication::processEvents();
  const QPoint before = view->viewportToContents(viewportCentre(view));

  viewer.window->zoomSpinBox()->setValue(300);
  QCOMPARE(view->zoom(), 300);
  QPoint after = view->viewportToContents(viewportCentre(view));
  QVERIFY2(near(after, movedPixel(before, 200, 300)), qPrintable(describe(after)));

  ViewTest::actionNamed(viewer.window, QStringLiteral("400 %"))->trigger();
  QCOMPARE(view->zoom(), 400);
  after = view->viewportToContents(viewportCentre(view));
  QVERIFY2(near(after, movedPixel(before, 200, 400)), qPrintable(describe(after)));
}

void TestPhZoomPlace::centreKeptAsScrollBarsAppear() {
  Project p;
  PhImageView view;
  QVERIFY(ViewTest::showView(&view, QSize(640, 420)));
  view.setImage(p.image());
  QApplication::processEvents();
  QVERIFY(!view.horizontalScrollBar()->isVisible());
  const QPoint before = view.viewportToContents(viewportCentre(&view));
  view.slotZoom(200);
  QApplication::processEvents();
  // Both bars came and took their room from the viewport, whose centre moved.
  QVERIFY(view.horizontalScrollBar()->isVisible());
  QVERIFY(view.verticalScrollBar()->isVisible());
  const QPoint after = view.viewportToContents(viewportCentre(&view));
  QVERIFY2(near(after, movedPixel(before, 100, 200)), qPrintable(describe(after)));
}

void TestPhZoomPlace::fitCentresWhatCannotFit() {
  Project p;
  PhImageView view;
  QVERIFY(ViewTest::showView(&view, QSize(70, 60)));
  view.setImage(p.image());
  view.slotZoomToFit();
  QApplication::processEvents();
  // Not even the margins fit: the lower limit, its 130 x 105 contents centred.
  QCOMPARE(view.zoom(), PhZoomView::MinZoom);
  QVERIFY(view.horizontalScrollBar()->isVisible());
  QCOMPARE(view.contentsX(), (130 - view.visibleWidth()) / 2);
  QCOMPARE(view.contentsY(), (105 - view.visibleHeight()) / 2);
  QVERIFY(view.contentsX() > 0);
}

void TestPhZoomPlace::ctrlWheelKeepsThePointUnderThePointer_data() {
  QTest::addColumn<QList<int>>("deltas");
  QTest::addColumn<QPoint>("pointer");
  QTest::addColumn<int>("toZoom");
  QTest::addRow("one notch up") << QList<int>{120} << QPoint(70, 50) << 210;
  QTest::addRow("two notches at once") << QList<int>{240} << QPoint(250, 160) << 220;
  QTest::addRow("one notch down") << QList<int>{-120} << QPoint(30, 150) << 190;
  QTest::addRow("half notches add up") << QList<int>{60, 60} << QPoint(120, 80) << 210;
  QTest::addRow("a half notch alone does nothing") << QList<int>{60} << QPoint(120, 80) << 200;
  QTest::addRow("up and down again") << QList<int>{120, -120} << QPoint(200, 40) << 200;
}

void TestPhZoomPlace::ctrlWheelKeepsThePointUnderThePointer() {
  QFETCH(QList<int>, deltas);
  QFETCH(QPoint, pointer);
  QFETCH(int, toZoom);
  Project p;
  std::unique_ptr<PhImageView> view = scrolledView(p);
  QVERIFY(view);
  const QPoint before = view->viewportToContents(pointer);
  for (int delta : deltas) sendWheel(view.get(), pointer, delta, Qt::ControlModifier);
  QCOMPARE(view->zoom(), toZoom);
  const QPoint expected = movedPixel(before, 200, toZoom);
  const QPoint after = view->viewportToContents(pointer);
  QVERIFY2(near(after, expected), qPrintable(describe(after) + QStringLiteral(" for ") + describe(expected)));
}

void TestPhZoomPlace::plainWheelScrolls() {
  Project p;
  std::unique_ptr<PhImageView> view = scrolledView(p);
  QVERIFY(view);
  const int y = view->contentsY();
  sendWheel(view.get(), QPoint(100, 100), -120, Qt::NoModifier);
  QCOMPARE(view->zoom(), 200);
  QVERIFY(view->contentsY() > y);
  // Ctrl with another modifier is no zoom either.
  sendWheel(view.get(), QPoint(100, 100), 120, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(view->zoom(), 200);
}

void TestPhZoomPlace::openFitted_data() {
  QTest::addColumn<QString>("kind");
  QTest::addRow("image viewer") << QStringLiteral("image");
  QTest::addRow("object viewer") << QStringLiteral("object");
}

void TestPhZoomPlace::openFitted() {
  QFETCH(QString, kind);
  Project p;
  {
    // By default a viewer opens at 100 %.
    const Viewer viewer = makeViewer(kind, p);
    QVERIFY(showViewer(viewer, QSize(900, 700)));
    QCOMPARE(viewer.view->zoom(), 100);
    QAction *openFitted = viewer.window->openFittedAction();
    QVERIFY(!openFitted->isChecked());
    openFitted->trigger();
    QVERIFY(openFitted->isChecked());
    QCOMPARE(Ux::Cfg(QStringLiteral("Analysis")).readNum(QStringLiteral("OpenFitted"), -1), 1);
    // Only new viewers open fitted.
    QCOMPARE(viewer.view->zoom(), 100);
    delete viewer.window;
  }
  const Viewer viewer = makeViewer(kind, p);
  QVERIFY(viewer.window->openFittedAction()->isChecked());
  QVERIFY(viewer.view->keepsFitted());
  QVERIFY(showViewer(viewer, QSize(900, 700)));
  const int fit = fitOf(viewer.view->maximumViewportSize());
  QVERIFY(fit > 100);
  QTRY_COMPARE(viewer.view->zoom(), fit);
  QCOMPARE(viewer.window->zoomSpinBox()->value(), fit);
  // Fitted while the window takes its size, until zoomed by hand.
  viewer.window->resize(1200, 800);
  QApplication::processEvents();
  const int larger = fitOf(viewer.view->maximumViewportSize());
  QVERIFY(larger > fit);
  QTRY_COMPARE(viewer.view->zoom(), larger);
  viewer.view->slotZoomMinus();
  QVERIFY(!viewer.view->keepsFitted());
  viewer.window->resize(900, 700);
  QApplication::processEvents();
  QCOMPARE(viewer.view->zoom(), larger - 10);

  viewer.window->openFittedAction()->trigger();
  QCOMPARE(Ux::Cfg(QStringLiteral("Analysis")).readNum(QStringLiteral("OpenFitted"), -1), 0);
}

void TestPhZoomPlace::openFittedFitsThePlacedWindow() {
  Project p;
  Ux::Cfg(QStringLiteral("Analysis")).writeEntry(QStringLiteral("OpenFitted"), 1);
  QMdiArea area;
  area.resize(1400, 1000);
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));
  const Viewer viewer = makeViewer(QStringLiteral("object"), p, &area);
  // The placement arrives right after the show, as the main window gives it.
  viewer.window->frame()->show();
  viewer.window->show();
  viewer.window->frame()->setGeometry(QRect(10, 10, 1100, 500));
  QApplication::processEvents();
  QApplication::processEvents();
  const int fit = fitOf(viewer.view->maximumViewportSize());
  QTRY_COMPARE(viewer.view->zoom(), fit);
  QVERIFY(viewer.view->visibleContentsRect().contains(
      QRect(0, 0, viewer.view->contentsWidth(), viewer.view->contentsHeight())));
}

TESSELLA_TEST_MAIN(TestPhZoomPlace)

#include "tst_phzoomplace.moc"
