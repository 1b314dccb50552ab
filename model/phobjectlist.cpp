#include "phobjectlist.h"

#include <algorithm>

#include "nubmath.h"
#include "phglobal.h"
#include "phhugepages.h"

PhObjectList::PhObjectList() : mSelection(*this) { resetExtents(); }

PhObjectList::~PhObjectList() { clear(); }

void PhObjectList::resetExtents() {
  for (int i = 0; i < 3; ++i) {
    mMin[i] = double(Nub::Math::MAX_FLT);
    mMax[i] = -double(Nub::Math::MAX_FLT);
  }
}

namespace {

constexpr int BlockSize = 1024;

}  // namespace

void PhObjectList::append(PhObjectPoint *point) {
  if (!point) return;
  mAdopted.push_back(point);
  enter(point);
}

PhObjectPoint *PhObjectList::append(PhObjectPoint &&point) {
  if (mBlocks.empty() || mBlocks.back().size() == mBlocks.back().capacity()) {
    mBlocks.emplace_back();
    std::vector<PhObjectPoint> &block = mBlocks.back();
    block.reserve(std::size_t(std::max(BlockSize, mNextBlock)));
    PhHugePages::advise(block.data(), block.capacity() * sizeof(PhObjectPoint));
    mNextBlock = 0;
  }
  mBlocks.back().push_back(std::move(point));
  PhObjectPoint *kept = &mBlocks.back().back();
  enter(kept);
  return kept;
}

void PhObjectList::enter(PhObjectPoint *point) {
  for (int i = 0; i < 3; ++i) {
    const double value = point->adjustedCoord(i);
    if (value < mMin[i]) mMin[i] = value;
    if (value > mMax[i]) mMax[i] = value;
  }
  const int position = int(mPoints.size());
  mPoints.push_back(point);
  mSelection.appended(position, point);
  if (mIndexValid) {
    const auto keyOf = [this](int p) { return mPoints[std::size_t(p)]->pointId(); };
    if (mIndex.find(point->pointId(), keyOf) < 0) mIndex.insert(point->pointId(), position, keyOf);
  }
}

void PhObjectList::clear() {
  for (PhObjectPoint *point : mAdopted) delete point;
  mAdopted.clear();
  mBlocks.clear();
  mNextBlock = 0;
  mPoints.clear();
  mPoints.shrink_to_fit();
  mIndex.clear();
  mIndexValid = false;
  resetExtents();
  mSelection.cleared();
}

void PhObjectList::reserve(int count) {
  if (count <= 0) return;
  if (std::size_t(count) > mPoints.capacity()) {
    mPoints.reserve(std::size_t(count));
    PhHugePages::advise(mPoints.data(), mPoints.capacity() * sizeof(PhObjectPoint *));
  }
  const int room =
      mBlocks.empty() ? 0 : int(mBlocks.back().capacity() - mBlocks.back().size());
  mNextBlock = std::max(mNextBlock, count - int(mPoints.size()) - room);
  if (mIndexValid)
    mIndex.reserve(count, [this](int p) { return mPoints[std::size_t(p)]->pointId(); });
}

void PhObjectList::rebuildIndex() const {
  mIndex.clear();
  const auto keyOf = [this](int p) { return mPoints[std::size_t(p)]->pointId(); };
  mIndex.reserve(count(), keyOf);
  for (int p = 0; p < count(); ++p) {
    const int id = mPoints[std::size_t(p)]->pointId();
    if (mIndex.find(id, keyOf) < 0) mIndex.insert(id, p, keyOf);
  }
  mIndexValid = true;
}

std::size_t PhObjectList::memoryBytes() const {
  std::size_t bytes = mPoints.capacity() * sizeof(PhObjectPoint *) +
                      mAdopted.capacity() * sizeof(PhObjectPoint *) +
                      mAdopted.size() * sizeof(PhObjectPoint) +
                      mBlocks.capacity() * sizeof(std::vector<PhObjectPoint>) + mIndex.bytes();
  for (const std::vector<PhObjectPoint> &block : mBlocks)
    bytes += block.capacity() * sizeof(PhObjectPoint);
  return bytes;
}

PhObjectPoint *PhObjectList::find(int iPointId) const {
  if (!mIndexValid) rebuildIndex();
  const int p =
      mIndex.find(iPointId, [this](int q) { return mPoints[std::size_t(q)]->pointId(); });
  return p < 0 ? nullptr : mPoints[std::size_t(p)];
}

void PhObjectList::deselectAll() { mSelection.deselectAll(); }

void PhObjectList::sort() {
  std::stable_sort(mPoints.begin(), mPoints.end(),
                   [](const PhObjectPoint *a, const PhObjectPoint *b) {
                     return a->pointId() < b->pointId();
                   });
  mIndex.clear();
  mIndexValid = false;
  // The selected points keep their flags; their positions moved.
  if (!mSelection.isEmpty()) mSelection.reread();
}

double PhObjectList::minimum(int iAxis) const {
  return iAxis >= 0 && iAxis < 3 ? mMin[iAxis] : 0.0;
}

double PhObjectList::maximum(int iAxis) const {
  return iAxis >= 0 && iAxis < 3 ? mMax[iAxis] : 0.0;
}

double PhObjectList::minHorizontal(int iPlane) const {
  return minimum(PhGlobal::horizontalAxis(iPlane));
}

double PhObjectList::maxHorizontal(int iPlane) const {
  return maximum(PhGlobal::horizontalAxis(iPlane));
}

double PhObjectList::minVertical(int iPlane) const {
  return minimum(PhGlobal::verticalAxis(iPlane));
}

double PhObjectList::maxVertical(int iPlane) const {
  return maximum(PhGlobal::verticalAxis(iPlane));
}

double PhObjectList::width(int iPlane) const {
  return maxHorizontal(iPlane) - minHorizontal(iPlane);
}

double PhObjectList::height(int iPlane) const {
  return maxVertical(iPlane) - minVertical(iPlane);
}
