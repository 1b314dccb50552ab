#ifndef PHCOVERMASK_H
#define PHCOVERMASK_H

#include <QRect>
#include <QtGlobal>

#include <vector>

// The pixels of an area that drawing yet to come will cover with opaque
// pixels, one bit each. Filled from the last drawing back to the first, it
// tells which drawings cannot show at all: those whose every pixel is covered
// later. Outside the area counts as covered, since nothing shows there.
class PhCoverMask {
 public:
  // All of `area` uncovered.
  void reset(const QRect &area);
  const QRect &area() const { return mArea; }

  // True when every pixel of `box` is covered.
  bool covers(const QRect &box) const;
  // Pixels x0..x1 of line y covered from now on.
  void addRun(int y, int x0, int x1);

 private:
  quint64 *row(int y) { return mBits.data() + std::size_t(y - mArea.top()) * std::size_t(mWords); }
  const quint64 *row(int y) const {
    return mBits.data() + std::size_t(y - mArea.top()) * std::size_t(mWords);
  }

  QRect mArea;
  int mWords = 0;
  std::vector<quint64> mBits;
};

#endif  // PHCOVERMASK_H
