// The analysis dock with the object list's selection: a table selection
// selects its rows' points in one request and reaches an object view; a
// selection made elsewhere selects exactly its rows as merged ranges,
// without coming back; the point inspector for a point measured in two
// images; the double clicks that ask for an image viewer.

#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include "analysis/analysisfixture.h"
#include "phanalysisdock.h"
#include "phanalysistable.h"
#include "phcontroltablemodel.h"
#include "phglobal.h"
#include "phimagestatsmodel.h"
#include "phobjectview.h"
#include "phpointimagesmodel.h"
#include "phpointinspector.h"
#include "phselection.h"
#include "tessellatest.h"

namespace {

// Counts the selection's notifications.
class Counter : public PhSelectionObserver {
 public:
  explicit Counter(PhSelection &selection) : mSelection(selection) { selection.addObserver(this); }
  ~Counter() override { mSelection.removeObserver(this); }
  void selectionChanged(const PhSelectionChange &) override { ++changes; }
  void selectionGone() override {}
  int changes = 0;

 private:
  PhSelection &mSelection;
};

void selectRows(PhAnalysisTable *table, std::initializer_list<int> rows) {
  QItemSelection selection;
  const int last = table->model()->columnCount() - 1;
  for (int row : rows) selection.select(table->model()->index(row, 0), table->model()->index(row, last));
  table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// The selected rows as (top, bottom) ranges, in the order they are kept.
QList<QPair<int, int>> ranges(const PhAnalysisTable *table) {
  QList<QPair<int, int>> result;
  for (const QItemSelectionRange &range : table->selectionModel()->selection()) {
    result << qMakePair(range.top(), range.bottom());
    // Whole rows.
    if (range.left() != 0 || range.right() != table->model()->columnCount() - 1) result << qMakePair(-1, -1);
  }
  return result;
}

QPoint centreOfRow(const PhAnalysisTable *table, int row) {
  return table->visualRect(table->model()->index(row, 0)).center();
}

void doubleClickRow(PhAnalysisTable *table, int row) {
  const QPoint pos = centreOfRow(table, row);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
}

QStringList rowTexts(const QAbstractItemModel *model, int row) {
  QStringList texts;
  for (int c = 0; c < model->columnCount(); ++c) texts << model->index(row, c).data().toString();
  return texts;
}

}  // namespace

class TstPhAnalysisDock : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void tableSelectionSelectsPointsOnce();
  void selectionElsewhereSelectsRows();
  void sortedTableShowsSelectionInRanges();
  void inspectorShowsPointInTwoImages();
  void currentPointFollowsClicksAndSingleSelection();
  void doubleClicksAskForImages();
  void clearLetsGoOfTheList();
};

void TstPhAnalysisDock::tableSelectionSelectsPointsOnce() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  PhObjectView view(PhGlobal::PL_XY);
  view.setData(&b.objects, true);
  Counter counter(b.objects.selection());

  // Rows 2 Y and 11 X: their points, each once, in one request.
  selectRows(dock.controlTable(), {1, 4});
  QCOMPARE(counter.changes, 1);
  QCOMPARE(b.selectedIds(), (QList<int>{2, 11}));
  QCOMPARE(b.objects.selectedCount(), 2);
  // The object view was told: centre 11 is in its image set.
  QCOMPARE(view.imageSet().keys(), QList<int>{11});
  // The other table shows it; the table the change came from keeps its rows.
  QCOMPARE(ranges(dock.imagesTable()), (QList<QPair<int, int>>{{1, 1}}));
  QCOMPARE(dock.controlTable()->selectedRowNumbers(), (std::vector<int>{1, 4}));

  // An images row stands for its centre; image 9 has none.
  selectRows(dock.imagesTable(), {0, 2});
  QCOMPARE(counter.changes, 2);
  QCOMPARE(b.selectedIds(), QList<int>{10});
  QCOMPARE(view.imageSet().keys(), QList<int>{10});
  QVERIFY(!dock.controlTable()->selectionModel()->hasSelection());

  dock.imagesTable()->clearSelection();
  QCOMPARE(counter.changes, 3);
  QCOMPARE(b.objects.selectedCount(), 0);
  QVERIFY(view.imageSet().isEmpty());
}

void TstPhAnalysisDock::selectionElsewhereSelectsRows() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  Counter counter(b.objects.selection());
  // Points 2 and 3: the control rows 0 to 3 as one range.
  b.objects.selection().applySearch(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_PointId, QStringLiteral("2"),
                                    QStringLiteral("3"), false);
  QCOMPARE(b.selectedIds(), (QList<int>{2, 3}));
  QCOMPARE(ranges(dock.controlTable()), (QList<QPair<int, int>>{{0, 3}}));
  QVERIFY(!dock.imagesTable()->selectionModel()->hasSelection());
  // Showing it asked the list for nothing more.
  QCOMPARE(counter.changes, 1);

  // Centres 10 and 11 and point 2: two control ranges, images rows 0 and 1.
  b.objects.selection().selectIndices({b.position(2), b.position(10), b.position(11)}, false);
  QCOMPARE(ranges(dock.controlTable()), (QList<QPair<int, int>>{{0, 2}, {4, 5}}));
  QCOMPARE(ranges(dock.imagesTable()), (QList<QPair<int, int>>{{0, 1}}));
  QCOMPARE(counter.changes, 2);
  QCOMPARE(b.selectedIds(), (QList<int>{2, 10, 11}));

  b.objects.deselectAll();
  QVERIFY(!dock.controlTable()->selectionModel()->hasSelection());
  QVERIFY(!dock.imagesTable()->selectionModel()->hasSelection());
  QCOMPARE(counter.changes, 3);
}

void TstPhAnalysisDock::sortedTableShowsSelectionInRanges() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  PhAnalysisTable *control = dock.controlTable();
  // 11 X, 11 Y, 3 Z, 2 X, 2 Y, 2 Z
  control->sortByColumn(PhControlTableModel::COL_Point, Qt::DescendingOrder);
  b.objects.selection().selectIndices({b.position(11), b.position(2)}, false);
  QCOMPARE(ranges(control), (QList<QPair<int, int>>{{0, 1}, {3, 5}}));
  // Selected before a project is shown: the rows show it at once.
  AnalysisBlock other;
  other.objects.selection().selectIndices({other.position(3)}, false);
  dock.setProject(&other.images, &other.objects);
  QCOMPARE(ranges(control), (QList<QPair<int, int>>{{2, 2}}));
}

void TstPhAnalysisDock::inspectorShowsPointInTwoImages() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  PhPointInspector *inspector = dock.inspector();
  // Typed, then Enter.
  inspector->idEdit()->setText(QStringLiteral("1"));
  QTest::keyClick(inspector->idEdit(), Qt::Key_Return);
  QCOMPARE(inspector->pointId(), 1);
  QCOMPARE(inspector->typeText(), PhControlTableModel::typeName(100));
  QCOMPARE(inspector->coordinateText(0), QStringLiteral("10.0000"));
  QCOMPARE(inspector->coordinateText(1), QStringLiteral("20.0000"));
  QCOMPARE(inspector->sigmaText(2), QStringLiteral("0.3000"));
  QCOMPARE(inspector->observations()->rowCount(), 0);
  const PhPointImagesModel *images = inspector->imagesModel();
  QCOMPARE(images->rowCount(), 2);
  QCOMPARE(rowTexts(images, 0),
           (QStringList{"10", "1.0000", "1.0000", "3.00000", "4.00000", "5.00000", "adjusted"}));
  QCOMPARE(rowTexts(images, 1),
           (QStringList{"11", "1.5000", "1.2500", "1.00000", "1.00000", "1.41421", "eliminated"}));
  dock.setUnit(PhResidualUnit::Micrometre);
  QCOMPARE(rowTexts(images, 0),
           (QStringList{"10", "1.0000", "1.0000", "3000.00", "4000.00", "5000.00", "adjusted"}));
  QVERIFY(images->headerData(PhPointImagesModel::COL_Residual, Qt::Horizontal).toString().endsWith(
      QString(QChar(0x00b5)) + QStringLiteral("m]")));

  // A control point's observations, per observed axis.
  inspector->setPoint(2);
  const QTableWidget *obs = inspector->observations();
  QCOMPARE(obs->rowCount(), 3);
  QCOMPARE(obs->verticalHeaderItem(2)->text(), QStringLiteral("Z"));
  QCOMPARE(obs->item(2, 0)->text(), QStringLiteral("30.0000"));
  QCOMPARE(obs->item(2, 1)->text(), QStringLiteral("2.0000"));
  QCOMPARE(obs->item(2, 3)->text(), QStringLiteral("no"));
  QCOMPARE(obs->item(0, 3)->text(), QStringLiteral("yes"));
  QCOMPARE(images->rowCount(), 2);  // images 10 and 9

  // An ID without an object point still shows nothing stale.
  inspector->setPoint(4711);
  QVERIFY(inspector->typeText().contains(QStringLiteral("4711")));
  QVERIFY(inspector->coordinateText(0).isEmpty());
  QCOMPARE(obs->rowCount(), 0);
  QCOMPARE(images->rowCount(), 0);
}

void TstPhAnalysisDock::currentPointFollowsClicksAndSingleSelection() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  dock.resize(700, 500);
  dock.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dock));
  // One selected point, from anywhere.
  b.objects.selection().selectIndices({b.position(3)}, false);
  QCOMPARE(dock.inspector()->pointId(), 3);
  // Two: the inspector stays.
  b.objects.selection().selectIndices({b.position(1), b.position(2)}, false);
  QCOMPARE(dock.inspector()->pointId(), 3);

  dock.tabs()->setCurrentIndex(PhAnalysisDock::TAB_Control);
  PhAnalysisTable *control = dock.controlTable();
  QTest::mouseClick(control->viewport(), Qt::LeftButton, Qt::NoModifier, centreOfRow(control, 4));
  QCOMPARE(dock.inspector()->pointId(), 11);
  dock.tabs()->setCurrentIndex(PhAnalysisDock::TAB_Images);
  PhAnalysisTable *images = dock.imagesTable();
  QTest::mouseClick(images->viewport(), Qt::LeftButton, Qt::NoModifier, centreOfRow(images, 0));
  QCOMPARE(dock.inspector()->pointId(), 10);
}

void TstPhAnalysisDock::doubleClicksAskForImages() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  dock.resize(700, 500);
  dock.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dock));
  QSignalSpy showImage(&dock, &PhAnalysisDock::sigShowImage);
  QSignalSpy showPoint(&dock, &PhAnalysisDock::sigShowImagePoint);
  PhAnalysisTable *images = dock.imagesTable();
  images->sortByColumn(PhImageStatsModel::COL_Image, Qt::DescendingOrder);  // 11, 10, 9
  doubleClickRow(images, 2);
  QCOMPARE(showImage.count(), 1);
  QCOMPARE(showImage.at(0).at(0).toInt(), 9);

  dock.tabs()->setCurrentIndex(PhAnalysisDock::TAB_Inspector);
  dock.setCurrentPoint(1);
  PhAnalysisTable *rows = dock.inspector()->imagesTable();
  doubleClickRow(rows, 1);
  QCOMPARE(showPoint.count(), 1);
  QCOMPARE(showPoint.at(0).at(0).toInt(), 11);
  QCOMPARE(showPoint.at(0).at(1).toInt(), 1);
  QCOMPARE(showImage.count(), 1);
}

void TstPhAnalysisDock::clearLetsGoOfTheList() {
  auto b = std::make_unique<AnalysisBlock>();
  PhAnalysisDock dock;
  dock.setProject(&b->images, &b->objects);
  dock.setCurrentPoint(2);
  dock.clear();
  QCOMPARE(dock.imagesModel()->rowCount(), 0);
  QCOMPARE(dock.controlModel()->rowCount(), 0);
  QCOMPARE(dock.inspector()->pointId(), -1);
  // No longer told: a change of the list's selection leaves the dock alone.
  b->objects.selection().selectIndices({b->position(2)}, false);
  QVERIFY(!dock.controlTable()->selectionModel()->hasSelection());
  QCOMPARE(dock.inspector()->pointId(), -1);
  // A list that goes while shown empties the tables with it.
  dock.setProject(&b->images, &b->objects);
  QCOMPARE(dock.controlModel()->rowCount(), 6);
  b.reset();
  QCOMPARE(dock.controlModel()->rowCount(), 0);
  QCOMPARE(dock.imagesModel()->rowCount(), 0);
  dock.clear();
}

TESSELLA_TEST_MAIN(TstPhAnalysisDock)
#include "tst_phanalysisdock.moc"
