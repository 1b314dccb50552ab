#ifndef PHPOINTINDEX_H
#define PHPOINTINDEX_H

#include "phimagerefs.h"

class PhImage;

// The class-wide point index behind PhImage: point ID -> the images that
// contain it, in the order they received it. One open-addressing table of
// IDs and one array of links chained per ID, so millions of image points
// cost no heap node each. Images register for a small slot number that the
// links carry. Used through PhImage's static operations.
class PhPointIndex {
 public:
  static int registerImage(PhImage *image);
  static void unregisterImage(int iSlot);

  // Lists the image under the ID unless it is listed already. Only an image
  // that had the ID before can be listed; others skip the search.
  static void link(int iPointId, int iSlot, bool bMayBeListed);
  // Removes the image from the ID's list (an image destroyed while indexed).
  static void unlink(int iPointId, int iSlot);

  static PhImageRefs images(int iPointId);
  static int linkCount(int iPointId);
  static bool isEmpty();
  // Removes all lists; starts a new epoch, so that images know their links are gone.
  static void clear();
  static unsigned epoch();
  // Room for that many more links, when a reader knows the count in advance.
  static void reserveLinks(int count);

  static PhImage *imageOfLink(int iLink);
  static int nextLink(int iLink);
};

#endif  // PHPOINTINDEX_H
