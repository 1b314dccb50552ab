#include "baxsimblock.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

// Everything here and in the file writers uses only +, -, *, / and sqrt on
// doubles (all correctly rounded in IEEE arithmetic), and the library is built
// without contraction into fused multiply-adds, so the files come out bit for
// bit the same everywhere.

namespace {

constexpr int ControlIdBase = 1000000;  // image IDs stay below, new points above
constexpr int PointIdBase = 2000000;

void rotationOf(double omega, double phi, double kappa, bool reversed, double *r) {
  // Quaternion of a small rotation, turned by half a circle about the vertical
  // for strips flown the other way.
  double w = 1.0, x = omega / 2.0, y = phi / 2.0, z = kappa / 2.0;
  double n = std::sqrt(w * w + x * x + y * y + z * z);
  w /= n;
  x /= n;
  y /= n;
  z /= n;
  if (reversed) {
    double w2 = -z, x2 = y, y2 = -x, z2 = w;
    w = w2;
    x = x2;
    y = y2;
    z = z2;
  }
  r[0] = 1.0 - 2.0 * (y * y + z * z);
  r[1] = 2.0 * (x * y - w * z);
  r[2] = 2.0 * (x * z + w * y);
  r[3] = 2.0 * (x * y + w * z);
  r[4] = 1.0 - 2.0 * (x * x + z * z);
  r[5] = 2.0 * (y * z - w * x);
  r[6] = 2.0 * (x * z - w * y);
  r[7] = 2.0 * (y * z + w * x);
  r[8] = 1.0 - 2.0 * (x * x + y * y);
}

}  // namespace

BaxSimBlock::Layout BaxSimBlock::layout(const BaxSimOptions &o) {
  Layout l;
  l.halfUsable = o.frameSize / 2.0 - o.frameSize / 46.0;  // 110 mm of a 230 mm frame
  l.height = o.scale * o.focalLength / 1000.0;
  l.footprint = o.scale * o.frameSize / 1000.0;
  l.base = (1.0 - o.forwardOverlap) * l.footprint;
  l.stripDistance = (1.0 - o.sideOverlap) * l.footprint;
  double margin = 0.525 * l.footprint;
  double width = (o.imagesPerStrip - 1) * l.base + 2.0 * margin;
  double height = (o.strips - 1) * l.stripDistance + 2.0 * margin;
  l.gridX0 = o.offsetX - margin;
  l.gridY0 = o.offsetY - margin;
  double nx = std::floor(width / o.spacing) + 1.0;
  double ny = std::floor(height / o.spacing) + 1.0;
  l.gridPoints = nx * ny;
  if (l.gridPoints <= static_cast<double>(MaxGridPoints)) {
    l.nx = static_cast<qint64>(nx);
    l.ny = static_cast<qint64>(ny);
  }
  return l;
}

BaxSimBlock::BaxSimBlock(const BaxSimOptions &options) : mOpt(options) {
  const BaxSimOptions &o = mOpt;
  Layout l = layout(o);
  mHalfUsable = l.halfUsable;
  mHeight = l.height;
  mFootprint = l.footprint;
  mBase = l.base;
  mStripDistance = l.stripDistance;
  mRelief = 0.03 * l.height;
  mGridX0 = l.gridX0;
  mGridY0 = l.gridY0;
  mNx = l.nx;
  mNy = l.ny;

  // Coarse terrain: random heights at nodes one footprint apart, bilinear between.
  double cell = mFootprint;
  mTerrainX0 = mGridX0 - cell;
  mTerrainY0 = mGridY0 - cell;
  mTerrainNx = int(std::ceil((mNx * o.spacing + 2.0 * cell) / cell)) + 2;
  mTerrainNy = int(std::ceil((mNy * o.spacing + 2.0 * cell) / cell)) + 2;
  mTerrainHeights.assign(size_t(mTerrainNx) * size_t(mTerrainNy), 0.0);
  for (size_t i = 0; i < mTerrainHeights.size(); ++i)
    mTerrainHeights[i] = o.terrainHeight + mRelief * Rng(o.seed, Rng::Terrain, i).symmetric();

  // Images: serpentine strips, IDs in flight order.
  const int stride = o.imagesPerStrip < 1000 ? 1000 : 10000;
  mImages.clear();
  mImages.reserve(size_t(o.strips) * size_t(o.imagesPerStrip));
  const double scaleFactor = o.scale / 10000.0;
  for (int s = 0; s < o.strips; ++s) {
    bool reversed = (s % 2) == 1;
    for (int j = 0; j < o.imagesPerStrip; ++j) {
      int k = reversed ? o.imagesPerStrip - 1 - j : j;
      Image image;
      image.id = (s + 1) * stride + j + 1;
      Rng rng(o.seed, Rng::Orientation, quint64(image.id));
      image.centre[0] = o.offsetX + k * mBase + 0.004 * mFootprint * rng.normal();
      image.centre[1] = o.offsetY + s * mStripDistance + 0.004 * mFootprint * rng.normal();
      image.centre[2] = o.terrainHeight + mHeight + 0.004 * mHeight * rng.normal();
      double omega = 0.008 * rng.normal();
      double phi = 0.008 * rng.normal();
      double kappa = 0.01 * rng.normal();
      rotationOf(omega, phi, kappa, reversed, image.r);
      image.sigma[0] = 0.04 * scaleFactor * (0.8 + 0.4 * rng.uniform());
      image.sigma[1] = 0.04 * scaleFactor * (0.8 + 0.4 * rng.uniform());
      image.sigma[2] = 0.025 * scaleFactor * (0.8 + 0.4 * rng.uniform());
      image.observed = Rng(o.seed, Rng::Centre, quint64(image.id)).uniform() < o.observedCentreRate;
      mImages.push_back(image);
    }
  }
  mRays.assign(size_t(mNx * mNy), 0);
}

double BaxSimBlock::_terrain(double x, double y) const {
  double u = (x - mTerrainX0) / mFootprint;
  double v = (y - mTerrainY0) / mFootprint;
  int i = int(std::min(std::max(std::floor(u), 0.0), double(mTerrainNx - 2)));
  int j = int(std::min(std::max(std::floor(v), 0.0), double(mTerrainNy - 2)));
  double fu = std::min(std::max(u - i, 0.0), 1.0);
  double fv = std::min(std::max(v - j, 0.0), 1.0);
  const double *h = mTerrainHeights.data() + size_t(j) * size_t(mTerrainNx) + size_t(i);
  double south = h[0] + (h[1] - h[0]) * fu;
  double north = h[mTerrainNx] + (h[mTerrainNx + 1] - h[mTerrainNx]) * fu;
  return south + (north - south) * fv;
}

void BaxSimBlock::groundPoint(qint64 g, double *xyz) const {
  qint64 ix = g % mNx;
  qint64 iy = g / mNx;
  Rng rng(mOpt.seed, Rng::Jitter, quint64(g));
  xyz[0] = mGridX0 + double(ix) * mOpt.spacing + 0.3 * mOpt.spacing * rng.symmetric();
  xyz[1] = mGridY0 + double(iy) * mOpt.spacing + 0.3 * mOpt.spacing * rng.symmetric();
  xyz[2] = _terrain(xyz[0], xyz[1]) + 0.5 * rng.symmetric();
}

bool BaxSimBlock::project(const Image &image, const double *xyz, double *x, double *y) const {
  double d0 = xyz[0] - image.centre[0];
  double d1 = xyz[1] - image.centre[1];
  double d2 = xyz[2] - image.centre[2];
  const double *r = image.r;
  double cx = r[0] * d0 + r[3] * d1 + r[6] * d2;
  double cy = r[1] * d0 + r[4] * d1 + r[7] * d2;
  double cz = r[2] * d0 + r[5] * d1 + r[8] * d2;
  if (cz >= 0.0) return false;  // behind the camera
  *x = -mOpt.focalLength * cx / cz;
  *y = -mOpt.focalLength * cy / cz;
  return true;
}

void BaxSimBlock::countRays() {
  for (int i = 0; i < int(mImages.size()); ++i)
    visitImage(i, [this](qint64 g, const double *, double, double) {
      std::uint16_t &rays = mRays[size_t(g)];
      if (rays < 65535) ++rays;
    });
  // The single-ray point with the smallest draw is always kept, so that any
  // block with such points shows a lonely image point.
  mForcedLonely = -1;
  double smallest = 2.0;
  for (qint64 g = 0; g < qint64(mRays.size()) && mOpt.lonelyRate > 0.0; ++g) {
    if (mRays[size_t(g)] != 1) continue;
    double u = Rng(mOpt.seed, Rng::Lonely, quint64(g)).uniform();
    if (u < smallest) {
      smallest = u;
      mForcedLonely = g;
    }
  }
}

bool BaxSimBlock::isLonely(qint64 g) const {
  return mRays[size_t(g)] == 1 &&
         (g == mForcedLonely || Rng(mOpt.seed, Rng::Lonely, quint64(g)).uniform() < mOpt.lonelyRate);
}

int BaxSimBlock::blunderRay(qint64 g) const {
  int rays = mRays[size_t(g)];
  if (rays < 3 || control(g)) return -1;
  Rng rng(mOpt.seed, Rng::Blunder, quint64(g));
  if (rng.uniform() >= mOpt.blunderRate && g != mForcedBlunder) return -1;
  return int(rng.next() % quint64(rays));
}

const BaxSimBlock::Control *BaxSimBlock::control(qint64 g) const {
  auto it = std::lower_bound(mControlIndex.begin(), mControlIndex.end(), std::make_pair(g, 0));
  if (it == mControlIndex.end() || it->first != g) return nullptr;
  return &mControls[size_t(it->second)];
}

int BaxSimBlock::pointCode(qint64 g) const {
  if (const Control *c = control(g)) return c->code;
  return Rng(mOpt.seed, Rng::Code, quint64(g)).uniform() < 0.1 ? 101 : 100;
}

int BaxSimBlock::pointId(qint64 g) const {
  if (const Control *c = control(g)) return c->id;
  return PointIdBase + int(g);
}

qint64 BaxSimBlock::imagePointTotal() const {
  qint64 total = 0;
  for (qint64 g = 0; g < qint64(mRays.size()); ++g) {
    int rays = mRays[size_t(g)];
    if (rays >= 2) total += rays;
    else if (isLonely(g)) ++total;
  }
  return total;
}

void BaxSimBlock::chooseControl() {
  // Control on a lattice: across every strip gap and the block's two long
  // edges, every second base along the strips; perimeter full and horizontal
  // control in turn, vertical control inside.
  const BaxSimOptions &o = mOpt;
  std::vector<double> xs, ys;
  double last = o.offsetX + (o.imagesPerStrip - 1) * mBase;
  for (int j = 0; o.offsetX + j * 2.0 * mBase <= last + 1e-6; ++j) xs.push_back(o.offsetX + j * 2.0 * mBase);
  if (xs.back() < last - 0.5 * mBase) xs.push_back(last);
  ys.push_back(o.offsetY - 0.35 * mFootprint);
  for (int s = 0; s + 1 < o.strips; ++s) ys.push_back(o.offsetY + (s + 0.5) * mStripDistance);
  ys.push_back(o.offsetY + (o.strips - 1) * mStripDistance + 0.35 * mFootprint);

  const int nx = int(xs.size()), ny = int(ys.size());
  const bool interior = nx >= 3 && ny >= 3;
  std::unordered_set<qint64> taken;  // membership only, never iterated
  int counters[3] = {0, 0, 0};
  int scan = 0;
  for (int jy = 0; jy < ny; ++jy) {
    for (int jx = 0; jx < nx; ++jx, ++scan) {
      qint64 cx = qint64(std::floor((xs[size_t(jx)] - mGridX0) / o.spacing + 0.5));
      qint64 cy = qint64(std::floor((ys[size_t(jy)] - mGridY0) / o.spacing + 0.5));
      qint64 best = -1;
      double bestScore = 0.0;
      for (qint64 iy = cy - 2; iy <= cy + 2; ++iy) {
        for (qint64 ix = cx - 2; ix <= cx + 2; ++ix) {
          if (ix < 0 || iy < 0 || ix >= mNx || iy >= mNy) continue;
          qint64 g = iy * mNx + ix;
          int rays = mRays[size_t(g)];
          if (rays < 2 || taken.count(g)) continue;
          double score = double((ix - cx) * (ix - cx) + (iy - cy) * (iy - cy)) + (rays < 3 ? 100.0 : 0.0);
          if (best < 0 || score < bestScore) {
            best = g;
            bestScore = score;
          }
        }
      }
      if (best < 0) continue;
      bool perimeter = jx == 0 || jy == 0 || jx == nx - 1 || jy == ny - 1;
      int code;
      if (interior) code = perimeter ? ((jx + jy) % 2 == 0 ? 500 : 300) : 200;
      else code = scan % 3 == 0 ? 500 : scan % 3 == 1 ? 300 : 200;
      int &counter = counters[code == 500 ? 0 : code == 300 ? 1 : 2];
      Control c;
      c.grid = best;
      c.id = ControlIdBase + int(mControls.size()) + 1;
      c.code = code;
      c.ordinal = counter++;
      taken.insert(best);
      mControls.push_back(c);
    }
  }
  for (int i = 0; i < int(mControls.size()); ++i) mControlIndex.emplace_back(mControls[size_t(i)].grid, i);
  std::sort(mControlIndex.begin(), mControlIndex.end());

  // Likewise one eliminated ray at least, on the eligible point with the smallest draw.
  mForcedBlunder = -1;
  double smallest = 2.0;
  for (qint64 g = 0; g < qint64(mRays.size()) && mOpt.blunderRate > 0.0; ++g) {
    if (mRays[size_t(g)] < 3 || control(g)) continue;
    double u = Rng(mOpt.seed, Rng::Blunder, quint64(g)).uniform();
    if (u < smallest) {
      smallest = u;
      mForcedBlunder = g;
    }
  }
}

void BaxSimBlock::adjustedPoint(qint64 g, const double *truth, double *xyz, double *sigma) const {
  Rng rng(mOpt.seed, Rng::Adjust, quint64(g));
  int rays = std::max<int>(2, mRays[size_t(g)]);
  double s = 0.015 * (mOpt.scale / 10000.0) * std::sqrt(3.0 / rays) * (0.9 + 0.2 * rng.uniform());
  if (control(g)) s *= 0.7;
  sigma[0] = s;
  sigma[1] = s * (0.95 + 0.1 * rng.uniform());
  sigma[2] = 1.6 * s;
  for (int a = 0; a < 3; ++a) xyz[a] = truth[a] + sigma[a] * rng.normal();
}
