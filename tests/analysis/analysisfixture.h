#ifndef ANALYSISFIXTURE_H
#define ANALYSISFIXTURE_H

// A small project for the analysis tests, made in code.
//
// Images (in list order) 10, 11 and 9, camera 7:
//   10: point 1 residual (3, 4), point 2 (0, 0), point 3 eliminated (6, 8);
//   11: points 1 and 3, both eliminated (no RMS, no largest residual);
//    9: point 2 with (0.001, -0.002), and no projection centre point.
// Object points: 1 (new), 2 (500, X Y Z observed, Z rejected), 3 (200, Z),
// the centres 10 (900) and 11 (901, X and Y observed, Y rejected).
// Their control rows: (2 X) (2 Y) (2 Z) (3 Z) (11 X) (11 Y).

#include <QStringList>

#include "phfixture.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

struct AnalysisBlock {
  PhImageList images;
  PhObjectList objects;

  AnalysisBlock() {
    phResetModel();
    PhImage *i10 = image(10);
    i10->addPoint(1, true, 1, 1, 3, 4, 1);
    i10->addPoint(2, true, 2, 2, 0, 0, 1);
    i10->addPoint(3, false, 3, 3, 6, 8, 1);
    PhImage *i11 = image(11);
    i11->addPoint(1, false, 1.5f, 1.25f, 1, 1, 1);
    i11->addPoint(3, false, 3, 3, 2, 2, 1);
    image(9)->addPoint(2, true, 5, 5, 0.001f, -0.002f, 1);
    add(1, 100);
    PhObjectPoint *full = add(2, 500);
    full->setObservedAxis(0, 1000.5, 0.25f, 0.01f, true);
    full->setObservedAxis(1, 2000.5, -0.75f, 0.02f, true);
    full->setObservedAxis(2, 30.0, 2.0f, 0.03f, false);
    add(3, 200)->setObservedAxis(2, 31.0, -0.5f, 0.04f, true);
    add(10, 900);
    PhObjectPoint *centre = add(11, 901);
    centre->setObservedAxis(0, 500.0, 0.125f, 0.5f, true);
    centre->setObservedAxis(1, 600.0, 9.0f, 0.5f, false);
  }
  ~AnalysisBlock() {
    objects.clear();
    images.clear();
    phResetModel();
  }
  PhImage *image(int id) {
    auto *image = new PhImage;
    image->setImageId(id);
    image->setCameraId(7);
    images.append(image);
    return image;
  }
  PhObjectPoint *add(int id, int code) {
    auto *point = new PhObjectPoint;
    point->setPointId(id);
    point->setCode(code);
    point->setAdjustedValues(id * 10.0, id * 20.0, 0.5, 0.1f, 0.2f, 0.3f);
    objects.append(point);
    return point;
  }
  // List position of a point ID.
  int position(int id) const {
    for (int i = 0; i < objects.count(); ++i)
      if (objects.at(i)->pointId() == id) return i;
    return -1;
  }
  QList<int> selectedIds() const {
    QList<int> ids;
    for (const PhObjectPoint *point : objects)
      if (point->isSelected()) ids << point->pointId();
    return ids;
  }
};

#endif  // ANALYSISFIXTURE_H
