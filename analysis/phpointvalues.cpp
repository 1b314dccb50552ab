#include "phpointvalues.h"

#include <cmath>
#include <limits>

#include "phimage.h"
#include "phimagelist.h"
#include "phimagepoint.h"
#include "phimagerefs.h"
#include "phobjectpoint.h"
#include "phpointrays.h"

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

}  // namespace

double PhPointValues::residual(const PhImagePoint &point) {
  return std::hypot(double(point.residualX()), double(point.residualY()));
}

double PhPointValues::imageResidualRms(const PhObjectPoint &point) {
  double sum = 0.0;
  int count = 0;
  auto add = [&](const PhImagePoint &imagePoint) {
    if (!imagePoint.adjustStatus()) return;
    const double r = residual(imagePoint);
    sum += r * r;
    ++count;
  };
  if (point.isProjectionCentre()) {
    if (const PhImage *image = PhImageList::image(point.pointId()))
      for (const PhImagePoint &imagePoint : *image) add(imagePoint);
  } else {
    const PhImageRefs refs = PhImage::imagesOfPoint(point.pointId());
    for (auto it = refs.begin(); it != refs.end(); ++it)
      if (const PhImagePoint *imagePoint = it.point()) add(*imagePoint);
  }
  return count ? std::sqrt(sum / count) : None;
}

double PhPointValues::sigma(const PhObjectPoint &point) {
  double sum = 0.0;
  for (int axis = 0; axis < 3; ++axis) {
    const double s = point.adjustedSigma(axis);
    if (!std::isfinite(s)) return None;
    sum += s * s;
  }
  return sum > 0.0 ? std::sqrt(sum) : None;
}

double PhPointValues::rays(const PhObjectPoint &point) { return PhPointRays::of(point).rays; }
