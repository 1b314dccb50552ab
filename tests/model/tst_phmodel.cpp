#include <QRandomGenerator>
#include <map>
#include <vector>
#include <QMetaType>
#include <QTest>
#include <cmath>
#include <limits>
#include <memory>

#include "nubmath.h"
#include "phglobal.h"
#include "phimage.h"
#include "phimagelist.h"
#include "messagecapture.h"
#include "phfixture.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

class TstPhModel : public QObject {
  Q_OBJECT

 private slots:
  void init() { phResetModel(); }
  void cleanup() { phResetModel(); }

  void pointTypeNames_data();
  void pointTypeNames();
  void otherNames_data();
  void otherNames();
  void pointTypeOfCode_data();
  void pointTypeOfCode();
  void modeEnumsTravelByQualifiedName();

  void samePointIdTwiceKeepsTheSecondAndListsTheImageOnce();
  void linksCountTheImagesContainingAnId();
  void largestResidual_data();
  void largestResidual();
  void extentsGrowWithPointsOfAnySign();
  void manyPointsAreFoundAndKeepTheirOrder();
  void clearedPointIndexIsRebuiltByLaterPoints();
  void imagesFilledInTurnsMatchAPlainModel();
  void destroyedImageLeavesTheIndexes();
  void adjustedPointCountUsesTheImageIndex();
  void projectionCentreByPlane_data();
  void projectionCentreByPlane();

  void imageListIndexAndSorting();

  void objectPointByPlane_data();
  void objectPointByPlane();
  void observedAxis_data();
  void observedAxis();
  void rejection_data();
  void rejection();
  void objectCoordinatesKeepDoublePrecision();

  void objectListExtents();
  void objectListFindsFirstInListOrder();

};

void TstPhModel::pointTypeNames_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("withAccel");
  QTest::addColumn<QString>("plain");
  QTest::addRow("new") << 0 << "&New Point" << "New Point";
  QTest::addRow("vertical") << 1 << "&Vertical Control Point" << "Vertical Control Point";
  QTest::addRow("horizontal") << 2 << "&Horizontal Control Point" << "Horizontal Control Point";
  QTest::addRow("full") << 3 << "Horiz. &+ Vert. Control Point" << "Horiz. + Vert. Control Point";
  QTest::addRow("centre") << 4 << "&Projection Centre" << "Projection Centre";
  QTest::addRow("observed centre") << 5 << "Observed P&roj. Centre" << "Observed Proj. Centre";
  QTest::addRow("lonely") << 6 << "&Lonely Image Point" << "Lonely Image Point";
  QTest::addRow("past the table") << 7 << "ERROR!" << "ERROR!";
  QTest::addRow("negative") << -1 << "ERROR!" << "ERROR!";
}

void TstPhModel::pointTypeNames() {
  QFETCH(int, type);
  QFETCH(QString, withAccel);
  QFETCH(QString, plain);
  QCOMPARE(PhGlobal::pointTypeName(type, true), withAccel);
  QCOMPARE(PhGlobal::pointTypeName(type, false), plain);
}

void TstPhModel::otherNames_data() {
  QTest::addColumn<QString>("table");
  QTest::addColumn<int>("value");
  QTest::addColumn<QString>("name");
  QTest::addRow("circle") << "symbol" << 0 << "Circle";
  QTest::addRow("triangle") << "symbol" << 1 << "Triangle";
  QTest::addRow("cross") << "symbol" << 2 << "Cross";
  QTest::addRow("symbol 3") << "symbol" << 3 << "ERROR!";
  QTest::addRow("solid") << "line" << 0 << "Solid Line";
  QTest::addRow("dash") << "line" << 1 << "Dash Line";
  QTest::addRow("dot") << "line" << 2 << "Dot Line";
  QTest::addRow("line -1") << "line" << -1 << "ERROR!";
  QTest::addRow("XY") << "plane" << 0 << "XY";
  QTest::addRow("XZ") << "plane" << 1 << "XZ";
  QTest::addRow("YZ") << "plane" << 2 << "YZ";
  QTest::addRow("plane 3") << "plane" << 3 << "ERROR!";
  QTest::addRow("erase") << "selection" << 0 << "Erase e&xisting Selection";
  QTest::addRow("add") << "selection" << 1 << "&Add to existing Selection";
  QTest::addRow("selection 2") << "selection" << 2 << "ERROR!";
}

void TstPhModel::otherNames() {
  QFETCH(QString, table);
  QFETCH(int, value);
  QFETCH(QString, name);
  QString got;
  if (table == QLatin1String("symbol")) got = PhGlobal::symbolTypeName(value);
  if (table == QLatin1String("line")) got = PhGlobal::lineTypeName(value);
  if (table == QLatin1String("plane")) got = PhGlobal::planeName(value);
  if (table == QLatin1String("selection")) got = PhGlobal::selectionModeName(value);
  QCOMPARE(got, name);
}

void TstPhModel::pointTypeOfCode_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("type");
  QTest::addRow("200") << 200 << int(PhGlobal::PT_VerticalControl);
  QTest::addRow("300") << 300 << int(PhGlobal::PT_HorizontalControl);
  QTest::addRow("500") << 500 << int(PhGlobal::PT_FullControl);
  QTest::addRow("900") << 900 << int(PhGlobal::PT_ProjectionCentre);
  QTest::addRow("901") << 901 << int(PhGlobal::PT_ObservedProjectionCentre);
  QTest::addRow("-1") << -1 << int(PhGlobal::PT_LonelyImagePoint);
  QTest::addRow("100") << 100 << int(PhGlobal::PT_NewPoint);
  QTest::addRow("101") << 101 << int(PhGlobal::PT_NewPoint);
  QTest::addRow("0") << 0 << int(PhGlobal::PT_NewPoint);
  QTest::addRow("400") << 400 << int(PhGlobal::PT_NewPoint);
  QTest::addRow("-2") << -2 << int(PhGlobal::PT_NewPoint);
}

void TstPhModel::pointTypeOfCode() {
  QFETCH(int, code);
  QFETCH(int, type);
  QCOMPARE(int(PhGlobal::pointTypeOfCode(code)), type);
}

void TstPhModel::modeEnumsTravelByQualifiedName() {
  QCOMPARE(QByteArray(QMetaType::fromType<PhGlobal::SelectionModeE>().name()),
           QByteArray("PhGlobal::SelectionModeE"));
  QCOMPARE(QByteArray(QMetaType::fromType<PhGlobal::SearchModeE>().name()),
           QByteArray("PhGlobal::SearchModeE"));
}

void TstPhModel::samePointIdTwiceKeepsTheSecondAndListsTheImageOnce() {
  PhImage image;
  image.addPoint(17, false, 1.0f, 2.0f, 0.1f, 0.2f, 3.0f);
  image.addPoint(5, true, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
  image.addPoint(17, true, 4.0f, 5.0f, 0.3f, 0.4f, 6.0f);
  QCOMPARE(image.pointCount(), 2);
  const PhImagePoint *p = image.point(17);
  QVERIFY(p);
  QCOMPARE(p->x(), 4.0f);
  QCOMPARE(p->y(), 5.0f);
  QCOMPARE(p->residualX(), 0.3f);
  QCOMPARE(p->residualY(), 0.4f);
  QCOMPARE(p->weight(), 6.0f);
  QVERIFY(p->adjustStatus());
  QCOMPARE(p->code(), -1);
  // The replaced blunder no longer counts.
  QCOMPARE(image.notAdjustedCount(), 0);
  // Replaced in place: the table keeps its order.
  QCOMPARE(image.pointAt(0)->pointId(), 17);
  QCOMPARE(PhImage::numberOfLinks(17), 1);
  QCOMPARE(PhImage::imagesOfPoint(17).count(), 1);
  QCOMPARE(PhImage::imagesOfPoint(17).first(), &image);
}

void TstPhModel::linksCountTheImagesContainingAnId() {
  PhImage a;
  PhImage b;
  PhImage c;
  b.addPoint(17, true, 0, 0, 0, 0, 0);
  a.addPoint(17, true, 0, 0, 0, 0, 0);
  a.addPoint(18, true, 0, 0, 0, 0, 0);
  b.addPoint(17, true, 1, 1, 0, 0, 0);  // again: still one entry for b
  QCOMPARE(PhImage::numberOfLinks(17), 2);
  QCOMPARE(PhImage::numberOfLinks(18), 1);
  QList<PhImage *> order;
  for (PhImage *image : PhImage::imagesOfPoint(17)) order << image;
  QCOMPARE(order, (QList<PhImage *>{&b, &a}));
  QVERIFY(PhImage::imagesOfPoint(17).contains(&a));
  QVERIFY(!PhImage::imagesOfPoint(17).contains(&c));

  QCOMPARE(PhImage::numberOfLinks(99), 0);
  QVERIFY(PhImage::imagesOfPoint(99).isNull());
  QVERIFY(!PhImage::imagesOfPoint(99));
  QVERIFY(b.hasPoint(17));
  QVERIFY(!c.hasPoint(17));
  QVERIFY(!c.point(17));
}

void TstPhModel::largestResidual_data() {
  // Points as (id, adjusted, residual x, residual y); expected mark.
  QTest::addColumn<QList<QList<double>>>("points");
  QTest::addColumn<float>("largest");
  QTest::addColumn<int>("pointId");
  QTest::addColumn<int>("notAdjusted");
  QTest::addRow("all eliminated") << QList<QList<double>>{{1, 0, 3, 4}, {2, 0, 6, 8}}
                                  << Nub::Math::MIN_FLT << -1 << 2;
  QTest::addRow("eliminated never marks") << QList<QList<double>>{{1, 0, 30, 40}, {2, 1, 3, 4}}
                                          << 5.0f << 2 << 1;
  QTest::addRow("tie keeps the first") << QList<QList<double>>{{7, 1, 3, 4}, {8, 1, 4, 3}}
                                       << 5.0f << 7 << 0;
  QTest::addRow("larger later wins") << QList<QList<double>>{{7, 1, 3, 4}, {8, 1, 0, 6}}
                                     << 6.0f << 8 << 0;
  QTest::addRow("zero residual stays unmarked") << QList<QList<double>>{{7, 1, 0, 0}}
                                                << Nub::Math::MIN_FLT << -1 << 0;
}

void TstPhModel::largestResidual() {
  QFETCH(QList<QList<double>>, points);
  QFETCH(float, largest);
  QFETCH(int, pointId);
  QFETCH(int, notAdjusted);
  PhImage image;
  for (const QList<double> &p : points)
    QVERIFY(image.addPoint(int(p[0]), p[1] != 0, 0, 0, float(p[2]), float(p[3]), 1));
  QCOMPARE(image.largestResidual(), largest);
  QCOMPARE(image.largestResidualPointId(), pointId);
  QCOMPARE(image.notAdjustedCount(), notAdjusted);
}

void TstPhModel::extentsGrowWithPointsOfAnySign() {
  PhImage image;
  QCOMPARE(image.minX(), Nub::Math::MAX_FLT);
  QCOMPARE(image.maxX(), -Nub::Math::MAX_FLT);
  image.addPoint(1, true, -80.0f, -60.0f, 0, 0, 1);
  image.addPoint(2, false, -20.0f, -70.0f, 0, 0, 1);
  QCOMPARE(image.minX(), -80.0f);
  QCOMPARE(image.minY(), -70.0f);
  // All points left of and below the centre: the maximum is theirs, not 0.
  QCOMPARE(image.maxX(), -20.0f);
  QCOMPARE(image.maxY(), -60.0f);
}

void TstPhModel::manyPointsAreFoundAndKeepTheirOrder() {
  PhImage image;
  const int n = 20000;
  for (int i = 0; i < n; ++i) image.addPoint(n - 3 * i, true, float(i), 0, 0, 0, 1);
  QCOMPARE(image.pointCount(), n);
  for (int i = 0; i < n; i += 997) {
    const PhImagePoint *p = image.point(n - 3 * i);
    QVERIFY(p);
    QCOMPARE(p->x(), float(i));
    QCOMPARE(image.pointAt(i)->pointId(), n - 3 * i);
  }
  QVERIFY(!image.hasPoint(n - 1));
  QCOMPARE(PhImage::numberOfLinks(n - 3 * 5), 1);
}

void TstPhModel::clearedPointIndexIsRebuiltByLaterPoints() {
  PhImage a;
  a.addPoint(17, true, 0, 0, 0, 0, 0);
  PhImage::clearPointIndex();
  QVERIFY(PhImage::imagesOfPoint(17).isNull());
  QVERIFY(a.hasPoint(17));
  a.addPoint(17, true, 1, 0, 0, 0, 0);
  a.addPoint(17, true, 2, 0, 0, 0, 0);
  QCOMPARE(PhImage::numberOfLinks(17), 1);
}

void TstPhModel::imagesFilledInTurnsMatchAPlainModel() {
  // Points added to several images in random turns, with repeated IDs and
  // a cleared index now and then, against a plain model of what each image
  // holds and which images list each ID.
  QRandomGenerator random(4711);
  const int imageCount = 4;
  std::vector<std::unique_ptr<PhImage>> images;
  for (int i = 0; i < imageCount; ++i) images.push_back(std::make_unique<PhImage>());
  std::vector<std::vector<int>> order(imageCount);          // IDs in table order
  std::vector<std::map<int, float>> xOf(imageCount);        // x by ID
  std::map<int, std::vector<int>> listed;                   // ID -> images in link order
  const auto check = [&]() {
    for (int i = 0; i < imageCount; ++i) {
      QCOMPARE(images[i]->pointCount(), int(order[i].size()));
      int k = 0;
      for (const PhImagePoint &p : *images[i]) {
        QCOMPARE(p.pointId(), order[i][std::size_t(k++)]);
        QCOMPARE(p.x(), xOf[i][p.pointId()]);
      }
      for (const auto &entry : xOf[i]) QCOMPARE(images[i]->point(entry.first)->x(), entry.second);
      QVERIFY(!images[i]->hasPoint(-5));
    }
    for (int id = 0; id < 60; ++id) {
      const auto it = listed.find(id);
      const std::vector<int> expected = it == listed.end() ? std::vector<int>() : it->second;
      QCOMPARE(PhImage::numberOfLinks(id), int(expected.size()));
      QCOMPARE(PhImage::imagesOfPoint(id).isNull(), expected.empty());
      std::vector<int> got;
      const PhImageRefs refs = PhImage::imagesOfPoint(id);
      for (auto r = refs.begin(); r != refs.end(); ++r) {
        for (int i = 0; i < imageCount; ++i)
          if (images[i].get() == *r) got.push_back(i);
        QCOMPARE(r.point()->pointId(), id);
        QCOMPARE(r.point(), (*r)->point(id));
      }
      QCOMPARE(got, expected);
    }
  };
  for (int step = 0; step < 3000; ++step) {
    if (step % 1000 == 999) {
      PhImage::clearPointIndex();
      listed.clear();
      check();
      continue;
    }
    // First each image filled in one go, as a reader does; then mostly long
    // turns, sometimes single points.
    const int i = step < 100 * imageCount ? step / 100
                  : random.bounded(10) < 7 ? (step / 40) % imageCount
                                           : random.bounded(imageCount);
    const int id = random.bounded(60);
    const float x = float(step);
    images[i]->addPoint(id, random.bounded(2) == 0, x, 0, 0, 0, 1);
    if (!xOf[i].count(id)) order[i].push_back(id);
    xOf[i][id] = x;
    std::vector<int> &l = listed[id];
    if (std::find(l.begin(), l.end(), i) == l.end()) l.push_back(i);
    if (step % 250 == 0) check();
  }
  check();
  // An image destroyed while listed leaves every list.
  images[1].reset();
  for (auto &entry : listed) entry.second.erase(std::remove(entry.second.begin(), entry.second.end(), 1), entry.second.end());
  for (int id = 0; id < 60; ++id) {
    int n = 0;
    for (PhImage *image : PhImage::imagesOfPoint(id)) {
      QVERIFY(image != nullptr);
      ++n;
    }
    QCOMPARE(n, int(listed[id].size()));
  }
}

void TstPhModel::destroyedImageLeavesTheIndexes() {
  PhImageList list;
  auto *a = new PhImage;
  a->setImageId(1);
  a->addPoint(17, true, 0, 0, 0, 0, 0);
  PhImage b;
  b.addPoint(17, true, 0, 0, 0, 0, 0);
  list.append(a);
  QCOMPARE(PhImage::numberOfLinks(17), 2);
  QCOMPARE(PhImageList::image(1), a);
  list.clear();  // images deleted before the point index was cleared
  QCOMPARE(PhImage::numberOfLinks(17), 1);
  QCOMPARE(PhImage::imagesOfPoint(17).first(), &b);
  QVERIFY(!PhImageList::hasImage(1));
  {
    PhImage c;
    c.addPoint(17, true, 0, 0, 0, 0, 0);
    QCOMPARE(PhImage::numberOfLinks(17), 2);
  }
  QCOMPARE(PhImage::numberOfLinks(17), 1);
  PhImage d;  // may take the freed registry slot
  d.addPoint(18, true, 0, 0, 0, 0, 0);
  QCOMPARE(PhImage::imagesOfPoint(17).first(), &b);
  QCOMPARE(PhImage::imagesOfPoint(18).first(), &d);
}

void TstPhModel::adjustedPointCountUsesTheImageIndex() {
  PhImageList list;
  auto *image = new PhImage;
  image->setImageId(42);
  image->addPoint(1, true, 0, 0, 0, 0, 0);
  image->addPoint(2, false, 0, 0, 0, 0, 0);
  image->addPoint(3, true, 0, 0, 0, 0, 0);
  QCOMPARE(PhImage::adjustedPointCount(42), 0);  // not in a list yet
  list.append(image);
  QCOMPARE(PhImage::adjustedPointCount(42), 2);
  QCOMPARE(PhImage::adjustedPointCount(43), 0);
}

void TstPhModel::projectionCentreByPlane_data() {
  QTest::addColumn<int>("plane");
  QTest::addColumn<double>("horizontal");
  QTest::addColumn<double>("vertical");
  QTest::addRow("XY") << 0 << 4500000.25 << 5600000.5;
  QTest::addRow("XZ") << 1 << 4500000.25 << 1500.75;
  QTest::addRow("YZ") << 2 << 5600000.5 << 1500.75;
  QTest::addRow("invalid") << 3 << 0.0 << 0.0;
  QTest::addRow("negative") << -1 << 0.0 << 0.0;
}

void TstPhModel::projectionCentreByPlane() {
  QFETCH(int, plane);
  QFETCH(double, horizontal);
  QFETCH(double, vertical);
  PhImage image;
  image.setProjectionCentre(3, 4500000.25, 5600000.5, 1500.75, 0.1f, 0.2f, 0.3f);
  QCOMPARE(image.projectionCentreHorizontal(plane), horizontal);
  QCOMPARE(image.projectionCentreVertical(plane), vertical);
}

void TstPhModel::imageListIndexAndSorting() {
  PhImageList list;
  QVERIFY(list.isEmpty());
  QVERIFY(!list.first());
  list.append(nullptr);
  QCOMPARE(list.count(), 0);
  const int ids[] = {30, 10, 20, 10};
  QList<PhImage *> made;
  for (int id : ids) {
    auto *image = new PhImage;
    image->setImageId(id);
    made << image;
    list.append(image);
  }
  // The later image with ID 10 replaced the earlier one in the index.
  QCOMPARE(PhImageList::image(10), made[3]);
  QVERIFY(PhImageList::hasImage(20));
  QVERIFY(!PhImageList::hasImage(40));
  list.sort();
  QCOMPARE(list.at(0), made[1]);  // equal IDs keep their order
  QCOMPARE(list.at(1), made[3]);
  QCOMPARE(list.at(2)->imageId(), 20);
  QCOMPARE(list.at(3)->imageId(), 30);
  QCOMPARE(list.first(), made[1]);
  QCOMPARE(list.indexOf(made[0]), 3);
  list.clear();
  QCOMPARE(list.count(), 0);
  QVERIFY(!PhImageList::hasImage(10));
}

void TstPhModel::objectPointByPlane_data() {
  QTest::addColumn<int>("plane");
  QTest::addColumn<double>("horizontal");
  QTest::addColumn<double>("vertical");
  QTest::addColumn<float>("hSigma");
  QTest::addColumn<float>("vSigma");
  QTest::addColumn<float>("hResidual");
  QTest::addColumn<float>("vResidual");
  QTest::addRow("XY") << 0 << 1.0 << 2.0 << 0.1f << 0.2f << -1.0f << -2.0f;
  QTest::addRow("XZ") << 1 << 1.0 << 3.0 << 0.1f << 0.3f << -1.0f << -3.0f;
  QTest::addRow("YZ") << 2 << 2.0 << 3.0 << 0.2f << 0.3f << -2.0f << -3.0f;
  QTest::addRow("invalid") << 3 << 0.0 << 0.0 << 0.0f << 0.0f << 0.0f << 0.0f;
}

void TstPhModel::objectPointByPlane() {
  QFETCH(int, plane);
  PhObjectPoint p;
  p.setAdjustedValues(1.0, 2.0, 3.0, 0.1f, 0.2f, 0.3f);
  for (int axis = 0; axis < 3; ++axis) p.setObservedAxis(axis, 10.0, -float(axis + 1), 0.5f, true);
  QTEST(p.horizontal(plane), "horizontal");
  QTEST(p.vertical(plane), "vertical");
  QTEST(p.horizontalSigma(plane), "hSigma");
  QTEST(p.verticalSigma(plane), "vSigma");
  QTEST(p.horizontalResidual(plane), "hResidual");
  QTEST(p.verticalResidual(plane), "vResidual");
}

void TstPhModel::observedAxis_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<bool>("observed");
  QTest::addRow("the marker") << 999999999.0 << false;
  QTest::addRow("above the marker") << 1.0e12 << false;
  QTest::addRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false;
  QTest::addRow("just below") << 999999998.0 << true;
  QTest::addRow("zero") << 0.0 << true;
  QTest::addRow("negative") << -5.0 << true;
}

void TstPhModel::observedAxis() {
  QFETCH(double, value);
  QFETCH(bool, observed);
  PhObjectPoint p;
  QVERIFY(!p.hasObservedX() && !p.hasObservedY() && !p.hasObservedZ());
  QVERIFY(p.isAccepted());
  QVERIFY(!p.isSelected());
  p.setObservedAxis(1, value, 0.0f, 0.0f, true);
  QCOMPARE(p.hasObservedY(), observed);
  QVERIFY(!p.hasObservedX());
}

void TstPhModel::rejection_data() {
  // Per-axis accepted flags and observed axes as "xyz" strings ('1' set).
  QTest::addColumn<QString>("accepted");
  QTest::addColumn<QString>("observed");
  QTest::addColumn<int>("plane");
  QTest::addColumn<int>("status");
  QTest::addColumn<bool>("axisObserved");
  QTest::addColumn<bool>("firstAxis");
  QTest::addRow("none accepted XY") << "000" << "111" << 0 << 1 << false << true;
  QTest::addRow("all accepted XY") << "111" << "111" << 0 << 0 << false << false;
  QTest::addRow("X rejected XY") << "011" << "111" << 0 << 2 << true << true;
  QTest::addRow("X rejected unobserved XY") << "011" << "011" << 0 << 2 << false << true;
  QTest::addRow("Y rejected XY observed") << "101" << "010" << 0 << 2 << true << false;
  QTest::addRow("Y rejected XY unobserved") << "101" << "101" << 0 << 2 << false << false;
  QTest::addRow("Z rejected XZ") << "110" << "001" << 1 << 2 << true << false;
  QTest::addRow("X rejected XZ") << "011" << "011" << 1 << 2 << false << true;
  QTest::addRow("Z rejected YZ") << "110" << "001" << 2 << 2 << true << false;
  QTest::addRow("Y rejected YZ") << "101" << "010" << 2 << 2 << true << true;
  QTest::addRow("Y and Z rejected YZ") << "100" << "111" << 2 << 1 << false << true;
  QTest::addRow("invalid plane") << "000" << "111" << 3 << -1 << false << false;
}

void TstPhModel::rejection() {
  QFETCH(QString, accepted);
  QFETCH(QString, observed);
  QFETCH(int, plane);
  PhObjectPoint p;
  for (int axis = 0; axis < 3; ++axis)
    p.setObservedAxis(axis, observed[axis] == QLatin1Char('1') ? 5.0 : PhObjectPoint::NotObserved,
                      0.0f, 0.0f, accepted[axis] == QLatin1Char('1'));
  QCOMPARE(p.isRejectedX(), accepted[0] == QLatin1Char('0'));
  QCOMPARE(p.isRejectedY(), accepted[1] == QLatin1Char('0'));
  QCOMPARE(p.isRejectedZ(), accepted[2] == QLatin1Char('0'));
  QTEST(p.rejectedStatus(plane), "status");
  QTEST(p.rejectedAxisObserved(plane), "axisObserved");
  QTEST(p.rejectedOfPlaneAxis(plane), "firstAxis");
}

void TstPhModel::objectCoordinatesKeepDoublePrecision() {
  PhObjectPoint p;
  p.setAdjustedValues(4512345.678, 5612345.678, 1234.567, 0.01f, 0.02f, 0.03f);
  QCOMPARE(p.adjustedCoord(0), 4512345.678);
  QCOMPARE(p.vertical(PhGlobal::PL_XY), 5612345.678);
  p.setObservedAxis(0, 4512345.679, 0.001f, 0.002f, true);
  QCOMPARE(p.observedCoord(0), 4512345.679);
  QVERIFY(!p.isProjectionCentre());
  p.setCode(900);
  QVERIFY(p.isProjectionCentre());
  p.setCode(901);
  QVERIFY(p.isProjectionCentre());
  PhObjectCoord c;
  QCOMPARE(c.id(), -1L);
  QCOMPARE(c.f(5), 0.0);
  QCOMPARE(c.f(6), 0.0);
  QVERIFY(!c.b(0));
}

void TstPhModel::objectListExtents() {
  PhObjectList list;
  QCOMPARE(list.minX(), double(Nub::Math::MAX_FLT));
  QCOMPARE(list.maxZ(), -double(Nub::Math::MAX_FLT));
  auto point = [](int id, double x, double y, double z) {
    auto *p = new PhObjectPoint;
    p->setPointId(id);
    p->setAdjustedValues(x, y, z, 0, 0, 0);
    return p;
  };
  list.append(point(1, 4500000.5, 5600000.25, 100.0));
  list.append(point(2, 4500100.5, 5599000.25, -20.0));
  list.append(nullptr);
  QCOMPARE(list.count(), 2);
  QCOMPARE(list.minX(), 4500000.5);
  QCOMPARE(list.maxX(), 4500100.5);
  QCOMPARE(list.minY(), 5599000.25);
  QCOMPARE(list.maxY(), 5600000.25);
  QCOMPARE(list.width(PhGlobal::PL_XY), 100.0);
  QCOMPARE(list.height(PhGlobal::PL_XY), 1000.0);
  QCOMPARE(list.height(PhGlobal::PL_XZ), 120.0);
  QCOMPARE(list.width(PhGlobal::PL_YZ), 1000.0);
  QCOMPARE(list.minVertical(PhGlobal::PL_YZ), -20.0);
  QCOMPARE(list.width(3), 0.0);
  QCOMPARE(list.maxHorizontal(-1), 0.0);
  list.clear();
  QCOMPARE(list.count(), 0);
  QCOMPARE(list.minY(), double(Nub::Math::MAX_FLT));
  QCOMPARE(list.maxY(), -double(Nub::Math::MAX_FLT));
}

void TstPhModel::objectListFindsFirstInListOrder() {
  PhObjectList list;
  QVERIFY(!list.find(1));
  QList<PhObjectPoint *> made;
  for (int id : {5, 3, 5, 1}) {
    auto *p = new PhObjectPoint;
    p->setPointId(id);
    made << p;
    list.append(p);
  }
  QCOMPARE(list.find(5), made[0]);
  QCOMPARE(list.find(1), made[3]);
  QVERIFY(!list.find(4));
  list.sort();
  QCOMPARE(list.at(0), made[3]);
  QCOMPARE(list.at(2), made[0]);  // equal IDs keep their order
  QCOMPARE(list.at(3), made[2]);
  QCOMPARE(list.find(5), made[0]);
  auto *later = new PhObjectPoint;
  later->setPointId(2);
  list.append(later);
  QCOMPARE(list.find(2), later);
  QCOMPARE(list.find(3), made[1]);
}

QTEST_MAIN(TstPhModel)
#include "tst_phmodel.moc"
