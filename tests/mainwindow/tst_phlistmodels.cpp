#include "phballs.h"
#include "phglobal.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagelistmodel.h"
#include "phobjectlist.h"
#include "phobjectlistmodel.h"
#include "phobjectpoint.h"

#include <QAbstractItemModelTester>
#include <QPixmap>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <numeric>
#include <vector>

class TestPhListModels : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void imageRowsSortNumerically_data();
  void imageRowsSortNumerically();
  void objectRowsShowStoredValues();
  void objectRowsSortByStoredValues_data();
  void objectRowsSortByStoredValues();
  void successiveSortsAreStable();
  void imageRowsOfAPointAreMadeOnce();
  void persistentRowsFollowTheSort();
  void emptyModels();

 private:
  void addImage(int id, int points) {
    auto *image = new PhImage;
    image->setImageId(id);
    for (int i = 0; i < points; ++i) image->addPoint(1000 + i, true, 0, 0, 0, 0, 1);
    mImages.append(image);
  }
  void addPoint(int id, int code, bool accepted) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(code);
    point->setAccepted(accepted);
    mObjects.append(point);
  }
  QStringList column(const QAbstractItemModel &model, int col, const QModelIndex &parent = QModelIndex()) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(parent); ++row) texts << model.index(row, col, parent).data().toString();
    return texts;
  }

  PhImageList mImages;
  PhObjectList mObjects;
};

void TestPhListModels::init() {
  addImage(10, 3);
  addImage(9, 12);
  addImage(100, 1);
  addPoint(900, 900, true);
  addPoint(17, 200, true);
  addPoint(5, -1, false);
  addPoint(1003, 100, false);
}

void TestPhListModels::cleanup() {
  PhImage::clearPointIndex();
  mImages.clear();
  mObjects.clear();
}

void TestPhListModels::imageRowsSortNumerically_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("order");
  QTest::addColumn<QStringList>("ids");
  QTest::addRow("id ascending") << 0 << int(Qt::AscendingOrder) << QStringList{"9", "10", "100"};
  QTest::addRow("id descending") << 0 << int(Qt::DescendingOrder) << QStringList{"100", "10", "9"};
  QTest::addRow("coords ascending") << 1 << int(Qt::AscendingOrder) << QStringList{"100", "10", "9"};
}

void TestPhListModels::imageRowsSortNumerically() {
  QFETCH(int, column);
  QFETCH(int, order);
  QFETCH(QStringList, ids);
  PhImageListModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  model.fill(&mImages);
  QCOMPARE(this->column(model, 0), (QStringList{"10", "9", "100"}));
  QCOMPARE(this->column(model, 1), (QStringList{"3", "12", "1"}));
  model.sort(column, Qt::SortOrder(order));
  QCOMPARE(this->column(model, 0), ids);
  QCOMPARE(model.imageId(0), ids.first().toInt());
  QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("# Coords"));
}

void TestPhListModels::objectRowsShowStoredValues() {
  PhObjectListModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  model.fill(&mObjects);
  QCOMPARE(column(model, 0), (QStringList{"900", "17", "5", "1003"}));
  QCOMPARE(column(model, 1), (QStringList{"Projection Centre", "Vertical Control Point", "Lonely Image Point", "New Point"}));
  QCOMPARE(column(model, 2), (QStringList{"", "", "", ""}));
  QVERIFY(phGreenBall() && phRedBall());
  QCOMPARE(model.index(0, 2).data(Qt::DecorationRole).value<QPixmap>().toImage(), phGreenBall()->toImage());
  QCOMPARE(model.index(2, 2).data(Qt::DecorationRole).value<QPixmap>().toImage(), phRedBall()->toImage());
  QCOMPARE(phRedBall()->size(), QSize(14, 14));
  for (int row = 0; row < 4; ++row) QVERIFY(model.hasChildren(model.index(row, 0)));
  QCOMPARE(model.rowCount(model.index(0, 0)), 0);
}

void TestPhListModels::objectRowsSortByStoredValues_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("order");
  QTest::addColumn<QStringList>("ids");
  QTest::addRow("id") << 0 << int(Qt::AscendingOrder) << QStringList{"5", "17", "900", "1003"};
  QTest::addRow("id descending") << 0 << int(Qt::DescendingOrder) << QStringList{"1003", "900", "17", "5"};
  // Lonely (-1) before new (100) before vertical control (200) before projection centre (900).
  QTest::addRow("type by code") << 1 << int(Qt::AscendingOrder) << QStringList{"5", "1003", "17", "900"};
  // Blunders first; equal flags keep their order.
  QTest::addRow("blunder") << 2 << int(Qt::AscendingOrder) << QStringList{"5", "1003", "900", "17"};
}

void TestPhListModels::objectRowsSortByStoredValues() {
  QFETCH(int, column);
  QFETCH(int, order);
  QFETCH(QStringList, ids);
  PhObjectListModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  model.fill(&mObjects);
  model.sort(column, Qt::SortOrder(order));
  QCOMPARE(this->column(model, 0), ids);
}

// Many rows with ties and negative values, sorted in turn by every column
// both ways: each sort keeps the previous order among equal values.
void TestPhListModels::successiveSortsAreStable() {
  PhObjectList objects;
  QRandomGenerator random(5);
  const int codes[] = {-1, 100, 101, 200, 300, 500, 900};
  for (int i = 0; i < 5000; ++i) {
    auto *point = new PhObjectPoint;
    point->setPointId(i % 3 ? int(random.bounded(-40, 40)) : int(random.generate()));
    point->setCode(codes[random.bounded(7)]);
    point->setAccepted(random.bounded(4) != 0);
    objects.append(point);
  }
  PhObjectListModel model;
  model.fill(&objects);
  std::vector<int> expected(std::size_t(objects.count()));
  std::iota(expected.begin(), expected.end(), 0);
  const auto key = [&](int position, int col) {
    const PhObjectPoint *p = objects.at(position);
    return col == 0 ? p->pointId() : col == 1 ? p->code() : int(p->isAccepted());
  };
  const int steps[][2] = {{1, 0}, {0, 1}, {2, 1}, {0, 0}, {1, 1}, {2, 0}, {0, 1}};
  for (const auto &step : steps) {
    const int col = step[0];
    const bool descending = step[1] != 0;
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
      return descending ? key(b, col) < key(a, col) : key(a, col) < key(b, col);
    });
    model.sort(col, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    for (int row = 0; row < model.rowCount(); ++row)
      QCOMPARE(model.index(row, 0).data().toString(),
               QString::number(objects.at(expected[std::size_t(row)])->pointId()));
    QCOMPARE(model.index(0, 1).data().toString(),
             PhGlobal::pointTypeName(PhGlobal::pointTypeOfCode(objects.at(expected[0])->code()), false));
  }
}

void TestPhListModels::imageRowsOfAPointAreMadeOnce() {
  PhObjectListModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  model.fill(&mObjects);
  model.sort(0, Qt::AscendingOrder);
  const QModelIndex row = model.index(1, 0);  // point 17
  QVERIFY(!model.hasImageRows(row));
  model.setImagesOfRow(row, {9, 10, 100});
  QVERIFY(model.hasImageRows(row));
  // Image rows compare as text.
  QCOMPARE(column(model, 0, row), (QStringList{"10", "100", "9"}));
  model.setImagesOfRow(row, {9, 10, 100});
  QCOMPARE(model.rowCount(row), 3);
  QCOMPARE(model.number(model.index(2, 0, row)), 9);
  QVERIFY(!model.isPointRow(model.index(0, 0, row)));
  QCOMPARE(model.parent(model.index(0, 0, row)), row);
  model.sort(0, Qt::DescendingOrder);
  const QModelIndex moved = model.index(2, 0);
  QCOMPARE(moved.data().toString(), QStringLiteral("17"));
  QCOMPARE(column(model, 0, moved), (QStringList{"9", "100", "10"}));
  model.setImagesOfRow(model.index(0, 0), {});
  QVERIFY(model.hasImageRows(model.index(0, 0)));
  QCOMPARE(model.rowCount(model.index(0, 0)), 0);
}

void TestPhListModels::persistentRowsFollowTheSort() {
  PhObjectListModel model;
  model.fill(&mObjects);
  const QPersistentModelIndex point17(model.index(1, 0));
  model.setImagesOfRow(point17, {10, 9});
  const QPersistentModelIndex image9(model.index(1, 0, point17));
  QCOMPARE(image9.data().toString(), QStringLiteral("9"));
  model.sort(0, Qt::AscendingOrder);
  QCOMPARE(point17.data().toString(), QStringLiteral("17"));
  QCOMPARE(point17.row(), 1);
  QCOMPARE(image9.data().toString(), QStringLiteral("9"));
  QCOMPARE(image9.parent(), QModelIndex(point17));

  PhImageListModel images;
  images.fill(&mImages);
  const QPersistentModelIndex image100(images.index(2, 1));
  images.sort(0, Qt::DescendingOrder);
  QCOMPARE(image100.row(), 0);
  QCOMPARE(image100.column(), 1);
}

void TestPhListModels::emptyModels() {
  PhObjectListModel objects;
  QAbstractItemModelTester tester(&objects, QAbstractItemModelTester::FailureReportingMode::QtTest);
  objects.fill(&mObjects);
  objects.clear();
  QCOMPARE(objects.rowCount(), 0);
  QVERIFY(!objects.hasChildren());
  objects.sort(1);
  PhImageListModel images;
  images.sort(0);
  QCOMPARE(images.rowCount(), 0);
  QCOMPARE(images.imageId(0), -1);
}

QTEST_MAIN(TestPhListModels)
#include "tst_phlistmodels.moc"
