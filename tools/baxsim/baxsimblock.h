#ifndef BAXSIMBLOCK_H
#define BAXSIMBLOCK_H

#include "baxsimrng.h"
#include "baxsimulator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

// The simulated block: terrain, images and the ground grid, which images
// measure which grid point, the control points, and what each point is
// (code, ID, adjusted coordinates, lonely or with an eliminated ray). The
// file writers only read it. Memory grows with the ground grid (2 bytes per
// grid point for the rays), not with the number of image points.
class BaxSimBlock {
 public:
  static constexpr qint64 MaxGridPoints = 20000000;

  // The nominal geometry of a block, metres unless named otherwise.
  struct Layout {
    double halfUsable = 0.0;  // mm
    double height = 0.0;
    double footprint = 0.0;
    double base = 0.0;
    double stripDistance = 0.0;
    double gridX0 = 0.0;
    double gridY0 = 0.0;
    double gridPoints = 0.0;  // as double, to check before converting
    qint64 nx = 0;            // 0 with more than MaxGridPoints grid points
    qint64 ny = 0;
  };

  struct Image {
    int id = 0;
    double centre[3] = {0.0, 0.0, 0.0};
    double r[9] = {};
    double sigma[3] = {0.0, 0.0, 0.0};
    bool observed = false;
  };

  struct Control {
    qint64 grid = 0;
    int id = 0;
    int code = 0;
    int ordinal = 0;  // among the control points of its code
  };

  static Layout layout(const BaxSimOptions &options);

  // Lays out terrain and images of options that passed validation as they
  // are (no target, no points per image).
  explicit BaxSimBlock(const BaxSimOptions &options);

  // Counts the rays of every grid point; then chooseControl() picks the
  // control points among those with rays.
  void countRays();
  void chooseControl();

  const BaxSimOptions &options() const { return mOpt; }
  double halfUsable() const { return mHalfUsable; }  // mm
  const std::vector<Image> &images() const { return mImages; }
  const std::vector<Control> &controls() const { return mControls; }  // in ID order
  qint64 gridPoints() const { return qint64(mRays.size()); }
  int rays(qint64 g) const { return mRays[size_t(g)]; }

  template <typename Visit>
  void visitImage(int image, Visit &&visit) const;
  void groundPoint(qint64 g, double *xyz) const;
  bool project(const Image &image, const double *xyz, double *x, double *y) const;
  const Control *control(qint64 g) const;
  bool isLonely(qint64 g) const;
  // The ray (in image order) that is eliminated, or -1.
  int blunderRay(qint64 g) const;
  void adjustedPoint(qint64 g, const double *truth, double *xyz, double *sigma) const;
  int pointCode(qint64 g) const;
  int pointId(qint64 g) const;
  qint64 imagePointTotal() const;

 private:
  using Rng = BaxSimRng;

  double _terrain(double x, double y) const;

  BaxSimOptions mOpt;
  double mHalfUsable = 0.0;  // mm: points are measured within +-mHalfUsable
  double mHeight = 0.0;      // flying height above mean ground
  double mFootprint = 0.0;
  double mBase = 0.0;
  double mStripDistance = 0.0;
  double mRelief = 0.0;
  double mGridX0 = 0.0;
  double mGridY0 = 0.0;
  qint64 mNx = 0;
  qint64 mNy = 0;
  double mTerrainX0 = 0.0;
  double mTerrainY0 = 0.0;
  int mTerrainNx = 0;
  int mTerrainNy = 0;
  std::vector<double> mTerrainHeights;
  std::vector<Image> mImages;
  std::vector<std::uint16_t> mRays;  // per grid point: images that measure it
  std::vector<Control> mControls;    // in ID order
  std::vector<std::pair<qint64, int>> mControlIndex;  // (grid index, control) by grid index
  qint64 mForcedLonely = -1;   // grid index of a point always kept as lonely
  qint64 mForcedBlunder = -1;  // grid index of a point always given an eliminated ray
};

// Calls visit(g, truth, x, y) for every ground point measured in the image, in
// grid order; the same points in every pass.
template <typename Visit>
void BaxSimBlock::visitImage(int i, Visit &&visit) const {
  const Image &image = mImages[size_t(i)];
  double lowest = mOpt.terrainHeight - mRelief - 1.0;
  double reach = mHalfUsable / mOpt.focalLength * (image.centre[2] - lowest) * 1.05 +
                 0.04 * mHeight + mOpt.spacing;
  auto first = [this](double v, double origin, qint64 n) {
    return qint64(std::min(std::max(std::floor((v - origin) / mOpt.spacing), 0.0), double(n - 1)));
  };
  qint64 ix0 = first(image.centre[0] - reach, mGridX0, mNx);
  qint64 ix1 = first(image.centre[0] + reach, mGridX0, mNx) + 1;
  qint64 iy0 = first(image.centre[1] - reach, mGridY0, mNy);
  qint64 iy1 = first(image.centre[1] + reach, mGridY0, mNy) + 1;
  ix1 = std::min(ix1, mNx - 1);
  iy1 = std::min(iy1, mNy - 1);
  double truth[3];
  for (qint64 iy = iy0; iy <= iy1; ++iy) {
    for (qint64 ix = ix0; ix <= ix1; ++ix) {
      qint64 g = iy * mNx + ix;
      groundPoint(g, truth);
      double x = 0.0, y = 0.0;
      if (!project(image, truth, &x, &y)) continue;
      if (std::fabs(x) > mHalfUsable || std::fabs(y) > mHalfUsable) continue;
      if (Rng(mOpt.seed, Rng::Miss, quint64(g), quint64(image.id)).uniform() < mOpt.missRate) continue;
      visit(g, truth, x, y);
    }
  }
}

#endif  // BAXSIMBLOCK_H
