#ifndef PHDENSITYMAP_H
#define PHDENSITYMAP_H

#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

class QPainter;

// The number of points on each pixel, drawn on a logarithmic colour map
// from 1 to the most points any pixel of the layout holds: a block of
// millions of points reads as a map of its coverage. Used only where points
// crowd, so that symbols come back when the zoom separates them.
class PhDensityMap {
 public:
  // Forgets the layout.
  void invalidate() { mValid = false; }
  // For the layout's pixels: true when points crowd, that is some pixel holds
  // more than one point and the symbols (`symbolSize` across) of all points
  // would cover more than the whole contents.
  bool crowded(const std::vector<QPoint> &positions, const QSize &contents, int symbolSize);
  // The most points on one pixel of the layout.
  int mostPerPixel() const { return mMost; }

  // A drawing of the exposed rectangle: begin, add every point drawn there, end.
  void begin(const QRect &exposed);
  void add(const QPoint &pos) {
    if (!mArea.contains(pos)) return;
    ++mCounts[std::size_t(pos.y() - mArea.top()) * std::size_t(mArea.width()) + std::size_t(pos.x() - mArea.left())];
  }
  // Pixels with points in the map's colours, others left as they are.
  void end(QPainter *painter);

  // The colour-map position of a count: 0 for one point, 1 for the most.
  static double position(int count, int most);

 private:
  bool mValid = false;
  int mMost = 1;
  QRect mArea;
  std::vector<quint32> mCounts;
  QImage mImage;
};

#endif  // PHDENSITYMAP_H
