// The selection of an object list: every change keeps the flags, the
// positions, the count and the image set together, and tells each observer
// once what changed, however many observe it.

#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

#include "phglobal.h"
#include "phimage.h"
#include "phimagelist.h"
#include "messagecapture.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phselection.h"

namespace {

// Object points 1..6 (point 4 a blunder), the projection centres of images
// 10 and 11, and of 12, whose image is missing;
// image 10 measures points 1, 2, 3, image 11 points 3..6, with point 5
// eliminated there.
struct Block {
  PhImageList images;
  PhObjectList objects;

  Block() {
    PhImage::clearPointIndex();
    for (int id = 1; id <= 6; ++id) add(id, 100, id != 4);
    add(10, 900, true);
    add(11, 900, true);
    add(12, 900, true);
    addImage(10, {1, 2, 3});
    addImage(11, {3, 4, 5, 6});
  }
  ~Block() {
    objects.clear();
    images.clear();
    PhImage::clearPointIndex();
  }
  void add(int id, int code, bool accepted) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(code);
    point->setAdjustedValues(id, id, id, 0.5f, 0.5f, 0.5f);
    if (!accepted) point->setAccepted(false);
    objects.append(point);
  }
  void addImage(int id, const QList<int> &points) {
    auto *image = new PhImage;
    image->setImageId(id);
    for (int point : points) image->addPoint(point, point != 5, 1.0f * point, 2.0f, 0.0f, 0.0f, 1.0f);
    images.append(image);
  }
  int at(int id) const {
    for (int i = 0; i < objects.count(); ++i)
      if (objects.at(i)->pointId() == id) return i;
    return -1;
  }
};

QList<int> flaggedIds(const PhObjectList &list) {
  QList<int> ids;
  for (const PhObjectPoint *point : list)
    if (point->isSelected()) ids << point->pointId();
  return ids;
}

QList<int> idsAt(const PhObjectList &list, const std::vector<int> &indices) {
  QList<int> ids;
  for (int i : indices) ids << list.at(i)->pointId();
  return ids;
}

QList<int> sortedKeys(const QHash<int, PhObjectPoint *> &set) {
  QList<int> keys = set.keys();
  std::sort(keys.begin(), keys.end());
  return keys;
}

// Records what it is told; checks on every change that the selection it
// watches agrees with the flags.
class Recorder : public PhSelectionObserver {
 public:
  explicit Recorder(PhObjectList &list) : mList(&list) { list.selection().addObserver(this); }
  ~Recorder() override {
    if (mList) mList->selection().removeObserver(this);
  }
  void selectionChanged(const PhSelectionChange &change) override {
    ++calls;
    whole = change.whole;
    changed = idsAt(*mList, change.changed);
    std::sort(changed.begin(), changed.end());
    consistent = consistent && idsAt(*mList, mList->selection().indices()) == flaggedIds(*mList) &&
                 mList->selectedCount() == int(flaggedIds(*mList).size());
  }
  void selectionGone() override {
    mList = nullptr;
    gone = true;
  }

  PhObjectList *mList;
  int calls = 0;
  bool whole = false;
  bool gone = false;
  bool consistent = true;
  QList<int> changed;
};

}  // namespace

class TstPhSelection : public QObject {
  Q_OBJECT

 private slots:
  void selectingByPositions();
  void selectingTheImagePoints();
  void searchRequests_data();
  void searchRequests();
  void oneRequestOneSearchOneWarning();
  void anUnreadableRequestChangesNothing();
  void theListKeepsItsSelection();
  void observersLetGoWhenTheListGoes();
};

void TstPhSelection::selectingByPositions() {
  Block b;
  Recorder first(b.objects);
  Recorder second(b.objects);
  PhSelection &selection = b.objects.selection();
  // Out of order, repeated and out of range, as a band over a grid gives them.
  selection.selectIndices({b.at(3), b.at(1), b.at(11), -1, 999, b.at(3)}, false);
  QCOMPARE(flaggedIds(b.objects), (QList<int>{1, 3, 11}));
  QCOMPARE(idsAt(b.objects, selection.indices()), (QList<int>{1, 3, 11}));
  QCOMPARE(sortedKeys(selection.imageSet()), QList<int>{11});
  for (Recorder *r : {&first, &second}) {
    QCOMPARE(r->calls, 1);
    QCOMPARE(r->changed, (QList<int>{1, 3, 11}));
    QVERIFY(!r->whole);
  }

  // Adding tells only what is new.
  selection.selectIndices({b.at(1), b.at(2)}, true);
  QCOMPARE(first.changed, QList<int>{2});
  QCOMPARE(selection.count(), 4);

  // A new band replaces: the points left and the points entered change; the
  // image set starts afresh.
  selection.selectIndices({b.at(2), b.at(6)}, false);
  QCOMPARE(flaggedIds(b.objects), (QList<int>{2, 6}));
  QVERIFY(selection.imageSet().isEmpty());
  QVERIFY(first.changed.contains(1) && first.changed.contains(3) && first.changed.contains(11) &&
          first.changed.contains(6));

  b.objects.deselectAll();
  QVERIFY(flaggedIds(b.objects).isEmpty());
  QCOMPARE(b.objects.selectedCount(), 0);
  QCOMPARE(first.changed, (QList<int>{2, 6}));
  QCOMPARE(second.calls, 4);
  QVERIFY(first.consistent && second.consistent);
}

void TstPhSelection::selectingTheImagePoints() {
  Block b;
  Recorder r(b.objects);
  PhSelection &selection = b.objects.selection();
  selection.selectImagePoints(PhImageList::image(10), true);
  QCOMPARE(flaggedIds(b.objects), (QList<int>{1, 2, 3, 10}));
  QCOMPARE(sortedKeys(selection.imageSet()), QList<int>{10});
  // Added: both images' points, both centres in the image set.
  selection.selectImagePoints(PhImageList::image(11), false);
  QCOMPARE(flaggedIds(b.objects), (QList<int>{1, 2, 3, 4, 5, 6, 10, 11}));
  QCOMPARE(sortedKeys(selection.imageSet()), (QList<int>{10, 11}));
  QCOMPARE(r.changed, (QList<int>{4, 5, 6, 11}));
  // Erasing: only image 11's.
  selection.selectImagePoints(PhImageList::image(11), true);
  QCOMPARE(flaggedIds(b.objects), (QList<int>{3, 4, 5, 6, 11}));
  QCOMPARE(sortedKeys(selection.imageSet()), QList<int>{11});
  // No image: nothing happens, nobody is told.
  selection.selectImagePoints(nullptr, true);
  QCOMPARE(r.calls, 3);
  QVERIFY(r.consistent);
}

void TstPhSelection::searchRequests_data() {
  QTest::addColumn<int>("selectionMode");
  QTest::addColumn<int>("searchMode");
  QTest::addColumn<QString>("par1");
  QTest::addColumn<QString>("par2");
  QTest::addColumn<bool>("pattern");
  QTest::addColumn<QList<int>>("selected");
  QTest::addColumn<QList<int>>("imageSet");
  QTest::addColumn<QList<int>>("changed");
  const int erase = PhGlobal::SEL_EraseExisting;
  const int add = PhGlobal::SEL_AddToExisting;
  // Before each row points 2 and 3 and the centre of image 10 are selected
  // (10 in the image set).
  QTest::newRow("point IDs 3..5, erase") << erase << int(PhGlobal::SEARCH_PointId) << "3" << "5" << false
                                         << QList<int>{3, 4, 5} << QList<int>{} << QList<int>{2, 4, 5, 10};
  QTest::newRow("point IDs 5.., add") << add << int(PhGlobal::SEARCH_PointId) << "5" << "" << false
                                      << QList<int>{2, 3, 5, 6, 10} << QList<int>{10} << QList<int>{5, 6};
  QTest::newRow("image IDs by pattern, erase") << erase << int(PhGlobal::SEARCH_ImageId) << "1?" << "" << true
                                               << QList<int>{10, 11, 12} << QList<int>{10, 11, 12}
                                               << QList<int>{2, 3, 11, 12};
  // Point 4 rejected; 5 eliminated in image 11; 11 has an eliminated
  // point; 12 has no image, which is said and finds nothing.
  QTest::newRow("blunders, erase") << erase << int(PhGlobal::SEARCH_Blunder) << "" << "" << false
                                   << QList<int>{4, 5, 11} << QList<int>{11} << QList<int>{2, 3, 4, 5, 10, 11};
}

void TstPhSelection::searchRequests() {
  QFETCH(int, selectionMode);
  QFETCH(int, searchMode);
  QFETCH(QString, par1);
  QFETCH(QString, par2);
  QFETCH(bool, pattern);
  Block b;
  PhSelection &selection = b.objects.selection();
  selection.selectIndices({b.at(2), b.at(3), b.at(10)}, false);
  Recorder r(b.objects);
  MessageCapture capture;
  selection.applySearch(selectionMode, searchMode, par1, par2, pattern);
  QTEST(flaggedIds(b.objects), "selected");
  QTEST(sortedKeys(selection.imageSet()), "imageSet");
  QTEST(r.changed, "changed");
  QCOMPARE(r.calls, 1);
  QVERIFY(!r.whole);
  QVERIFY(r.consistent);
}

void TstPhSelection::oneRequestOneSearchOneWarning() {
  Block b;
  // Three views of one list, as with all object viewers open.
  Recorder xy(b.objects), xz(b.objects), yz(b.objects);
  MessageCapture capture;
  b.objects.selection().applySearch(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_Blunder, QString(), QString(),
                                    false);
  // Said once per search run: the search ran once.
  QCOMPARE(capture.count(Nub::MsgWarn, QStringLiteral("no image for for imageID found")), 1);
  for (Recorder *r : {&xy, &xz, &yz}) QCOMPARE(r->calls, 1);
}

void TstPhSelection::anUnreadableRequestChangesNothing() {
  Block b;
  PhSelection &selection = b.objects.selection();
  selection.selectIndices({b.at(2)}, false);
  Recorder r(b.objects);
  MessageCapture capture;
  selection.applySearch(PhGlobal::SEL_EraseExisting, PhGlobal::SEARCH_Links, QStringLiteral("x"), QString(), false);
  selection.applySearch(PhGlobal::SEL_EraseExisting, 77, QString(), QString(), false);
  QCOMPARE(capture.warnings(), (QStringList{"Can't decode number from 'x'!", "Illegal Search-Mode (77)!"}));
  QCOMPARE(flaggedIds(b.objects), QList<int>{2});
  QCOMPARE(r.calls, 0);
}

void TstPhSelection::theListKeepsItsSelection() {
  // Points that arrive selected are counted; sorting moves their positions.
  PhObjectList list;
  for (int id : {5, 3, 9, 1}) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(id == 9 ? 900 : 100);
    point->setSelected(id != 1);
    list.append(point);
  }
  QCOMPARE(list.selectedCount(), 3);
  QCOMPARE(sortedKeys(list.selection().imageSet()), QList<int>{9});
  list.sort();
  QCOMPARE(idsAt(list, list.selection().indices()), (QList<int>{3, 5, 9}));
  list.deselectAll();
  QCOMPARE(list.selectedCount(), 0);
  for (const PhObjectPoint *p : list) QVERIFY(!p->isSelected());
  list.selection().selectIndices({0, 1}, false);
  list.clear();
  QCOMPARE(list.selectedCount(), 0);
  QVERIFY(list.selection().imageSet().isEmpty());
}

void TstPhSelection::observersLetGoWhenTheListGoes() {
  auto list = std::make_unique<PhObjectList>();
  Recorder r(*list);
  list.reset();
  QVERIFY(r.gone);
  QVERIFY(!r.mList);
}

QTEST_GUILESS_MAIN(TstPhSelection)
#include "tst_phselection.moc"
