#ifndef PHPOINTINDEX_H
#define PHPOINTINDEX_H

#include <cstddef>

#include "phimagerefs.h"

class PhImage;
class PhImagePoint;

// The class-wide store and index behind PhImage.
//
// Store: the points of all images in one array, each image owning a range of
// it (one block for a project of millions of points, nothing per point). An
// image grows at the end of the array; one that must grow while another is
// behind it moves its range to the end, with room to spare.
//
// Index: point ID -> the points with that ID, chained through a parallel
// array in the order the images received them (a ring: the last place links
// back to the first); the image of a point is found from its range. One
// open-addressing table holds the IDs.
class PhPointIndex {
 public:
  static int registerImage(PhImage *image);
  // The store is emptied when the last image goes.
  static void unregisterImage(int iSlot);

  // The point at a place of the store.
  static PhImagePoint *pointAt(int iPlace);
  // Makes room for `needed` more points at the end of an image's range of
  // `count` points. The range may move (begin and capacity change); its
  // chained places move with it when `bLinked`.
  static void ensureRoom(int iSlot, int &begin, int &capacity, int &rangeIndex, int count,
                         int needed, bool bLinked);
  // An image's range is no longer in use.
  static void releaseRange(int iRangeIndex);
  // Room for that many more points, when a reader knows the count.
  static void reserve(int count);
  // Room for that many more IDs, so that the table need not grow.
  static void reserveIds(int count);
  // Asks for the ID's table entry ahead of a look-up.
  static void prefetch(int iPointId);
  // Asks for the first link and point of the ID ahead of a walk (the entry
  // itself is read: ask for it with prefetch earlier).
  static void prefetchLinks(int iPointId);

  // The last place chained under the ID; -1 when none.
  static int tailOf(int iPointId);
  // Chains a place that is in no chain yet.
  static void link(int iPointId, int iPlace);
  // One look-up for both: the ID's tail place when it lies in
  // [iBegin, iEnd); otherwise chains iPlace and returns -1.
  static int tailInRangeOrLink(int iPointId, int iBegin, int iEnd, int iPlace);
  // Chains a place unless it is chained already.
  static void linkIfAbsent(int iPointId, int iPlace);
  static void unlink(int iPointId, int iPlace);

  static PhImageRefs images(int iPointId);
  static int linkCount(int iPointId);
  static bool isEmpty();
  // Removes all chains; starts a new epoch and a new run.
  static void clear();
  static unsigned epoch();
  // A run is a stretch of links by one image; it ends when another image
  // links or the index is cleared. An image whose points were all linked in
  // the current run finds its earlier point of an ID at the chain's tail.
  static unsigned run();
  static void claimRun(int iSlot);

  // Bytes held: the store (points, links, ranges and the image registry)
  // and the ID table.
  static std::size_t storeBytes();
  static std::size_t tableBytes();

  static PhImage *imageOfLink(int iPlace);
  static PhImagePoint *pointOfLink(int iPlace) { return pointAt(iPlace); }
  static int nextLink(int iPlace);
};

#endif  // PHPOINTINDEX_H
