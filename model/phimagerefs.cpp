#include "phimagerefs.h"

#include "phpointindex.h"

PhImage *PhImageRefs::const_iterator::operator*() const { return PhPointIndex::imageOfLink(mLink); }

PhImagePoint *PhImageRefs::const_iterator::point() const { return PhPointIndex::pointOfLink(mLink); }

PhImageRefs::const_iterator &PhImageRefs::const_iterator::operator++() {
  // The last link leads back to the first: the count ends the walk.
  mLink = --mLeft > 0 ? PhPointIndex::nextLink(mLink) : -1;
  return *this;
}

PhImage *PhImageRefs::first() const { return isNull() ? nullptr : PhPointIndex::imageOfLink(mHead); }

bool PhImageRefs::contains(const PhImage *image) const {
  for (PhImage *candidate : *this)
    if (candidate == image) return true;
  return false;
}
