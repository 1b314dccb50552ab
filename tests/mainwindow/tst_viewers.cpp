#include <functional>
// The viewers inside the main window, end to end: the viewers a project
// opens with, double clicks, the context menu and Ctrl+digit keys, selection
// requests from the search tab and the image viewers, F11, the point-type
// keys, the preference pages' Apply, placements across a restart, and the
// viewers going before the lists when a project closes.

#include "programtest.h"
#include "messagecapture.h"
#include "modalanswer.h"
#include "phexitdialog.h"
#include "phimage.h"
#include "phimagelistmodel.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phinfotexts.h"
#include "phobjectlist.h"
#include "phobjectview.h"
#include "phobjectviewer.h"
#include "phprefsimageviewer.h"
#include "phprefsobjectviewer.h"
#include "phsearchwidget.h"
#include "qtcolorpicker.h"
#include "tessella.h"
#include "uxapp.h"
#include "uxcfg.h"
#include "uxtabdialog.h"
#include "viewtestutil.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QHash>
#include <QMenuBar>
#include <QStyle>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {

QString exampleProject() {
  return qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block/block.(p)");
}

QList<int> openPlanes() {
  QList<int> planes;
  for (int plane = 0; plane < 3; ++plane)
    if (PhObjectViewer::existingViewer(plane)) planes << plane;
  return planes;
}

QList<int> imageViewerIds() {
  QList<int> ids;
  for (PhImageViewer *viewer : PhImageViewer::viewers()) ids << viewer->currentImageId();
  return ids;
}

QList<PhViewerWindow *> allViewers() {
  QList<PhViewerWindow *> viewers;
  for (PhImageViewer *viewer : PhImageViewer::viewers()) viewers << viewer;
  for (int plane = 0; plane < 3; ++plane)
    if (PhObjectViewer *viewer = PhObjectViewer::existingViewer(plane)) viewers << viewer;
  return viewers;
}

QList<int> selectedIds(const PhObjectList &list) {
  QList<int> ids;
  for (const PhObjectPoint *point : list)
    if (point->isSelected()) ids << point->pointId();
  return ids;
}

using ViewTest::actionNamed;

bool barsHidden(PhViewerWindow *viewer) {
  for (QToolBar *bar : viewer->findChildren<QToolBar *>())
    if (!bar->isHidden()) return false;
  return true;
}

bool barsShown(PhViewerWindow *viewer) {
  for (QToolBar *bar : viewer->findChildren<QToolBar *>())
    if (bar->isHidden()) return false;
  return true;
}

int countColour(const QImage &image, const QColor &colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour.rgb()) ++count;
  return count;
}

// A double click as the platform delivers it: press, release, press with
// the double click, release.
void doubleClick(QWidget *widget, const QPoint &pos) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
  QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
}

// Counts the paint events of a view's viewport: the redraws that changes
// asked for. (The offscreen screen is smaller than the window, so what lies
// beyond it cannot be read back from the screen; a fresh rendering shows
// what the view draws now.)
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(PhScrollView *view) : mViewport(view->viewport()) { mViewport->installEventFilter(this); }
  int count() const { return mCount; }

 protected:
  bool eventFilter(QObject *object, QEvent *event) override {
    if (object == mViewport && event->type() == QEvent::Paint) ++mCount;
    return false;
  }

 private:
  QWidget *mViewport;
  int mCount = 0;
};

// Scrolls the object view so that the point shows.
void showPoint(PhObjectView *view, const PhObjectPoint *point) {
  const int plane = view->plane();
  const QPoint pixel = view->toContents(point->adjustedCoord(PhGlobal::horizontalAxis(plane)),
                                        point->adjustedCoord(PhGlobal::verticalAxis(plane)));
  view->setContentsPos(pixel.x() - view->visibleWidth() / 2, pixel.y() - view->visibleHeight() / 2);
}

}  // namespace

class TestViewers : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qRegisterMetaType<PhImage *>(); }
  void init();
  void cleanup();
  void readingAProjectOpensTheDefaultViewers();
  void firstImageViewerShowsItsWholeToolBar();
  void doubleClickOpensAnImageViewer();
  void contextMenuAndKeysOpenOrFocusObjectViewers();
  void searchSelectsInEveryObjectViewer();
  void imageViewerSelectsItsImagesPoints();
  void decorationToggles();
  void pointTypeKeyRedrawsTheViewers();
  void applyOfThePreferencePagesRedraws();
  void placementsComeBackAfterARestart();
  void restoringFollowsTheSettings_data();
  void restoringFollowsTheSettings();
  void closingDeletesTheViewersBeforeTheLists();
  void everyMenuItemHasAKeyOfItsOwn();
  void desktopStyleWithNarrowViewers();

 private:
  void makeWindow();
  void openExample() { QVERIFY(mWindow->openProject(exampleProject())); }
  std::unique_ptr<Tessella> mWindow;
};

void TestViewers::makeWindow() {
  mWindow = std::make_unique<Tessella>(QPixmap(10, 10));
  mWindow->show();
  // The settings' size reaches only the first main window of a process.
  mWindow->setGeometry(20, 20, 1300, 900);
  QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
}

void TestViewers::init() {
  Ux::Cfg::clear();
  makeWindow();
}

void TestViewers::cleanup() {
  if (mWindow) mWindow->setAskBeforeClosing(false);
  mWindow.reset();
  QVERIFY(PhImageViewer::viewers().isEmpty());
  QVERIFY(openPlanes().isEmpty());
  QFile::remove(Ux::App::getRep()->cfgFileUser());
}

void TestViewers::readingAProjectOpensTheDefaultViewers() {
  openExample();
  QCOMPARE(openPlanes(), (QList<int>{0, 1, 2}));
  QCOMPARE(imageViewerIds(), QList<int>{mWindow->images().at(0)->imageId()});
  QCOMPARE(imageViewerIds(), QList<int>{1001});
  QCOMPARE(mWindow->workspace()->subWindowList().size(), 4);
  const QRect area = mWindow->workspace()->viewport()->rect();
  QList<QRect> frames;
  for (PhViewerWindow *viewer : allViewers()) {
    QVERIFY(viewer->frame()->isVisible());
    QVERIFY2(area.contains(viewer->frame()->geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6").arg(viewer->frame()->x()).arg(viewer->frame()->y()).arg(viewer->frame()->width()).arg(viewer->frame()->height()).arg(area.width()).arg(area.height())));
    frames << viewer->frame()->geometry();
  }
  // Side by side, not on a pile.
  for (int i = 0; i < frames.size(); ++i)
    for (int j = i + 1; j < frames.size(); ++j) QVERIFY(!frames[i].intersects(frames[j]));
  for (int plane = 0; plane < 3; ++plane) {
    PhObjectViewer *viewer = PhObjectViewer::existingViewer(plane);
    QVERIFY(viewer->hasData());
    QCOMPARE(viewer->objectView()->objectList(), &mWindow->objects());
  }
}

void TestViewers::firstImageViewerShowsItsWholeToolBar() {
  openExample();
  QCOMPARE(PhImageViewer::viewers().size(), 1);
  PhImageViewer *viewer = PhImageViewer::viewers().first();
  QTRY_VERIFY(viewer->isVisible());
  QApplication::processEvents();
  const QList<QToolBar *> bars = viewer->findChildren<QToolBar *>();
  QVERIFY(!bars.isEmpty());
  for (QToolBar *bar : bars) {
    // The extension arrow shows only for tool buttons that did not fit.
    auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY2(!more || !more->isVisible(), qPrintable(bar->windowTitle()));
  }
}

void TestViewers::doubleClickOpensAnImageViewer() {
  openExample();
  QTreeView *list = mWindow->imageListView();
  QModelIndex row;
  for (int i = 0; i < mWindow->imageListModel()->rowCount(); ++i)
    if (mWindow->imageListModel()->index(i, 0).data().toString() == QLatin1String("2003"))
      row = mWindow->imageListModel()->index(i, 0);
  QVERIFY(row.isValid());
  const QPoint centre = list->visualRect(row).center();
  doubleClick(list->viewport(), centre);
  QCOMPARE(imageViewerIds(), (QList<int>{1001, 2003}));
  // Again: a second viewer of the same image.
  doubleClick(list->viewport(), centre);
  QCOMPARE(imageViewerIds(), (QList<int>{1001, 2003, 2003}));
  PhImageViewer *viewer = PhImageViewer::viewers().last();
  QVERIFY(viewer->frame()->isVisible());
  QCOMPARE(viewer->frame()->parentWidget(), mWindow->workspace()->viewport());

  // The new viewer has the keyboard in its graphic, where its keys act;
  // with several viewers open, they act in that one only.
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(viewer->imageView()));
  QTest::keyClick(viewer->imageView(), Qt::Key_PageDown);
  QTest::keyClick(viewer->imageView(), Qt::Key_Plus);
  QCOMPARE(imageViewerIds(), (QList<int>{1001, 2003, 2004}));
  QCOMPARE(viewer->imageView()->zoom(), 110);
  QCOMPARE(PhImageViewer::viewers().at(1)->imageView()->zoom(), 100);
  QTest::keyClick(viewer->imageView(), Qt::Key_P);
  QVERIFY(viewer->imageView()->hasPointIdsOn());
  QVERIFY(!PhImageViewer::viewers().at(1)->imageView()->hasPointIdsOn());

  // Its preferences action opens the image viewer page.
  actionNamed(viewer, QStringLiteral("&Preferences..."))->trigger();
  QVERIFY(mWindow->prefsTab()->isVisible());
  QVERIFY(qobject_cast<PhPrefsImageViewer *>(mWindow->prefsTab()->currentPage()));
  mWindow->prefsTab()->hide();
  PhObjectViewer *xz = PhObjectViewer::existingViewer(1);
  actionNamed(xz, QStringLiteral("&Preferences..."))->trigger();
  QVERIFY(qobject_cast<PhPrefsObjectViewer *>(mWindow->prefsTab()->currentPage()));
  mWindow->prefsTab()->hide();
}

void TestViewers::contextMenuAndKeysOpenOrFocusObjectViewers() {
  // Before a project no key makes a viewer.
  QTest::keyClick(mWindow.get(), Qt::Key_1, Qt::ControlModifier);
  QVERIFY(openPlanes().isEmpty());

  openExample();
  QPointer<QWidget> xzFrame = PhObjectViewer::existingViewer(1)->frame();
  xzFrame->close();
  QTRY_VERIFY(xzFrame.isNull());
  QCOMPARE(openPlanes(), (QList<int>{0, 2}));

  emit mWindow->objectListView()->customContextMenuRequested(QPoint(5, 5));
  QMenu *menu = mWindow->contextMenu();
  QAction *showXZ = nullptr;
  for (QAction *action : menu->actions())
    if (action->text() == QLatin1String("Show XZ-View")) showXZ = action;
  QVERIFY(showXZ);
  showXZ->trigger();
  menu->hide();
  QCOMPARE(openPlanes(), (QList<int>{0, 1, 2}));
  PhObjectViewer *xz = PhObjectViewer::existingViewer(1);
  QVERIFY(xz->hasData());
  QTRY_VERIFY(xz->frame()->isVisible());
  // Asked again, the same viewer comes forward.
  showXZ->trigger();
  QCOMPARE(PhObjectViewer::existingViewer(1), xz);
  QCOMPARE(mWindow->workspace()->subWindowList().size(), 4);

  // Ctrl+1 from the keyboard in an image viewer, Ctrl+2 at the main window.
  PhImageViewer *image = PhImageViewer::viewers().first();
  image->imageView()->setFocus();
  QTest::keyClick(image->imageView(), Qt::Key_1, Qt::ControlModifier);
  QTRY_COMPARE(mWindow->workspace()->activeSubWindow(),
               static_cast<QMdiSubWindow *>(PhObjectViewer::existingViewer(0)->frame()));
  QTest::keyClick(mWindow.get(), Qt::Key_2, Qt::ControlModifier);
  QTRY_COMPARE(mWindow->workspace()->activeSubWindow(), static_cast<QMdiSubWindow *>(xz->frame()));
  QCOMPARE(mWindow->workspace()->subWindowList().size(), 4);
  // Other modifiers open nothing.
  PhObjectViewer::existingViewer(2)->frame()->close();
  QTRY_VERIFY(!PhObjectViewer::existingViewer(2));
  QTest::keyClick(mWindow.get(), Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(mWindow.get(), Qt::Key_3);
  QVERIFY(!PhObjectViewer::existingViewer(2));
  QTest::keyClick(mWindow.get(), Qt::Key_3, Qt::ControlModifier);
  QVERIFY(PhObjectViewer::existingViewer(2));
}

void TestViewers::searchSelectsInEveryObjectViewer() {
  openExample();
  const PhObjectList &objects = mWindow->objects();
  // The vertical control points, by the point-code mask.
  QList<int> expected;
  for (const PhObjectPoint *point : objects)
    if (PhGlobal::pointTypeOfCode(point->code()) == PhGlobal::PT_VerticalControl) expected << point->pointId();
  QVERIFY(!expected.isEmpty());
  const PhObjectPoint *shown = objects.find(expected.first());
  const QColor mark(Qt::yellow);
  std::vector<std::unique_ptr<PaintCounter>> paints;
  for (int plane = 0; plane < 3; ++plane) {
    PhObjectView *view = PhObjectViewer::existingViewer(plane)->objectView();
    showPoint(view, shown);
    QCOMPARE(countColour(ViewTest::render(view), mark), 0);
    paints.push_back(std::make_unique<PaintCounter>(view));
  }
  QApplication::processEvents();
  const int before[3] = {paints[0]->count(), paints[1]->count(), paints[2]->count()};
  emit mWindow->searchWidget()->sigRequestSelection(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointCode,
                                                    QStringLiteral("0100000"), QString(), false);
  QCOMPARE(selectedIds(objects), expected);
  QCOMPARE(objects.selectedCount(), int(expected.size()));
  // Each viewer redraws with the selection marks.
  for (int plane = 0; plane < 3; ++plane) {
    PhObjectView *view = PhObjectViewer::existingViewer(plane)->objectView();
    QTRY_VERIFY(paints[plane]->count() > before[plane]);
    QVERIFY2(countColour(ViewTest::render(view), mark) > 0, qPrintable(QString::number(plane)));
  }
  emit mWindow->searchWidget()->sigRequestDeselectAll();
  QVERIFY(selectedIds(objects).isEmpty());
  for (int plane = 0; plane < 3; ++plane)
    QCOMPARE(countColour(ViewTest::render(PhObjectViewer::existingViewer(plane)->objectView()), mark), 0);
}

void TestViewers::imageViewerSelectsItsImagesPoints() {
  openExample();
  PhImageViewer *viewer = PhImageViewer::viewers().first();
  auto expectedFor = [this](const PhImage *image) {
    QList<int> ids;
    for (const PhObjectPoint *point : mWindow->objects()) {
      if (point->isProjectionCentre() ? point->pointId() == image->imageId() : image->hasPoint(point->pointId()))
        ids << point->pointId();
    }
    return ids;
  };
  viewer->imageView()->setFocus();
  QTest::keyClick(viewer->imageView(), Qt::Key_F9);
  QVERIFY(actionNamed(viewer, QStringLiteral("Select Points in Object Viewers..."))->isChecked());
  const QList<int> first = expectedFor(viewer->currentImage());
  QVERIFY(first.contains(viewer->currentImageId()));
  QCOMPARE(selectedIds(mWindow->objects()), first);
  for (int plane = 0; plane < 3; ++plane)
    QCOMPARE(PhObjectViewer::existingViewer(plane)->objectView()->imageSet().keys(),
             QList<int>{viewer->currentImageId()});
  // The next image replaces the selection.
  QTest::keyClick(viewer->imageView(), Qt::Key_PageDown);
  QCOMPARE(viewer->currentImageId(), 1002);
  QCOMPARE(selectedIds(mWindow->objects()), expectedFor(viewer->currentImage()));
  for (int plane = 0; plane < 3; ++plane)
    QCOMPARE(PhObjectViewer::existingViewer(plane)->objectView()->imageSet().keys(), QList<int>{1002});
}

void TestViewers::decorationToggles() {
  openExample();
  QAction *toggle = nullptr;
  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_View)->actions())
    if (action->text() == QLatin1String("Decorate / Undecorate Viewer")) toggle = action;
  QVERIFY(toggle);
  QCOMPARE(toggle->shortcut(), QKeySequence(Qt::Key_F11));
  toggle->trigger();
  for (PhViewerWindow *viewer : allViewers()) QVERIFY(barsHidden(viewer));
  QVERIFY(PhImageViewer::viewers().first()->statusBar()->isHidden());
  // A viewer opened meanwhile follows the state.
  QVERIFY(mWindow->createObjectViewer(1));
  PhObjectViewer::existingViewer(1)->frame()->close();
  QTRY_VERIFY(!PhObjectViewer::existingViewer(1));
  mWindow->createObjectViewer(1);
  QVERIFY(barsHidden(PhObjectViewer::existingViewer(1)));
  // F11 at the main window shows them again.
  QTest::keyClick(mWindow.get(), Qt::Key_F11);
  for (PhViewerWindow *viewer : allViewers()) QVERIFY(barsShown(viewer));
  QVERIFY(!PhImageViewer::viewers().first()->statusBar()->isHidden());
}

void TestViewers::pointTypeKeyRedrawsTheViewers() {
  Ux::Cfg(QStringLiteral("Points")).writeEntry(QStringLiteral("PointOn_0"), 1);
  openExample();
  PhImageView *image = PhImageViewer::viewers().first()->imageView();
  PhObjectView *xy = PhObjectViewer::existingViewer(0)->objectView();
  PaintCounter imagePaints(image), xyPaints(xy);
  const QImage imageBefore = ViewTest::render(image);
  const QImage xyBefore = ViewTest::render(xy);
  QApplication::processEvents();
  int imageCount = imagePaints.count(), xyCount = xyPaints.count();
  QTest::keyClick(mWindow.get(), Qt::Key_N, Qt::ShiftModifier);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_0")), QVariant(0));
  QVERIFY(!image->pointOn(0));
  QVERIFY(!xy->pointOn(0));
  QTRY_VERIFY(imagePaints.count() > imageCount);
  QTRY_VERIFY(xyPaints.count() > xyCount);
  QVERIFY(ViewTest::render(image) != imageBefore);
  QVERIFY(ViewTest::render(xy) != xyBefore);
  imageCount = imagePaints.count();
  xyCount = xyPaints.count();
  QTest::keyClick(mWindow.get(), Qt::Key_N, Qt::ShiftModifier);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_0")), QVariant(1));
  QVERIFY(image->pointOn(0));
  QTRY_VERIFY(imagePaints.count() > imageCount);
  QTRY_VERIFY(xyPaints.count() > xyCount);
  QCOMPARE(ViewTest::render(image), imageBefore);
  QCOMPARE(ViewTest::render(xy), xyBefore);

  // Shift with a letter left alone by a viewer reaches the main window.
  image->setFocus();
  QTest::keyClick(image, Qt::Key_L, Qt::ShiftModifier);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_6")), QVariant(1));
  xy->setFocus();
  QTest::keyClick(xy, Qt::Key_L, Qt::ShiftModifier);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_6")), QVariant(0));
  QVERIFY(!xy->pointOn(6));
  QVERIFY(!xy->hasLinkCountOn());
}

void TestViewers::applyOfThePreferencePagesRedraws() {
  openExample();
  Ux::TabDialog *prefs = mWindow->prefsTab();
  auto *imagePage = prefs->findChild<PhPrefsImageViewer *>();
  auto *objectPage = prefs->findChild<PhPrefsObjectViewer *>();
  QVERIFY(imagePage && objectPage);
  PhImageView *image = PhImageViewer::viewers().first()->imageView();
  PhObjectView *yz = PhObjectViewer::existingViewer(2)->objectView();
  PaintCounter imagePaints(image), yzPaints(yz);
  QApplication::processEvents();
  prefs->show();
  prefs->showPage(imagePage);
  imagePage->backgroundPicker()->setCurrentColor(Qt::cyan);
  int count = imagePaints.count();
  prefs->applyButton()->click();
  QCOMPARE(image->backgroundColor(), QColor(Qt::cyan));
  QTRY_VERIFY(imagePaints.count() > count);
  QCOMPARE(ViewTest::at(ViewTest::render(image), image, 5, 5), QColor(Qt::cyan));
  QCOMPARE(yz->backgroundColor(), QColor(Qt::white));
  prefs->showPage(objectPage);
  objectPage->backgroundPicker()->setCurrentColor(Qt::magenta);
  count = yzPaints.count();
  prefs->applyButton()->click();
  QCOMPARE(yz->backgroundColor(), QColor(Qt::magenta));
  QTRY_VERIFY(yzPaints.count() > count);
  const QImage drawn = ViewTest::render(yz);
  QVERIFY(countColour(drawn, Qt::magenta) > drawn.width() * drawn.height() / 2);
  QCOMPARE(image->backgroundColor(), QColor(Qt::cyan));
  prefs->hide();
}

void TestViewers::placementsComeBackAfterARestart() {
  openExample();
  // Three image viewers (on images out of list order), XY and YZ.
  QTreeView *list = mWindow->imageListView();
  for (int row : {5, 9}) {
    const QModelIndex index = mWindow->imageListModel()->index(row, 0);
    doubleClick(list->viewport(), list->visualRect(index).center());
  }
  QCOMPARE(PhImageViewer::viewers().size(), 3);
  QPointer<QWidget> xzFrame = PhObjectViewer::existingViewer(1)->frame();
  xzFrame->close();
  QTRY_VERIFY(xzFrame.isNull());
  QList<QRect> imageFrames;
  for (int i = 0; i < 3; ++i) {
    imageFrames << QRect(10 + 30 * i, 20 + 10 * i, 500 + i, 400 + i);
    PhImageViewer::viewers().at(i)->frame()->setGeometry(imageFrames.last());
  }
  const QRect xyFrame(520, 0, 420, 300), yzFrame(530, 320, 410, 310);
  PhObjectViewer::existingViewer(0)->frame()->setGeometry(xyFrame);
  PhObjectViewer::existingViewer(2)->frame()->setGeometry(yzFrame);

  // Exit, saving preferences and positions.
  const QString userCfg = Ux::App::getRep()->cfgFileUser();
  QFile::remove(userCfg);
  answerNextModal([](QWidget *w) {
    auto *dialog = qobject_cast<PhExitDialog *>(w);
    QVERIFY(dialog);
    dialog->preferencesBox()->setChecked(true);
    dialog->positionsCheck()->setChecked(true);
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
      if (button->text() == QLatin1String("Yes")) button->click();
  });
  {
    MessageCapture quiet;
    QVERIFY(mWindow->close());
  }
  QVERIFY(QFileInfo::exists(userCfg));
  QCOMPARE(Ux::Cfg::value(QStringLiteral("ImageViewer/#Viewer")), QVariant(3));
  for (const char *key : {"ImageViewer/Viewer_0", "ImageViewer/Viewer_1", "ImageViewer/Viewer_2",
                          "ImageViewer/Geometry_2", "ObjectViewer/Viewer_0", "ObjectViewer/Geometry_2"})
    QVERIFY2(Ux::Cfg::keys().contains(QString::fromLatin1(key)), key);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("ObjectViewer/ViewerOn_1")), QVariant(0));
  QVERIFY(!Ux::Cfg::keys().contains(QStringLiteral("ObjectViewer/Geometry_1")));

  // The restart.
  mWindow.reset();
  QVERIFY(PhImageViewer::viewers().isEmpty());
  Ux::Cfg::clear();
  QVERIFY(Ux::Cfg::load(userCfg, true));
  makeWindow();
  openExample();
  QCOMPARE(imageViewerIds(), (QList<int>{1001, 1002, 1003}));
  for (int i = 0; i < 3; ++i) QCOMPARE(PhImageViewer::viewers().at(i)->frame()->geometry(), imageFrames.at(i));
  QCOMPARE(openPlanes(), (QList<int>{0, 2}));
  QCOMPARE(PhObjectViewer::existingViewer(0)->frame()->geometry(), xyFrame);
  QCOMPARE(PhObjectViewer::existingViewer(2)->frame()->geometry(), yzFrame);
}

void TestViewers::restoringFollowsTheSettings_data() {
  QTest::addColumn<QVariantMap>("settings");
  QTest::addColumn<QList<int>>("planes");
  QTest::addColumn<int>("imageViewers");
  QTest::addColumn<QString>("warning");
  QTest::addRow("empty settings") << QVariantMap() << QList<int>{0, 1, 2} << 1 << QString();
  QTest::addRow("XZ switched off") << QVariantMap{{"ObjectViewer/ViewerOn_1", 0}} << QList<int>{0, 2} << 1
                                   << QString();
  QTest::addRow("all switched off, no image viewer")
      << QVariantMap{{"ObjectViewer/ViewerOn_0", 0},
                     {"ObjectViewer/ViewerOn_1", 0},
                     {"ObjectViewer/ViewerOn_2", 0},
                     {"ImageViewer/#Viewer", 0}}
      << QList<int>{} << 0 << QString();
  QTest::addRow("more image viewers than images") << QVariantMap{{"ImageViewer/#Viewer", 25}} << QList<int>{0, 1, 2}
                                                  << 18 << QString();
  QTest::addRow("damaged image viewer count")
      << QVariantMap{{"ImageViewer/#Viewer", 2000000000}} << QList<int>{0, 1, 2} << 18
      << "The setting ImageViewer/#Viewer (2000000000) is out of range; 64 image viewers are reopened.";
  QTest::addRow("stored rectangles that are not valid")
      << QVariantMap{{"ImageViewer/Geometry_0", QRect(10, 10, 0, 0)}, {"ObjectViewer/Geometry_0", QRect(5, 5, -3, 9)}}
      << QList<int>{0, 1, 2} << 1 << QString();
}

void TestViewers::restoringFollowsTheSettings() {
  QFETCH(QVariantMap, settings);
  QFETCH(QList<int>, planes);
  QFETCH(int, imageViewers);
  QFETCH(QString, warning);
  for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
    const QString group = it.key().section(QLatin1Char('/'), 0, 0);
    const QString key = it.key().section(QLatin1Char('/'), 1);
    Ux::Cfg cfg(group);
    if (it.value().typeId() == QMetaType::QRect)
      cfg.writeEntry(key, it.value().toRect());
    else
      cfg.writeEntry(key, it.value().toInt());
  }
  MessageCapture capture;
  openExample();
  QCOMPARE(openPlanes(), planes);
  QCOMPARE(PhImageViewer::viewers().size(), imageViewers);
  for (int i = 0; i < imageViewers; ++i)
    QCOMPARE(PhImageViewer::viewers().at(i)->currentImageId(), mWindow->images().at(i)->imageId());
  // Nothing but the example's missing BAX installation is reported.
  QStringList warnings = capture.texts(Nub::MsgWarn);
  warnings.removeIf([](const QString &text) { return text.contains(QLatin1String("Bax.ini")); });
  QCOMPARE(warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
  for (PhViewerWindow *viewer : allViewers()) {
    QVERIFY(viewer->frame()->geometry().isValid());
    QVERIFY(viewer->frame()->width() > 100);
  }
}

// A key shared by two items of one menu only cycles between them.
void TestViewers::everyMenuItemHasAKeyOfItsOwn() {
  openExample();
  // Texts kept as they were given, clashes and all.
  const QStringList given{QStringLiteral("&System configuration / &Select..."),
                          QStringLiteral("&Symboltitles / &Statusbar"),
                          QStringLiteral("&Toolbars / &Tool tips"),
                          QStringLiteral("&Tile / &Tile &horizontal"),
                          QStringLiteral("&Cascade / &Close"),
                          QStringLiteral("&Close / &Close all"),
                          QStringLiteral("Zoom to &Fit / &Fixed Zoom")};
  QStringList clashes;
  std::function<void(QMenu *, const QString &)> visit = [&](QMenu *menu, const QString &path) {
    QHash<QChar, QString> keys;
    for (QAction *action : menu->actions()) {
      const QString text = action->text();
      const int at = text.indexOf(QLatin1Char('&'));
      if (!action->isSeparator() && at >= 0 && at + 1 < text.size()) {
        const QChar key = text.at(at + 1).toLower();
        const QString pair = keys.value(key) + QStringLiteral(" / ") + text;
        if (keys.contains(key) && !given.contains(pair)) clashes << path + QStringLiteral(": ") + pair;
        keys.insert(key, text);
      }
      if (action->menu()) visit(action->menu(), path + QStringLiteral(" > ") + text);
    }
  };
  QList<QMenuBar *> bars{mWindow->menuBar()};
  for (PhViewerWindow *viewer : allViewers()) bars << viewer->findChildren<QMenuBar *>();
  for (QMenuBar *bar : bars) {
    QMenu top;
    for (QAction *action : bar->actions()) top.addAction(action);
    visit(&top, bar->window()->windowTitle());
  }
  QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
}

void TestViewers::closingDeletesTheViewersBeforeTheLists() {
  openExample();
  QList<int> countsSeen;
  QList<QPointer<QWidget>> frames;
  for (PhViewerWindow *viewer : allViewers()) {
    frames << viewer->frame();
    connect(viewer, &QObject::destroyed, this, [this, &countsSeen]() {
      countsSeen << mWindow->images().count() << mWindow->objects().count();
    });
  }
  QCOMPARE(frames.size(), 4);
  // Opening the project again closes the old one first: the same four again.
  QVERIFY(mWindow->openProject(exampleProject()));
  QCOMPARE(countsSeen.size(), 8);
  QVERIFY(!countsSeen.contains(0));
  for (const auto &frame : frames) QVERIFY(frame.isNull());
  QCOMPARE(allViewers().size(), 4);

  countsSeen.clear();
  for (PhViewerWindow *viewer : allViewers())
    connect(viewer, &QObject::destroyed, this, [this, &countsSeen]() {
      countsSeen << mWindow->images().count() << mWindow->objects().count();
    });
  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_File)->actions())
    if (action->text() == QLatin1String("&Close")) action->trigger();
  QVERIFY(!mWindow->hasProject());
  QCOMPARE(countsSeen.size(), 8);
  QVERIFY(!countsSeen.contains(0));
  QVERIFY(PhImageViewer::viewers().isEmpty());
  QVERIFY(openPlanes().isEmpty());
  QVERIFY(mWindow->workspace()->subWindowList().isEmpty());
}

namespace {
// Records, in order, the widgets deleted and the widgets sent a style change,
// by address only: a deleted widget must not get one afterwards.
class StyleChangeWatch : public QObject {
 public:
  explicit StyleChangeWatch(const QList<QWidget *> &widgets) {
    for (QWidget *widget : widgets)
      connect(widget, &QObject::destroyed, this, [this](QObject *gone) { mGone.insert(gone, ++mClock); });
    qApp->installEventFilter(this);
  }
  ~StyleChangeWatch() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::StyleChange && mGone.contains(watched)) mAfterDeletion = true;
    return false;
  }
  bool sentToDeletedWidget() const { return mAfterDeletion; }
  int deleted() const { return int(mGone.size()); }

 private:
  QHash<const QObject *, int> mGone;
  int mClock = 0;
  bool mAfterDeletion = false;
};
}  // namespace

// Viewers too narrow for their tool bars keep the rest in the menus of the
// extension buttons; a new desktop style lays them out anew, and a tool bar
// that fits then deletes that menu. That must not happen while the style
// change still walks all widgets (the GUI monkey found the crash).
void TestViewers::desktopStyleWithNarrowViewers() {
  openExample();
  QMdiArea *area = mWindow->workspace();
  QMenu *styles = nullptr;
  for (QAction *top : mWindow->menuBar()->actions())
    if (top->menu())
      for (QAction *entry : top->menu()->actions())
        if (entry->text() == QLatin1String("&Desktop-style")) styles = entry->menu();
  QVERIFY(styles);
  QVERIFY(styles->actions().size() >= 2);
  const QString before = QApplication::style()->name();
  int deleted = 0;
  // Low and narrow frames, around the sizes at which a tool bar's rest just
  // fits under one style and not under another.
  for (int height = 20; height <= 240 && deleted == 0; height += 4) {
    for (QMdiSubWindow *frame : area->subWindowList()) frame->resize(200 + height, height);
    QCoreApplication::processEvents();
    for (QAction *style : styles->actions()) {
      StyleChangeWatch watch(QApplication::allWidgets());
      style->trigger();
      QVERIFY2(!watch.sentToDeletedWidget(), qPrintable(style->text()));
      deleted += watch.deleted();
      QCoreApplication::processEvents();
    }
  }
  // The case itself came up: menus were deleted on the way.
  QVERIFY(deleted > 0);
  for (QAction *style : styles->actions())
    if (style->text().compare(before, Qt::CaseInsensitive) == 0) style->trigger();
}

TESSELLA_PROGRAM_TEST_MAIN(TestViewers)

#include "tst_viewers.moc"
