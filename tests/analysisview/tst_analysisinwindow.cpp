// The analysis dock inside the main window on the example project: placed
// as a tab beside the project view, filled when the project is read and
// emptied when it closes, its double clicks and the Object list's clicks
// answered by the window.

#include "programtest.h"
#include "phanalysisdock.h"
#include "phanalysistable.h"
#include "phcontroltable.h"
#include "phcontroltablemodel.h"
#include "phimage.h"
#include "phimagestatsmodel.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "viewtestutil.h"
#include "phinfotexts.h"
#include "phobjectlistmodel.h"
#include "phpointimagesmodel.h"
#include "phpointinspector.h"
#include "tessella.h"
#include "uxapp.h"
#include "uxcfg.h"

#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {

QString exampleProject() {
  return qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block/block.(p)");
}

QList<int> imageViewerIds() {
  QList<int> ids;
  for (PhImageViewer *viewer : PhImageViewer::viewers()) ids << viewer->currentImageId();
  return ids;
}

void doubleClickRow(QAbstractItemView *view, int row) {
  const QPoint pos = view->visualRect(view->model()->index(row, 0)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
}

QTabWidget *tabsOf(QWidget *page) {
  for (QWidget *w = page; w; w = w->parentWidget())
    if (auto *tabs = qobject_cast<QTabWidget *>(w)) return tabs;
  return nullptr;
}

}  // namespace

class TstAnalysisInWindow : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void besideTheProjectView();
  void filledOnOpenEmptiedOnClose();
  void doubleClicksOpenImageViewers();
  void objectListClickSetsTheInspectedPoint();
  void oneSelectionReachesImageViewersAndTables();

 private:
  std::unique_ptr<Tessella> mWindow;
};

void TstAnalysisInWindow::init() {
  Ux::Cfg::clear();
  mWindow = std::make_unique<Tessella>(QPixmap(10, 10));
  mWindow->show();
  mWindow->setGeometry(20, 20, 1300, 900);
  QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
}

void TstAnalysisInWindow::cleanup() {
  mWindow->setAskBeforeClosing(false);
  mWindow.reset();
  QVERIFY(PhImageViewer::viewers().isEmpty());
  QFile::remove(Ux::App::getRep()->cfgFileUser());
}

void TstAnalysisInWindow::besideTheProjectView() {
  PhAnalysisDock *dock = mWindow->analysisDock();
  QVERIFY(dock);
  QCOMPARE(mWindow->findChild<PhAnalysisDock *>(QStringLiteral("AnalysisDock")), dock);
  auto *project = mWindow->findChild<QDockWidget *>(QStringLiteral("ProjectView"));
  QVERIFY(project);
  QVERIFY(mWindow->tabifiedDockWidgets(project).contains(dock));
  QCOMPARE(mWindow->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
  // It widens the dock area no more than the project view does, and that
  // one stays in front.
  QVERIFY2(dock->sizeHint().width() <= project->sizeHint().width(),
           qPrintable(QStringLiteral("%1 > %2").arg(dock->sizeHint().width()).arg(project->sizeHint().width())));
  QVERIFY2(dock->minimumSizeHint().width() <= project->minimumSizeHint().width(),
           qPrintable(QStringLiteral("%1 > %2").arg(dock->minimumSizeHint().width()).arg(project->minimumSizeHint().width())));
  QVERIFY(!project->visibleRegion().isEmpty());
  QVERIFY(dock->visibleRegion().isEmpty());
  // Without a project the tables are empty.
  QCOMPARE(dock->imagesModel()->rowCount(), 0);
  QCOMPARE(dock->controlModel()->rowCount(), 0);
}

void TstAnalysisInWindow::filledOnOpenEmptiedOnClose() {
  QVERIFY(mWindow->openProject(exampleProject()));
  PhAnalysisDock *dock = mWindow->analysisDock();
  QCOMPARE(dock->imagesModel()->rowCount(), mWindow->images().count());
  QVERIFY(dock->imagesModel()->rowCount() > 0);
  QCOMPARE(dock->controlModel()->rowCount(), int(PhControlTable(mWindow->objects()).rows().size()));
  // A table row selects its point in the window's list.
  dock->raise();
  dock->tabs()->setCurrentIndex(PhAnalysisDock::TAB_Images);
  dock->imagesTable()->selectRow(0);
  QCOMPARE(mWindow->objects().selectedCount(), dock->imagesModel()->positionOfRow(0) >= 0 ? 1 : 0);

  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_File)->actions())
    if (action->text() == QLatin1String("&Close")) action->trigger();
  QVERIFY(!mWindow->hasProject());
  QCOMPARE(dock->imagesModel()->rowCount(), 0);
  QCOMPARE(dock->controlModel()->rowCount(), 0);
  QCOMPARE(dock->inspector()->pointId(), -1);
}

void TstAnalysisInWindow::doubleClicksOpenImageViewers() {
  QVERIFY(mWindow->openProject(exampleProject()));
  PhAnalysisDock *dock = mWindow->analysisDock();
  dock->raise();
  dock->tabs()->setCurrentIndex(PhAnalysisDock::TAB_Images);
  PhAnalysisTable *images = dock->imagesTable();
  images->sortByColumn(PhImageStatsModel::COL_Image, Qt::DescendingOrder);
  const QList<int> before = imageViewerIds();
  const int last = dock->imagesModel()->stats(0).imageId;
  doubleClickRow(images, 0);
  QCOMPARE(imageViewerIds(), before + QList<int>{last});

  // The inspector's image row: a viewer on that image.
  const int point = mWindow->images().at(0)->pointAt(0)->pointId();
  dock->tabs()->setCurrentIndex(PhAnalysisDock::TAB_Inspector);
  dock->setCurrentPoint(point);
  PhPointInspector *inspector = dock->inspector();
  QVERIFY(inspector->imagesModel()->rowCount() > 0);
  const int image = inspector->imagesModel()->row(0).imageId;
  doubleClickRow(inspector->imagesTable(), 0);
  const QList<int> expected = before + QList<int>{last, image};
  QCOMPARE(imageViewerIds(), expected);
}

void TstAnalysisInWindow::objectListClickSetsTheInspectedPoint() {
  QVERIFY(mWindow->openProject(exampleProject()));
  QTreeView *list = mWindow->objectListView();
  QTabWidget *tabs = tabsOf(list);
  QVERIFY(tabs);
  tabs->setCurrentWidget(list);
  const QModelIndex row = mWindow->objectListModel()->index(1, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(row).center());
  QCOMPARE(mWindow->analysisDock()->inspector()->pointId(), mWindow->objectListModel()->number(row));
}

// A control-table row selects its point in the image viewers too, which
// mark it at once; an image viewer's "Select Points in Object Viewers..."
// reaches the tables with no object viewer open; the inspector's image row
// opens a viewer with the point in view.
void TstAnalysisInWindow::oneSelectionReachesImageViewersAndTables() {
  QVERIFY(mWindow->openProject(exampleProject()));
  PhAnalysisDock *dock = mWindow->analysisDock();
  dock->raise();
  dock->tabs()->setCurrentIndex(PhAnalysisDock::TAB_Control);
  PhControlTableModel *control = dock->controlModel();
  // A control point's row and an image that measures it.
  int row = -1;
  const PhImage *image = nullptr;
  for (int r = 0; r < control->rowCount() && !image; ++r) {
    const PhObjectPoint *point = mWindow->objects().at(control->positionOfRow(r));
    if (point->isProjectionCentre()) continue;
    for (const PhImage *candidate : mWindow->images())
      if (candidate->hasPoint(point->pointId())) {
        row = r;
        image = candidate;
        break;
      }
  }
  QVERIFY(image);
  emit dock->sigShowImage(image->imageId());
  PhImageViewer *viewer = PhImageViewer::viewers().last();
  QCOMPARE(viewer->currentImageId(), image->imageId());
  PhImageView *view = viewer->imageView();
  view->slotZoom(10);
  const QImage before = ViewTest::screen(view);
  dock->controlTable()->selectRow(row);
  QCOMPARE(mWindow->objects().selectedCount(), 1);
  const QImage marked = ViewTest::screen(view);
  QVERIFY(marked != before);
  QCOMPARE(marked, ViewTest::render(view));

  // From the image viewer: the image's points, and the rows of its control
  // points in the table.
  dock->controlTable()->clearSelection();
  emit viewer->sigRequestSelection(const_cast<PhImage *>(image));
  QVERIFY(mWindow->objects().selectedCount() > 1);
  const QModelIndexList rows = dock->controlTable()->selectionModel()->selectedRows();
  QVERIFY(!rows.isEmpty());
  for (const QModelIndex &index : rows) {
    const PhObjectPoint *point = mWindow->objects().at(control->positionOfRow(index.row()));
    QVERIFY(point->isSelected());
  }

  // The inspector's row: a viewer with the point inside its viewport.
  const PhImagePoint *far = image->pointAt(image->pointCount() - 1);
  dock->tabs()->setCurrentIndex(PhAnalysisDock::TAB_Inspector);
  dock->setCurrentPoint(far->pointId());
  PhPointInspector *inspector = dock->inspector();
  int imageRow = -1;
  for (int r = 0; r < inspector->imagesModel()->rowCount(); ++r)
    if (inspector->imagesModel()->row(r).imageId == image->imageId()) imageRow = r;
  QVERIFY(imageRow >= 0);
  doubleClickRow(inspector->imagesTable(), imageRow);
  PhImageViewer *shown = PhImageViewer::viewers().last();
  QCOMPARE(shown->currentImageId(), image->imageId());
  PhImageView *farView = shown->imageView();
  farView->slotZoom(800);
  QVERIFY(farView->centreOnPoint(far->pointId()));
  const QPoint at = farView->contentsToViewport(farView->toContents(far->x(), far->y()));
  QVERIFY2(farView->viewport()->rect().contains(at), qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
}

TESSELLA_PROGRAM_TEST_MAIN(TstAnalysisInWindow)

#include "tst_analysisinwindow.moc"
