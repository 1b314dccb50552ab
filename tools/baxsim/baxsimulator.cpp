#include "baxsimulator.h"

#include "baxwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <unordered_set>

// Everything below uses only +, -, *, / and sqrt on doubles (all correctly
// rounded in IEEE arithmetic), and the target is built without contraction
// into fused multiply-adds, so the files come out bit for bit the same
// everywhere.

namespace {

enum Tag : quint64 {
  TagOrientation = 1,
  TagMiss,
  TagJitter,
  TagTerrain,
  TagLonely,
  TagBlunder,
  TagCode,
  TagAdjust,
  TagResidual,
  TagControlObs,
  TagCentre,
  TagCentreObs,
  TagCentreSigma
};

constexpr qint64 MaxGridPoints = 20000000;
constexpr qint64 MaxImages = 200000;
constexpr qint64 MaxTargetImagePoints = 100000000;
constexpr int ControlIdBase = 1000000;  // image IDs stay below, new points above
constexpr int PointIdBase = 2000000;
constexpr int RepeatPeriod = 500;       // every 500th object record is written twice
constexpr double Pi = 3.141592653589793;
constexpr double Sqrt3 = 1.7320508075688772;

quint64 splitmix(quint64 x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// A small counter-based generator: each entity (point, image, ray) gets its own
// stream from (seed, purpose, index, index), so no result depends on the order
// in which entities are visited.
class Rng {
 public:
  Rng(quint64 seed, quint64 tag, quint64 a, quint64 b = 0)
      : mState(splitmix(splitmix(splitmix(splitmix(seed) ^ tag) ^ a) ^ b)) {}
  quint64 next() { return splitmix(mState++); }
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double symmetric() { return 2.0 * uniform() - 1.0; }
  // Unit-variance bell curve: the sum of four uniforms (bounded at +-3.5).
  double normal() { return (uniform() + uniform() + uniform() + uniform() - 2.0) * Sqrt3; }
  double sign() { return (next() >> 63) ? -1.0 : 1.0; }

 private:
  quint64 mState;
};

struct Layout {
  double halfUsable = 0.0;  // mm
  double height = 0.0;
  double footprint = 0.0;
  double base = 0.0;
  double stripDistance = 0.0;
  double gridX0 = 0.0;
  double gridY0 = 0.0;
  double gridPoints = 0.0;  // as double, to check before converting
  qint64 nx = 0;
  qint64 ny = 0;
};

Layout layoutOf(const BaxSimOptions &o) {
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

bool inRange(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

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

// Axis (0 X, 1 Y, 2 Z) whose observation is rejected for the n-th control
// point of a code, or -1. Periodic so that small blocks show every case.
int rejectedControlAxis(int code, int n) {
  switch (code) {
    case 500:
      return n % 8 == 1 ? 0 : n % 8 == 3 ? 1 : n % 8 == 5 ? 2 : -1;
    case 300:
      return n % 8 == 2 ? 0 : n % 8 == 6 ? 1 : -1;
    case 200:
      return n % 8 == 4 ? 2 : -1;
  }
  return -1;
}

int rejectedCentreAxis(int n) { return n % 12 == 2 ? 0 : n % 12 == 5 ? 2 : n % 12 == 9 ? 1 : -1; }

bool hasAxis(int code, int axis) {
  if (code == 500) return true;
  if (code == 300) return axis < 2;
  if (code == 200) return axis == 2;
  return false;
}

// The accepted flag a reader ends with after reading a point's observation
// records in order: the last record decides; an accepted Z record of a
// control point (component 3) is overruled by an observed, rejected X.
class AcceptedFlag {
 public:
  void add(int component, bool rejected) {
    int axis = (component - 1) % 3;
    mAccepted = !rejected;
    mAxisAccepted[axis] = !rejected;
    mObserved[axis] = true;
    if (component == 3 && !rejected && mObserved[0] && !mAxisAccepted[0]) mAccepted = false;
  }
  bool accepted() const { return mAccepted; }

 private:
  bool mAccepted = true;
  bool mAxisAccepted[3] = {false, false, false};
  bool mObserved[3] = {false, false, false};
};

}  // namespace

struct BaxSimulator::Image {
  int id = 0;
  double centre[3] = {0.0, 0.0, 0.0};
  double r[9] = {};
  double sigma[3] = {0.0, 0.0, 0.0};
  bool observed = false;
};

struct BaxSimulator::Control {
  qint64 grid = 0;
  int id = 0;
  int code = 0;
  int ordinal = 0;  // among the control points of its code
};

qint64 BaxSimResult::pointsOfCode(int code) const {
  switch (code) {
    case 100: return points100;
    case 101: return points101;
    case 200: return points200;
    case 300: return points300;
    case 500: return points500;
  }
  return 0;
}

BaxSimulator::BaxSimulator(const BaxSimOptions &options) : mOpt(options) {}

BaxSimulator::~BaxSimulator() = default;

bool BaxSimulator::validate(const BaxSimOptions &o, QString *error) {
  auto fail = [error](const QString &text) {
    if (error) *error = text;
    return false;
  };
  static const QRegularExpression nameRx(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_.-]{0,63}$"));
  if (!nameRx.match(o.name).hasMatch())
    return fail(QStringLiteral("Project name '%1' must be 1 to 64 letters, digits, '_', '-' or '.'")
                    .arg(o.name));
  if (o.targetImagePoints < 0 || o.targetImagePoints > MaxTargetImagePoints)
    return fail(QStringLiteral("Target image points must be 0 to %1").arg(MaxTargetImagePoints));
  if (o.pointsPerImage < 0 || o.pointsPerImage > 1000000)
    return fail(QStringLiteral("Points per image must be 0 to 1000000"));
  if (o.targetImagePoints == 0) {
    if (o.strips < 1 || o.strips > 99) return fail(QStringLiteral("Strips must be 1 to 99"));
    if (o.imagesPerStrip < 1 || o.imagesPerStrip > 9999)
      return fail(QStringLiteral("Images per strip must be 1 to 9999"));
    if (qint64(o.strips) * o.imagesPerStrip > MaxImages)
      return fail(QStringLiteral("At most %1 images").arg(MaxImages));
    if (o.pointsPerImage == 0 && !inRange(o.spacing, 0.01, 1e6))
      return fail(QStringLiteral("Ground point spacing must be 0.01 to 1000000 m"));
  }
  if (!inRange(o.scale, 100.0, 1e6)) return fail(QStringLiteral("Image scale must be 100 to 1000000"));
  if (!inRange(o.focalLength, 5.0, 2000.0))
    return fail(QStringLiteral("Focal length must be 5 to 2000 mm"));
  if (!inRange(o.frameSize, 5.0, 1000.0)) return fail(QStringLiteral("Frame size must be 5 to 1000 mm"));
  if (!inRange(o.forwardOverlap, 0.0, 0.95) || !inRange(o.sideOverlap, 0.0, 0.95))
    return fail(QStringLiteral("Overlaps must be 0 to 95 %"));
  if (!inRange(o.offsetX, -1e8, 1e8) || !inRange(o.offsetY, -1e8, 1e8))
    return fail(QStringLiteral("Offsets must be within +-100000000 m"));
  if (!inRange(o.terrainHeight, -1000.0, 9000.0))
    return fail(QStringLiteral("Terrain height must be -1000 to 9000 m"));
  if (o.cameraId < 0 || o.cameraId > 999999999)
    return fail(QStringLiteral("Camera ID must be 0 to 999999999"));
  const double rates[] = {o.observedCentreRate, o.blunderRate, o.lonelyRate, o.missRate};
  for (double rate : rates)
    if (!inRange(rate, 0.0, 1.0)) return fail(QStringLiteral("Rates must be 0 to 1"));
  if (o.missRate > 0.9) return fail(QStringLiteral("Miss rate must be at most 0.9"));
  if (o.targetImagePoints == 0 && o.pointsPerImage == 0) {
    Layout l = layoutOf(o);
    if (l.nx == 0)
      return fail(QStringLiteral("The ground grid would hold %1 points (at most %2); "
                                 "use a larger spacing")
                      .arg(l.gridPoints, 0, 'g', 3)
                      .arg(MaxGridPoints));
  }
  return true;
}

bool BaxSimulator::resolve(const BaxSimOptions &options, BaxSimOptions *resolved, QString *error) {
  if (!validate(options, error)) return false;
  *resolved = options;
  const qint64 target = options.targetImagePoints;
  if (target == 0 && options.pointsPerImage == 0) return true;
  if (target == 0) {
    // The block as given, the spacing tuned for the points per image.
    const qint64 images = qint64(options.strips) * options.imagesPerStrip;
    if (!_tuneSpacing(resolved, images * options.pointsPerImage, options.pointsPerImage, error))
      return false;
    return validate(*resolved, error);
  }

  // A few hundred to a few thousand points per image, blocks about three
  // times as long as wide; then the spacing is tuned on counted rays.
  double perImage = std::min(3000.0, std::max(50.0, std::floor(std::sqrt(double(target)) + 0.5)));
  double images = std::max(1.0, std::floor(double(target) / perImage + 0.5));
  int strips = int(std::min(99.0, std::max(1.0, std::floor(std::sqrt(images / 3.0) + 0.5))));
  int perStrip = int(std::min(9999.0, std::max(1.0, std::ceil(images / strips))));
  resolved->strips = strips;
  resolved->imagesPerStrip = perStrip;
  if (!_tuneSpacing(resolved, target, perImage, error)) return false;
  resolved->targetImagePoints = 0;
  if (!validate(*resolved, error)) return false;
  resolved->targetImagePoints = target;
  return true;
}

bool BaxSimulator::_tuneSpacing(BaxSimOptions *resolved, qint64 target, double perImage,
                                QString *error) {
  const qint64 keptTarget = resolved->targetImagePoints;
  const int keptPerImage = resolved->pointsPerImage;
  resolved->targetImagePoints = 0;
  resolved->pointsPerImage = 0;
  Layout l = layoutOf(*resolved);
  double spacing = 2.0 * l.halfUsable / 1000.0 * resolved->scale /
                   std::sqrt(perImage / (1.0 - resolved->missRate));

  double bestSpacing = spacing;
  double bestMiss = -1.0;
  for (int round = 0; round < 8; ++round) {
    resolved->spacing = spacing;
    if (!validate(*resolved, nullptr)) {
      spacing *= 1.5;  // too fine for the grid limit
      continue;
    }
    BaxSimulator sim(*resolved);
    if (!sim._setup(error)) return false;
    sim._countRays();
    double total = double(sim._imagePointTotal());
    double miss = std::fabs(total - double(target));
    if (bestMiss < 0.0 || miss < bestMiss) {
      bestMiss = miss;
      bestSpacing = spacing;
    }
    if (miss <= 0.002 * double(target)) break;
    spacing = total > 0.0 ? spacing * std::sqrt(total / double(target)) : spacing / 2.0;
  }
  resolved->spacing = bestSpacing;
  resolved->targetImagePoints = keptTarget;
  resolved->pointsPerImage = keptPerImage;
  return true;
}

bool BaxSimulator::count(const BaxSimOptions &options, BaxSimResult *result, QString *error) {
  BaxSimOptions resolved;
  if (!resolve(options, &resolved, error)) return false;
  BaxSimulator sim(resolved);
  if (!sim._setup(error)) return false;
  sim._countRays();
  sim._chooseControl();
  *result = BaxSimResult();
  sim._tally(result);
  return true;
}

bool BaxSimulator::write(const BaxSimOptions &options, const QString &folder, BaxSimResult *result,
                         QString *error) {
  BaxSimOptions resolved;
  if (!resolve(options, &resolved, error)) return false;
  BaxSimulator sim(resolved);
  if (!sim._setup(error)) return false;
  sim._countRays();
  sim._chooseControl();
  BaxSimResult local;
  sim._tally(&local);
  if (!sim._writeFiles(folder, &local, error)) return false;
  if (result) *result = local;
  return true;
}

bool BaxSimulator::_setup(QString *error) {
  BaxSimOptions checked = mOpt;
  checked.targetImagePoints = 0;
  checked.pointsPerImage = 0;
  if (!validate(checked, error)) return false;
  const BaxSimOptions &o = mOpt;
  Layout l = layoutOf(o);
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
    mTerrainHeights[i] = o.terrainHeight + mRelief * Rng(o.seed, TagTerrain, i).symmetric();

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
      Rng rng(o.seed, TagOrientation, quint64(image.id));
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
      image.observed = Rng(o.seed, TagCentre, quint64(image.id)).uniform() < o.observedCentreRate;
      mImages.push_back(image);
    }
  }
  mRays.assign(size_t(mNx * mNy), 0);
  mSeen.clear();
  mControls.clear();
  mControlIndex.clear();
  return true;
}

double BaxSimulator::_terrain(double x, double y) const {
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

void BaxSimulator::_groundPoint(qint64 g, double *xyz) const {
  qint64 ix = g % mNx;
  qint64 iy = g / mNx;
  Rng rng(mOpt.seed, TagJitter, quint64(g));
  xyz[0] = mGridX0 + double(ix) * mOpt.spacing + 0.3 * mOpt.spacing * rng.symmetric();
  xyz[1] = mGridY0 + double(iy) * mOpt.spacing + 0.3 * mOpt.spacing * rng.symmetric();
  xyz[2] = _terrain(xyz[0], xyz[1]) + 0.5 * rng.symmetric();
}

bool BaxSimulator::_project(const Image &image, const double *xyz, double *x, double *y) const {
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

// Calls visit(g, truth, x, y) for every ground point measured in the image, in
// grid order; the same points in every pass.
template <typename Visit>
void BaxSimulator::_visitImage(int i, Visit &&visit) const {
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
      _groundPoint(g, truth);
      double x = 0.0, y = 0.0;
      if (!_project(image, truth, &x, &y)) continue;
      if (std::fabs(x) > mHalfUsable || std::fabs(y) > mHalfUsable) continue;
      if (Rng(mOpt.seed, TagMiss, quint64(g), quint64(image.id)).uniform() < mOpt.missRate) continue;
      visit(g, truth, x, y);
    }
  }
}

void BaxSimulator::_countRays() {
  for (int i = 0; i < int(mImages.size()); ++i)
    _visitImage(i, [this](qint64 g, const double *, double, double) {
      std::uint16_t &rays = mRays[size_t(g)];
      if (rays < 65535) ++rays;
    });
  // The single-ray point with the smallest draw is always kept, so that any
  // block with such points shows a lonely image point.
  mForcedLonely = -1;
  double smallest = 2.0;
  for (qint64 g = 0; g < qint64(mRays.size()) && mOpt.lonelyRate > 0.0; ++g) {
    if (mRays[size_t(g)] != 1) continue;
    double u = Rng(mOpt.seed, TagLonely, quint64(g)).uniform();
    if (u < smallest) {
      smallest = u;
      mForcedLonely = g;
    }
  }
}

bool BaxSimulator::_isLonely(qint64 g) const {
  return mRays[size_t(g)] == 1 &&
         (g == mForcedLonely || Rng(mOpt.seed, TagLonely, quint64(g)).uniform() < mOpt.lonelyRate);
}

int BaxSimulator::_blunderRay(qint64 g) const {
  int rays = mRays[size_t(g)];
  if (rays < 3 || _control(g)) return -1;
  Rng rng(mOpt.seed, TagBlunder, quint64(g));
  if (rng.uniform() >= mOpt.blunderRate && g != mForcedBlunder) return -1;
  return int(rng.next() % quint64(rays));
}

const BaxSimulator::Control *BaxSimulator::_control(qint64 g) const {
  auto it = std::lower_bound(mControlIndex.begin(), mControlIndex.end(), std::make_pair(g, 0));
  if (it == mControlIndex.end() || it->first != g) return nullptr;
  return &mControls[size_t(it->second)];
}

int BaxSimulator::_pointCode(qint64 g) const {
  if (const Control *c = _control(g)) return c->code;
  return Rng(mOpt.seed, TagCode, quint64(g)).uniform() < 0.1 ? 101 : 100;
}

int BaxSimulator::_pointId(qint64 g) const {
  if (const Control *c = _control(g)) return c->id;
  return PointIdBase + int(g);
}

qint64 BaxSimulator::_imagePointTotal() const {
  qint64 total = 0;
  for (qint64 g = 0; g < qint64(mRays.size()); ++g) {
    int rays = mRays[size_t(g)];
    if (rays >= 2) total += rays;
    else if (_isLonely(g)) ++total;
  }
  return total;
}

void BaxSimulator::_chooseControl() {
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
    if (mRays[size_t(g)] < 3 || _control(g)) continue;
    double u = Rng(mOpt.seed, TagBlunder, quint64(g)).uniform();
    if (u < smallest) {
      smallest = u;
      mForcedBlunder = g;
    }
  }
}

void BaxSimulator::_tally(BaxSimResult *r) const {
  r->strips = mOpt.strips;
  r->imagesPerStrip = mOpt.imagesPerStrip;
  r->spacing = mOpt.spacing;
  r->images = qint64(mImages.size());
  r->inversion = true;

  // Object records: control points first (lowest IDs), then the others in grid order.
  qint64 record = 0;
  auto countRecord = [&](int code, int rays) {
    ++r->objectPoints;
    r->objectRecords += (record % RepeatPeriod == RepeatPeriod / 2) ? 2 : 1;
    r->repeatedObjectRecords += (record % RepeatPeriod == RepeatPeriod / 2) ? 1 : 0;
    ++record;
    switch (code) {
      case 100: ++r->points100; break;
      case 101: ++r->points101; break;
      case 200: ++r->points200; break;
      case 300: ++r->points300; break;
      case 500: ++r->points500; break;
    }
    r->imagePoints += rays;
    r->maxLinks = std::max<qint64>(r->maxLinks, rays);
  };
  for (const Control &c : mControls) countRecord(c.code, mRays[size_t(c.grid)]);
  for (qint64 g = 0; g < qint64(mRays.size()); ++g) {
    int rays = mRays[size_t(g)];
    if (rays >= 2) {
      if (_control(g)) continue;
      countRecord(_pointCode(g), rays);
      if (_blunderRay(g) >= 0) ++r->eliminatedImagePoints;
    } else if (_isLonely(g)) {
      ++r->imagePoints;
      ++r->lonelyImagePoints;
      r->maxLinks = std::max<qint64>(r->maxLinks, 1);
    }
  }

  for (const Control &c : mControls) {
    int rejected = rejectedControlAxis(c.code, c.ordinal);
    AcceptedFlag flag;
    for (int axis = 0; axis < 3; ++axis) {
      if (!hasAxis(c.code, axis)) continue;
      ++r->observationRecords;
      r->rejectedObservations += axis == rejected ? 1 : 0;
      flag.add(axis + 1, axis == rejected);
    }
    r->notAcceptedPoints += flag.accepted() ? 0 : 1;
  }
  int ordinal = 0;
  for (const Image &image : mImages) {
    if (!image.observed) continue;
    int rejected = rejectedCentreAxis(ordinal++);
    ++r->observedCentres;
    AcceptedFlag flag;
    for (int axis = 0; axis < 3; ++axis) {
      ++r->observationRecords;
      r->rejectedObservations += axis == rejected ? 1 : 0;
      r->rejectedCentreObservations += axis == rejected ? 1 : 0;
      flag.add(axis + 4, axis == rejected);
    }
    r->notAcceptedPoints += flag.accepted() ? 0 : 1;
  }
}

void BaxSimulator::_adjustedPoint(qint64 g, const double *truth, double *xyz, double *sigma) const {
  Rng rng(mOpt.seed, TagAdjust, quint64(g));
  int rays = std::max<int>(2, mRays[size_t(g)]);
  double s = 0.015 * (mOpt.scale / 10000.0) * std::sqrt(3.0 / rays) * (0.9 + 0.2 * rng.uniform());
  if (_control(g)) s *= 0.7;
  sigma[0] = s;
  sigma[1] = s * (0.95 + 0.1 * rng.uniform());
  sigma[2] = 1.6 * s;
  for (int a = 0; a < 3; ++a) xyz[a] = truth[a] + sigma[a] * rng.normal();
}

bool BaxSimulator::_writeFiles(const QString &folder, BaxSimResult *result, QString *error) {
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) {
    if (error) *error = QStringLiteral("Cannot create folder '%1'").arg(folder);
    return false;
  }
  const QString base = mOpt.name;
  const QString camName = QStringLiteral("cam%1.cam").arg(mOpt.cameraId);
  const QString listName = base + QStringLiteral(".prj");
  auto path = [&dir](const QString &name) {
    return QDir::toNativeSeparators(QFileInfo(dir.absoluteFilePath(name)).absoluteFilePath());
  };
  result->projectFile = path(base + QStringLiteral(".(p)"));
  result->imageFile = path(base + QStringLiteral(".(i)"));
  result->orientationFile = path(base + QStringLiteral(".(e)"));
  result->objectFile = path(base + QStringLiteral(".(o)"));
  result->observationFile = path(base + QStringLiteral(".(c)"));
  result->cameraFile = path(camName);
  result->iniFile = path(QStringLiteral("Bax.ini"));
  result->projectListFile = path(listName);

  // Camera: focal length, principal point, no distortion, four corner
  // fiducials, then the frame as upper-left corner, width and height.
  BaxCamera camera;
  camera.id = mOpt.cameraId;
  double half = mOpt.frameSize / 2.0;
  double fid = mHalfUsable - 4.0 * mOpt.frameSize / 230.0;
  camera.c[0] = mOpt.focalLength;
  const double fiducials[8] = {-fid, fid, fid, fid, fid, -fid, -fid, -fid};
  for (int i = 0; i < 8; ++i) camera.c[9 + i] = fiducials[i];
  camera.c[21] = -half;
  camera.c[22] = half;
  camera.c[23] = mOpt.frameSize;
  camera.c[24] = mOpt.frameSize;
  BaxWriter cam;
  if (!cam.open(result->cameraFile) || !cam.writeCamera(camera) || !cam.close()) {
    if (error) *error = cam.errorString();
    return false;
  }

  if (!_writeImages(result->imageFile, result->orientationFile, result, error)) return false;
  if (!_writeObjects(result->objectFile, result->observationFile, result, error)) return false;

  BaxProjectFile project;
  project.projectName = base;
  project.cameraFile = camName;
  project.imageFile = base + QStringLiteral(".(i)");
  project.orientationFile = base + QStringLiteral(".(e)");
  project.objectFile = base + QStringLiteral(".(o)");
  project.observationFile = base + QStringLiteral(".(c)");
  if (!BaxWriter::writeProjectFile(result->projectFile, project, error)) return false;

  const QString programs = mOpt.relativeIni ? QStringLiteral(".") : path(QStringLiteral("."));
  const QString list = mOpt.relativeIni ? listName : result->projectListFile;
  const QString out = mOpt.relativeIni ? base : path(base);
  QList<BaxIniSection> ini;
  ini.append({QStringLiteral("BAX"),
              {{QStringLiteral("VERSION"), QStringLiteral("4.2")},
               {QStringLiteral("PATH_PROGRAMS"), programs}}});
  ini.append({QStringLiteral("BAXB"), {{QStringLiteral("BAXB_LAST_PROJ"), list}}});
  if (!BaxWriter::writeIniFile(result->iniFile, ini, "\r\n", error)) return false;
  QList<BaxIniSection> projectList;
  projectList.append({QStringLiteral("PROJECT"),
                      {{QStringLiteral("BAXB_PROJ_NAME"), base},
                       {QStringLiteral("BAXB_OUT_TESL"), out}}});
  return BaxWriter::writeIniFile(result->projectListFile, projectList, "\r\n", error);
}

bool BaxSimulator::_writeImages(const QString &imagePath, const QString &orientationPath,
                                BaxSimResult *result, QString *error) {
  BaxWriter wi, we;
  auto fail = [error](const BaxWriter &w) {
    if (error) *error = w.errorString();
    return false;
  };
  if (!wi.open(imagePath)) return fail(wi);
  if (!we.open(orientationPath)) return fail(we);
  mSeen.assign(mRays.size(), 0);

  double sumSquares = 0.0;
  qint64 adjusted = 0;
  for (int i = 0; i < int(mImages.size()); ++i) {
    const Image &image = mImages[size_t(i)];
    wi.writeImageHeader(image.id);
    qint64 points = 0;
    _visitImage(i, [&](qint64 g, const double *truth, double tx, double ty) {
      int rays = mRays[size_t(g)];
      bool lonely = rays < 2;
      if (lonely && !_isLonely(g)) return;
      int ordinal = mSeen[size_t(g)]++;
      Rng rng(mOpt.seed, TagResidual, quint64(g), quint64(image.id));
      BaxImagePoint p;
      p.id = _pointId(g);
      if (lonely) {
        // A single ray has no redundancy: zero residuals.
        p.x = tx + 0.002 * rng.normal();
        p.y = ty + 0.002 * rng.normal();
        p.weight = 1.0;
      } else {
        double xyz[3], sigma[3], px = 0.0, py = 0.0;
        _adjustedPoint(g, truth, xyz, sigma);
        _project(image, xyz, &px, &py);
        int code = _pointCode(g);
        if (ordinal == _blunderRay(g)) {
          p.status = (rng.next() >> 63) ? 2 : 1;
          p.residualX = rng.sign() * (0.02 + 0.13 * rng.uniform());
          p.residualY = 0.1 * rng.symmetric();
          p.weight = 0.0;
        } else {
          p.residualX = 0.002 * rng.normal();
          p.residualY = 0.002 * rng.normal();
          p.weight = code >= 200 ? 2.0 : code == 101 ? 0.5 : 1.0;
          sumSquares += p.residualX * p.residualX + p.residualY * p.residualY;
          ++adjusted;
        }
        // Measured plus residual gives the adjusted point's projection.
        p.x = px - p.residualX;
        p.y = py - p.residualY;
      }
      wi.writeImagePoint(p);
      ++points;
    });
    wi.writeImageEnd(double(points));

    BaxOrientation o;
    o.imageId = image.id;
    o.cameraId = mOpt.cameraId;
    o.x0 = image.centre[0];
    o.y0 = image.centre[1];
    o.z0 = image.centre[2];
    o.varX0 = image.sigma[0] * image.sigma[0];
    o.varY0 = image.sigma[1] * image.sigma[1];
    o.varZ0 = image.sigma[2] * image.sigma[2];
    we.writeOrientation(o);
  }
  mSeen = std::vector<std::uint16_t>();
  if (!wi.close()) return fail(wi);
  if (!we.close()) return fail(we);

  // Redundancy and sigma 0 as the adjustment would report them.
  qint64 observations = 2 * adjusted + result->observationRecords - result->rejectedObservations;
  qint64 unknowns = 3 * result->objectPoints + 6 * result->images;
  qint64 redundancy = observations - unknowns;
  result->redundancy = observations > 0 && redundancy > 0 ? double(redundancy) / double(observations) : 0.0;
  result->sigma0 = std::sqrt(sumSquares / double(std::max<qint64>(1, redundancy)));
  return true;
}

bool BaxSimulator::_writeObjects(const QString &objectPath, const QString &observationPath,
                                 BaxSimResult *result, QString *error) {
  BaxWriter wo, wc;
  auto fail = [error](const BaxWriter &w) {
    if (error) *error = w.errorString();
    return false;
  };
  if (!wo.open(objectPath)) return fail(wo);
  if (!wc.open(observationPath)) return fail(wc);

  BaxProjectRecord pr;
  pr.sigma0 = result->sigma0;
  pr.redundancy = result->redundancy;
  pr.inversion = result->inversion ? 1.0 : 0.0;
  wo.writeProjectRecord(pr);

  qint64 record = 0;
  auto writePoint = [&](qint64 g) {
    double truth[3], xyz[3], sigma[3];
    _groundPoint(g, truth);
    _adjustedPoint(g, truth, xyz, sigma);
    BaxObjectPoint p;
    p.code = _pointCode(g);
    p.id = _pointId(g);
    p.x = xyz[0];
    p.y = xyz[1];
    p.z = xyz[2];
    p.varX = sigma[0] * sigma[0];
    p.varY = sigma[1] * sigma[1];
    p.varZ = sigma[2] * sigma[2];
    wo.writeObjectPoint(p);
    if (record % RepeatPeriod == RepeatPeriod / 2) wo.writeObjectPoint(p);
    ++record;
  };
  for (const Control &c : mControls) writePoint(c.grid);
  for (qint64 g = 0; g < qint64(mRays.size()); ++g)
    if (mRays[size_t(g)] >= 2 && !_control(g)) writePoint(g);

  for (const Control &c : mControls) {
    double truth[3], xyz[3], sigma[3];
    _groundPoint(c.grid, truth);
    _adjustedPoint(c.grid, truth, xyz, sigma);
    int rejected = rejectedControlAxis(c.code, c.ordinal);
    Rng rng(mOpt.seed, TagControlObs, quint64(c.id));
    for (int axis = 0; axis < 3; ++axis) {
      if (!hasAxis(c.code, axis)) continue;
      double sd = axis < 2 ? 0.02 : 0.03;
      BaxObservation ob;
      ob.component = axis + 1;
      ob.id = c.id;
      ob.value = truth[axis] + 0.5 * sd * rng.normal();
      if (axis == rejected) {
        ob.status = 1;
        ob.value += rng.sign() * (0.3 + 0.7 * rng.uniform());
      }
      ob.residual = xyz[axis] - ob.value;
      ob.sigma = 0.8 * sd;
      wc.writeObservation(ob);
    }
  }
  int ordinal = 0;
  for (const Image &image : mImages) {
    if (!image.observed) continue;
    int rejected = rejectedCentreAxis(ordinal++);
    Rng rng(mOpt.seed, TagCentreObs, quint64(image.id));
    for (int axis = 0; axis < 3; ++axis) {
      BaxObservation ob;
      ob.component = axis + 4;
      ob.id = image.id;
      ob.value = image.centre[axis] - 0.04 * rng.normal();
      if (axis == rejected) {
        ob.status = 1;
        ob.value += rng.sign() * (0.5 + 1.5 * rng.uniform());
      }
      ob.residual = image.centre[axis] - ob.value;
      ob.sigma = 0.04;
      wc.writeObservation(ob);
    }
  }
  if (!wo.close()) return fail(wo);
  if (!wc.close()) return fail(wc);
  return true;
}
