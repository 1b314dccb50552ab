#include "phpointgrid.h"

namespace {

constexpr int MinShift = 4;
constexpr long long MinCells = 1 << 16;

}  // namespace

void PhPointGrid::clear() {
  mCols = mRows = 0;
  mStart.clear();
  mItems.clear();
}

void PhPointGrid::build(const std::vector<QPoint> &positions, int width, int height) {
  clear();
  width = std::max(width, 1);
  height = std::max(height, 1);
  // About two cells a point at most, so a deep zoom cannot make the grid huge.
  const long long maxCells = std::max(MinCells, 2LL * (long long)positions.size());
  mShift = MinShift;
  while ((((long long)width >> mShift) + 1) * (((long long)height >> mShift) + 1) > maxCells)
    ++mShift;
  mCols = (width >> mShift) + 1;
  mRows = (height >> mShift) + 1;
  const std::size_t cells = std::size_t(mCols) * std::size_t(mRows);

  // Counting sort by cell; indices enter in ascending order.
  std::vector<int> cellOf(positions.size());
  mStart.assign(cells + 1, 0);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const int c = std::clamp(positions[i].x() >> mShift, 0, mCols - 1);
    const int r = std::clamp(positions[i].y() >> mShift, 0, mRows - 1);
    cellOf[i] = r * mCols + c;
    ++mStart[std::size_t(cellOf[i]) + 1];
  }
  for (std::size_t c = 0; c < cells; ++c) mStart[c + 1] += mStart[c];
  mItems.resize(positions.size());
  std::vector<int> fill(mStart.begin(), mStart.end() - 1);
  for (std::size_t i = 0; i < positions.size(); ++i)
    mItems[std::size_t(fill[std::size_t(cellOf[i])]++)] = {int(i), positions[i]};
}

bool PhPointGrid::cellRange(const QRect &rect, int &c0, int &c1, int &r0, int &r1) const {
  if (mStart.empty() || rect.isEmpty()) return false;
  if (rect.right() < 0 || rect.bottom() < 0) return false;
  c0 = std::clamp(rect.left() >> mShift, 0, mCols - 1);
  c1 = std::clamp(rect.right() >> mShift, 0, mCols - 1);
  r0 = std::clamp(rect.top() >> mShift, 0, mRows - 1);
  r1 = std::clamp(rect.bottom() >> mShift, 0, mRows - 1);
  return true;
}

long long PhPointGrid::countIn(const QRect &rect) const {
  int c0 = 0;
  int c1 = 0;
  int r0 = 0;
  int r1 = 0;
  if (!cellRange(rect, c0, c1, r0, r1)) return 0;
  long long n = 0;
  for (int r = r0; r <= r1; ++r) {
    const std::size_t rowBase = std::size_t(r) * std::size_t(mCols);
    n += mStart[rowBase + std::size_t(c1) + 1] - mStart[rowBase + std::size_t(c0)];
  }
  return n;
}
