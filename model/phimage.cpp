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
    for (const PhImagePoint &point : mPoints) PhPointIndex::unlink(point.pointId(), mIndexSlot);
  PhPointIndex::unregisterImage(mIndexSlot);
  PhImageList::forgetImage(this);
}

int PhImage::findPosition(int iPointId) const {
  return mSlots.find(iPointId,
                     [this](int p) { return mPoints[std::size_t(p)].pointId(); });
}

void PhImage::reservePoints(int count) {
  if (count <= 0) return;
  mPoints.reserve(mPoints.size() + std::size_t(count));
  mSlots.reserve(int(mPoints.size()) + count,
                 [this](int p) { return mPoints[std::size_t(p)].pointId(); });
}

bool PhImage::addPoint(int iPointId, bool bAdjust, float x, float y, float residualX,
                       float residualY, float weight) {
  const PhImagePoint point(iPointId, bAdjust, x, y, residualX, residualY, weight);
  int position = findPosition(iPointId);
  const bool bHadPoint = position >= 0;
  if (bHadPoint) {
    // The replaced point no longer counts as eliminated.
    if (!mPoints[std::size_t(position)].adjustStatus()) --mNotAdjustedCount;
    mPoints[std::size_t(position)] = point;
  } else {
    position = int(mPoints.size());
    mPoints.push_back(point);
    mSlots.insert(iPointId, position,
                  [this](int p) { return mPoints[std::size_t(p)].pointId(); });
  }

  // An image that had the point may be listed already, unless the index was
  // cleared since.
  PhPointIndex::link(iPointId, mIndexSlot, bHadPoint && mLinkEpoch == PhPointIndex::epoch());
  mLinkEpoch = PhPointIndex::epoch();

  if (x < mMinX) mMinX = x;
  if (y < mMinY) mMinY = y;
  if (x > mMaxX) mMaxX = x;
  if (y > mMaxY) mMaxY = y;
  if (bAdjust) {
    const float sum = residualX * residualX + residualY * residualY;
    const float r = sum > 0.0f ? std::sqrt(sum) : 0.0f;
    if (r > mLargestResidual) {
      mLargestResidual = r;
      mLargestResidualPointId = iPointId;
    }
  } else {
    ++mNotAdjustedCount;
  }
  return true;
}

PhImagePoint *PhImage::point(int iPointId) {
  const int position = findPosition(iPointId);
  return position < 0 ? nullptr : &mPoints[std::size_t(position)];
}

const PhImagePoint *PhImage::point(int iPointId) const {
  const int position = findPosition(iPointId);
  return position < 0 ? nullptr : &mPoints[std::size_t(position)];
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

void PhImage::reservePointIndex(int count) { PhPointIndex::reserveLinks(count); }
