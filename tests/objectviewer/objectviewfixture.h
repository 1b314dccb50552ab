#ifndef OBJECTVIEWFIXTURE_H
#define OBJECTVIEWFIXTURE_H

// What the object view tests share: a project's points and images made in
// code, the search fixture, and reading the selection and the ink back.

#include <QColor>
#include <QImage>
#include <QtTest>

#include <algorithm>

#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phobjectview.h"
#include "viewtestutil.h"

namespace ObjectViewTest {

inline const QColor White(Qt::white);
inline const QColor Blue(Qt::blue);
inline const QColor Red(Qt::red);
inline const QColor Yellow(Qt::yellow);
inline const QColor Magenta(Qt::magenta);

// A project's object points and images, with the class-wide indexes fresh
// for each test.
struct Fixture {
  PhImageList images;
  PhObjectList objects;

  Fixture() { PhImage::clearPointIndex(); }
  ~Fixture() {
    objects.clear();
    images.clear();
    PhImage::clearPointIndex();
  }
  PhObjectPoint *add(int id, int code, double x, double y, double z, bool bAccepted = true) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(code);
    point->setAccepted(bAccepted);
    point->setAdjustedValues(x, y, z, 0.0f, 0.0f, 0.0f);
    objects.append(point);
    return point;
  }
  PhImage *image(int id, double x0, double y0, double z0) {
    auto *image = new PhImage;
    image->setImageId(id);
    image->setProjectionCentre(id, x0, y0, z0, 0.0f, 0.0f, 0.0f);
    images.append(image);
    return image;
  }
  // Corners that make the XY extent 100 x 50: 5 pixels a unit at 100 %.
  void addCorners() {
    add(9001, 100, 0, 0, 0);
    add(9002, 100, 100, 50, 20);
  }
};

inline QList<int> selectedIds(const PhObjectList &list) {
  QList<int> ids;
  for (const PhObjectPoint *point : list)
    if (point->isSelected()) ids << point->pointId();
  std::sort(ids.begin(), ids.end());
  return ids;
}

inline QList<int> imageSetIds(const PhObjectView &view) {
  QList<int> ids = view.imageSet().keys();
  std::sort(ids.begin(), ids.end());
  return ids;
}

// Ink (anything but the background) in a rectangle of contents.
inline int inkIn(const QImage &image, const PhScrollView *view, const QRect &rect) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QColor c = ViewTest::at(image, view, x, y);
      if (c.isValid() && c != White) ++n;
    }
  return n;
}

using ViewTest::actionWithId;
using ViewTest::openContextMenu;
using ViewTest::pixelOf;
using ViewTest::texts;

// The view shown at a fixed size with the test font and colours, then given
// the fixture's points.
inline void prepare(PhObjectView &view, Fixture &f, bool bSigmas = true) {
  view.setTextFont(ViewTest::testFont());
  view.setPointColor(0, Blue);
  view.setBlunderColor(Red);
  view.setMarkColor(Yellow);
  QVERIFY(ViewTest::showView(&view, QSize(700, 450)));
  view.setData(&f.objects, bSigmas);
}

// The search fixture: four points, three projection centres, two images.
inline void searchFixture(Fixture &f) {
  PhObjectPoint *p1 = f.add(1, 100, 10, 10, 0);
  p1->setAdjustedValues(10, 10, 0, 0.1f, 0.1f, 0.1f);
  p1->setObservedAxis(0, 10.0, 0.5f, 0.01f, true);
  f.add(2, 200, 20, 10, 0);
  PhObjectPoint *p15 = f.add(15, 300, 30, 10, 0);
  p15->setObservedAxis(1, 10.0, 0.6f, 0.01f, true);
  PhObjectPoint *p123 = f.add(123, 500, 40, 10, 0, false);
  p123->setAdjustedValues(40, 10, 0, 0.1f, 0.1f, 0.1f);
  f.add(10, 900, 50, 40, 0);
  f.add(11, 901, 60, 40, 0);
  f.add(12, 900, 70, 40, 0);  // its image is missing
  PhImage *i10 = f.image(10, 50, 40, 0);
  i10->addPoint(1, true, 0, 0, 0, 0, 1);
  i10->addPoint(2, false, 1, 1, 0, 0, 1);
  i10->addPoint(15, true, 2, 2, 0, 0, 1);
  PhImage *i11 = f.image(11, 60, 40, 0);
  i11->addPoint(1, true, 0, 0, 0, 0, 1);
  i11->addPoint(15, true, 2, 2, 0, 0, 1);
}

}  // namespace ObjectViewTest

#endif  // OBJECTVIEWFIXTURE_H
