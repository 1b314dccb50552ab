#include "baxsimulator.h"

#include "baxsimblock.h"
#include "baxsimobjectwriter.h"
#include "baxsimprojectwriter.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

// The options, the choice of a layout for a target, and the tally of what the
// writers put into the files. The block and the writers have files of their
// own.

namespace {

constexpr qint64 MaxImages = 200000;
constexpr qint64 MaxTargetImagePoints = 100000000;

bool inRange(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

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
    BaxSimBlock::Layout l = BaxSimBlock::layout(o);
    if (l.nx == 0)
      return fail(QStringLiteral("The ground grid would hold %1 points (at most %2); "
                                 "use a larger spacing")
                      .arg(l.gridPoints, 0, 'g', 3)
                      .arg(BaxSimBlock::MaxGridPoints));
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
    _tuneSpacing(resolved, images * options.pointsPerImage, options.pointsPerImage);
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
  _tuneSpacing(resolved, target, perImage);
  resolved->targetImagePoints = 0;
  if (!validate(*resolved, error)) return false;
  resolved->targetImagePoints = target;
  return true;
}

void BaxSimulator::_tuneSpacing(BaxSimOptions *resolved, qint64 target, double perImage) {
  const qint64 keptTarget = resolved->targetImagePoints;
  const int keptPerImage = resolved->pointsPerImage;
  resolved->targetImagePoints = 0;
  resolved->pointsPerImage = 0;
  BaxSimBlock::Layout l = BaxSimBlock::layout(*resolved);
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
    BaxSimBlock block(*resolved);
    block.countRays();
    double total = double(block.imagePointTotal());
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
}

bool BaxSimulator::count(const BaxSimOptions &options, BaxSimResult *result, QString *error) {
  BaxSimOptions resolved;
  if (!resolve(options, &resolved, error) || !_validLayout(resolved, error)) return false;
  BaxSimBlock block(resolved);
  block.countRays();
  block.chooseControl();
  *result = BaxSimResult();
  _tally(block, result);
  return true;
}

bool BaxSimulator::write(const BaxSimOptions &options, const QString &folder, BaxSimResult *result,
                         QString *error) {
  BaxSimOptions resolved;
  if (!resolve(options, &resolved, error) || !_validLayout(resolved, error)) return false;
  BaxSimBlock block(resolved);
  block.countRays();
  block.chooseControl();
  BaxSimResult local;
  _tally(block, &local);
  if (!BaxSimProjectWriter::write(block, folder, &local, error)) return false;
  if (result) *result = local;
  return true;
}

bool BaxSimulator::_validLayout(const BaxSimOptions &resolved, QString *error) {
  BaxSimOptions checked = resolved;
  checked.targetImagePoints = 0;
  checked.pointsPerImage = 0;
  return validate(checked, error);
}

void BaxSimulator::_tally(const BaxSimBlock &block, BaxSimResult *r) {
  const BaxSimOptions &o = block.options();
  r->strips = o.strips;
  r->imagesPerStrip = o.imagesPerStrip;
  r->spacing = o.spacing;
  r->images = qint64(block.images().size());
  r->inversion = true;

  // Object records: control points first (lowest IDs), then the others in grid order.
  qint64 record = 0;
  auto countRecord = [&](int code, int rays) {
    ++r->objectPoints;
    r->objectRecords += BaxSimObjectWriter::isRepeated(record) ? 2 : 1;
    r->repeatedObjectRecords += BaxSimObjectWriter::isRepeated(record) ? 1 : 0;
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
  for (const BaxSimBlock::Control &c : block.controls()) countRecord(c.code, block.rays(c.grid));
  for (qint64 g = 0; g < block.gridPoints(); ++g) {
    int rays = block.rays(g);
    if (rays >= 2) {
      if (block.control(g)) continue;
      countRecord(block.pointCode(g), rays);
      if (block.blunderRay(g) >= 0) ++r->eliminatedImagePoints;
    } else if (block.isLonely(g)) {
      ++r->imagePoints;
      ++r->lonelyImagePoints;
      r->maxLinks = std::max<qint64>(r->maxLinks, 1);
    }
  }

  for (const BaxSimBlock::Control &c : block.controls()) {
    int rejected = BaxSimObjectWriter::rejectedControlAxis(c.code, c.ordinal);
    AcceptedFlag flag;
    for (int axis = 0; axis < 3; ++axis) {
      if (!BaxSimObjectWriter::hasAxis(c.code, axis)) continue;
      ++r->observationRecords;
      r->rejectedObservations += axis == rejected ? 1 : 0;
      flag.add(axis + 1, axis == rejected);
    }
    r->notAcceptedPoints += flag.accepted() ? 0 : 1;
  }
  int ordinal = 0;
  for (const BaxSimBlock::Image &image : block.images()) {
    if (!image.observed) continue;
    int rejected = BaxSimObjectWriter::rejectedCentreAxis(ordinal++);
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
