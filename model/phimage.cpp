#include "phimage.h"

#include <cmath>

#include "nubmath.h"
#include "phglobal.h"
#include "phimagelist.h"
#include "phpointindex.h"

PhImage::PhImage() : PhImage(true) {}

PhImage::PhImage(bool bMm)
    : mMm(bMm),
      mMinX(Nub::Math::MAX_FLT),
      mMinY(Nub::Math::MAX_FLT),
      mMaxX(-Nub::Math::MAX_FLT),
      mMaxY(-Nub::Math::MAX_FLT),
      mLargestResidual(Nub::Math::MIN_FLT) {
  mIndexSlot = PhPointIndex::registerImage(this);
}

PhImage::~PhImage() {
  // Never leave a dangling image behind in the class-wide indexes.
  if (mLinkEpoch == PhPointIndex::epoch() && !PhPointIndex::isEmpty())
    for (int i = 0; i < mCount; ++i)
      PhPointIndex::unlink(pointAt(i)->pointId(), mBegin + i);
  PhPointIndex::releaseRange(mRangeIndex);
  PhPointIndex::unregisterImage(mIndexSlot);
  PhImageList::forgetImage(this);
}

PhImagePoint *PhImage::pointAt(int i) { return PhPointIndex::pointAt(mBegin + i); }

const PhImagePoint *PhImage::pointAt(int i) const { return PhPointIndex::pointAt(mBegin + i); }

const PhImagePoint *PhImage::begin() const {
  return mCount == 0 ? nullptr : PhPointIndex::pointAt(mBegin);
}

void PhImage::makeTable() const {
  const auto keyOf = [this](int p) { return pointAt(p)->pointId(); };
  mSlots.reserve(mCount, keyOf);
  for (int p = 0; p < mCount; ++p) mSlots.insert(pointAt(p)->pointId(), p, keyOf);
  mHasTable = true;
}

int PhImage::findPosition(int iPointId) const {
  if (mCount == 0) return -1;
  if (!mHasTable) makeTable();
  return mSlots.find(iPointId, [this](int p) { return pointAt(p)->pointId(); });
}

void PhImage::reservePoints(int count) {
  if (count <= 0) return;
  PhPointIndex::ensureRoom(mIndexSlot, mBegin, mCapacity, mRangeIndex, mCount, count,
                           mLinkEpoch == PhPointIndex::epoch());
  if (mHasTable) mSlots.reserve(mCount + count, [this](int p) { return pointAt(p)->pointId(); });
}

void PhImage::addPoints(const PhImagePoint *points, int count) {
  if (count <= 0) return;
  reservePoints(count);
  // Far enough ahead for the entry to arrive, near enough to stay cached.
  constexpr int Ahead = 16;
  int i = 0;
  // The first point as addPoint takes it; then, while this image's points
  // were all linked in the current run and it has no table by ID, the rest
  // go straight into the room made for them: an earlier point of an ID can
  // only be the tail of its chain.
  for (; i < count && !(mCount > 0 && !mHasTable && mFirstRun == PhPointIndex::run()); ++i) {
    if (i + Ahead < count) PhPointIndex::prefetch(points[i + Ahead].pointId());
    const PhImagePoint &p = points[i];
    addPoint(p.pointId(), p.adjustStatus(), p.x(), p.y(), p.residualX(), p.residualY(),
             p.weight());
  }
  if (i == count) return;
  // The room is made: the range does not move while it fills.
  PhImagePoint *range = pointAt(0);
  for (; i < count; ++i) {
    if (i + Ahead < count) PhPointIndex::prefetch(points[i + Ahead].pointId());
    const PhImagePoint &p = points[i];
    const int tail =
        PhPointIndex::tailInRangeOrLink(p.pointId(), mBegin, mBegin + mCount, mBegin + mCount);
    if (tail >= 0) {
      PhImagePoint &replaced = range[tail - mBegin];
      if (!replaced.adjustStatus()) --mNotAdjustedCount;
      replaced = p;
    } else {
      range[mCount++] = p;
    }
    account(p);
  }
  PhPointIndex::claimRun(mIndexSlot);
  mLinkEpoch = PhPointIndex::epoch();
}

void PhImage::account(const PhImagePoint &point) {
  const float x = point.x();
  const float y = point.y();
  if (x < mMinX) mMinX = x;
  if (y < mMinY) mMinY = y;
  if (x > mMaxX) mMaxX = x;
  if (y > mMaxY) mMaxY = y;
  if (point.adjustStatus()) {
    const float residualX = point.residualX();
    const float residualY = point.residualY();
    const float sum = residualX * residualX + residualY * residualY;
    const float r = sum > 0.0f ? std::sqrt(sum) : 0.0f;
    if (r > mLargestResidual) {
      mLargestResidual = r;
      mLargestResidualPointId = point.pointId();
    }
  } else {
    ++mNotAdjustedCount;
  }
}

bool PhImage::addPoint(int iPointId, bool bAdjust, float x, float y, float residualX,
                       float residualY, float weight) {
  const PhImagePoint point(iPointId, bAdjust, x, y, residualX, residualY, weight);

  // An earlier point with the ID: while every point of this image was
  // linked in the current run, it can only be the tail of the ID's chain;
  // then one look-up finds it or chains the new place.
  int position = -1;
  const bool bInRun = mCount > 0 && mFirstRun == PhPointIndex::run();
  if (bInRun && !mHasTable) {
    PhPointIndex::ensureRoom(mIndexSlot, mBegin, mCapacity, mRangeIndex, mCount, 1,
                             mLinkEpoch == PhPointIndex::epoch());
    const int tail =
        PhPointIndex::tailInRangeOrLink(iPointId, mBegin, mBegin + mCount, mBegin + mCount);
    if (tail >= 0) {
      position = tail - mBegin;
      if (!pointAt(position)->adjustStatus()) --mNotAdjustedCount;
      *pointAt(position) = point;
    } else {
      *pointAt(mCount++) = point;
    }
    PhPointIndex::claimRun(mIndexSlot);
  } else {
    position = findPosition(iPointId);
    if (position >= 0) {
      // The replaced point no longer counts as eliminated.
      if (!pointAt(position)->adjustStatus()) --mNotAdjustedCount;
      *pointAt(position) = point;
      // Still chained unless the index was cleared since.
      PhPointIndex::linkIfAbsent(iPointId, mBegin + position);
      PhPointIndex::claimRun(mIndexSlot);
    } else {
      PhPointIndex::ensureRoom(mIndexSlot, mBegin, mCapacity, mRangeIndex, mCount, 1,
                               mLinkEpoch == PhPointIndex::epoch());
      position = mCount++;
      *pointAt(position) = point;
      if (mHasTable)
        mSlots.insert(iPointId, position, [this](int p) { return pointAt(p)->pointId(); });
      PhPointIndex::link(iPointId, mBegin + position);
      PhPointIndex::claimRun(mIndexSlot);
      if (mCount == 1) mFirstRun = PhPointIndex::run();
    }
  }
  mLinkEpoch = PhPointIndex::epoch();
  account(point);
  return true;
}

PhImagePoint *PhImage::point(int iPointId) {
  const int position = findPosition(iPointId);
  return position < 0 ? nullptr : pointAt(position);
}

const PhImagePoint *PhImage::point(int iPointId) const {
  const int position = findPosition(iPointId);
  return position < 0 ? nullptr : pointAt(position);
}

bool PhImage::hasPoint(int iPointId) const { return findPosition(iPointId) >= 0; }

void PhImage::setProjectionCentre(long iId, double x0, double y0, double z0, float sigmaX0,
                                  float sigmaY0, float sigmaZ0) {
  mProjectionCentre.setId(iId);
  mProjectionCentre.setF(0, x0);
  mProjectionCentre.setF(1, y0);
  mProjectionCentre.setF(2, z0);
  mProjectionCentre.setF(3, sigmaX0);
  mProjectionCentre.setF(4, sigmaY0);
  mProjectionCentre.setF(5, sigmaZ0);
}

double PhImage::projectionCentreHorizontal(int iPlane) const {
  const int axis = PhGlobal::horizontalAxis(iPlane);
  return axis < 0 ? 0.0 : mProjectionCentre.f(axis);
}

double PhImage::projectionCentreVertical(int iPlane) const {
  const int axis = PhGlobal::verticalAxis(iPlane);
  return axis < 0 ? 0.0 : mProjectionCentre.f(axis);
}

PhImageRefs PhImage::imagesOfPoint(int iPointId) { return PhPointIndex::images(iPointId); }

int PhImage::numberOfLinks(int iPointId) { return PhPointIndex::linkCount(iPointId); }

void PhImage::clearPointIndex() { PhPointIndex::clear(); }

int PhImage::adjustedPointCount(int iImageId) {
  const PhImage *image = PhImageList::image(iImageId);
  return image ? image->pointCount() - image->notAdjustedCount() : 0;
}

void PhImage::reservePointIndex(int count) { PhPointIndex::reserve(count); }

void PhImage::reservePointIds(int count) { PhPointIndex::reserveIds(count); }

std::size_t PhImage::pointStoreBytes() { return PhPointIndex::storeBytes(); }

std::size_t PhImage::pointIdTableBytes() { return PhPointIndex::tableBytes(); }
