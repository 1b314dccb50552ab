#ifndef PHPOINTGRID_H
#define PHPOINTGRID_H

#include <QPoint>
#include <QRect>

#include <algorithm>
#include <vector>

// A uniform grid over point pixels: each cell lists the points that fall
// into it (index and pixel, kept together so a query reads memory in order),
// in ascending index order. Cells are 16 pixels square unless the area is so
// large that they must grow to keep the grid small.
class PhPointGrid {
 public:
  void build(const std::vector<QPoint> &positions, int width, int height);
  void clear();
  bool isEmpty() const { return mStart.empty(); }

  // Number of points in the cells that `rect` touches.
  long long countIn(const QRect &rect) const;
  // Calls f(index, pixel) for every point in the cells that `rect` touches,
  // cell by cell; points of those cells outside `rect` are included.
  template <class F>
  void forEachIn(const QRect &rect, F f) const {
    int c0 = 0;
    int c1 = 0;
    int r0 = 0;
    int r1 = 0;
    if (!cellRange(rect, c0, c1, r0, r1)) return;
    for (int r = r0; r <= r1; ++r) {
      const std::size_t rowBase = std::size_t(r) * std::size_t(mCols);
      const Item *first = mItems.data() + mStart[rowBase + std::size_t(c0)];
      const Item *last = mItems.data() + mStart[rowBase + std::size_t(c1) + 1];
      for (const Item *it = first; it != last; ++it) f(it->index, it->pos);
    }
  }
  int cellShift() const { return mShift; }

 private:
  struct Item {
    int index;
    QPoint pos;
  };

  bool cellRange(const QRect &rect, int &c0, int &c1, int &r0, int &r1) const;

  int mShift = 4;
  int mCols = 0;
  int mRows = 0;
  // Cell c holds mItems[mStart[c] .. mStart[c + 1]); cells row by row.
  std::vector<int> mStart;
  std::vector<Item> mItems;
};

#endif  // PHPOINTGRID_H
