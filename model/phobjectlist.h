#ifndef PHOBJECTLIST_H
#define PHOBJECTLIST_H

#include <memory>
#include <vector>

#include "phidslots.h"
#include "phobjectpoint.h"
#include "phselection.h"

// The ordered object points of a project; owns them. Keeps the extents of the
// adjusted coordinates of all appended points (in double: national grid
// coordinates run into the millions) and the selection of its points.
class PhObjectList {
 public:
  PhObjectList();
  ~PhObjectList();
  PhObjectList(const PhObjectList &) = delete;
  PhObjectList &operator=(const PhObjectList &) = delete;

  // Takes ownership; updates the extents, then appends. Null is ignored.
  void append(PhObjectPoint *point);
  // The same for a point kept in the list's own blocks (no heap block per
  // point); returns where it is kept, valid until the list is cleared.
  PhObjectPoint *append(PhObjectPoint &&point);
  // Deletes all points; resets the extents and the selected count.
  void clear();
  // Room for `count` points in all; the points still to come are kept in one
  // block.
  void reserve(int count);

  // The first point with that ID in list order, or null. Found through an
  // index; a point's ID must not change while it is in the list.
  PhObjectPoint *find(int iPointId) const;
  // Through the selection: its observers are told.
  void deselectAll();
  // By ascending point ID; equal IDs keep their order.
  void sort();

  int count() const { return int(mPoints.size()); }
  bool isEmpty() const { return mPoints.empty(); }
  PhObjectPoint *at(int i) const { return mPoints[std::size_t(i)]; }
  PhObjectPoint *first() const { return mPoints.empty() ? nullptr : mPoints.front(); }
  std::vector<PhObjectPoint *>::const_iterator begin() const { return mPoints.begin(); }
  std::vector<PhObjectPoint *>::const_iterator end() const { return mPoints.end(); }

  // Bytes held by the points (their blocks or heap blocks), the list order
  // and the ID index when it was made; observations kept beside the points
  // are not counted.
  std::size_t memoryBytes() const;

  int selectedCount() const { return mSelection.count(); }
  PhSelection &selection() { return mSelection; }
  const PhSelection &selection() const { return mSelection; }

  // Axis 0..2 = X, Y, Z. An empty list has minimum = largest float and
  // maximum = minus the largest float.
  double minimum(int iAxis) const;
  double maximum(int iAxis) const;
  double minX() const { return mMin[0]; }
  double minY() const { return mMin[1]; }
  double minZ() const { return mMin[2]; }
  double maxX() const { return mMax[0]; }
  double maxY() const { return mMax[1]; }
  double maxZ() const { return mMax[2]; }

  // By plane (PhGlobal::PlaneE); 0 for an invalid plane.
  double minHorizontal(int iPlane) const;
  double maxHorizontal(int iPlane) const;
  double minVertical(int iPlane) const;
  double maxVertical(int iPlane) const;
  double width(int iPlane) const;
  double height(int iPlane) const;

 private:
  void resetExtents();
  void rebuildIndex() const;
  void enter(PhObjectPoint *point);

  std::vector<PhObjectPoint *> mPoints;
  // Each block is filled up to the capacity it was given and never beyond,
  // so its points stay in place.
  std::vector<std::vector<PhObjectPoint>> mBlocks;
  int mNextBlock = 0;  // size of the next block; 0: the standard size
  std::vector<PhObjectPoint *> mAdopted;
  double mMin[3] = {0.0, 0.0, 0.0};
  double mMax[3] = {0.0, 0.0, 0.0};
  PhSelection mSelection;
  // First position of each ID: made by the first `find`, kept up by later
  // appends, made again after sorting.
  mutable PhIdSlots mIndex;
  mutable bool mIndexValid = false;
};

#endif  // PHOBJECTLIST_H
