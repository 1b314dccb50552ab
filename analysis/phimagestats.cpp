#include "phimagestats.h"

#include <cmath>

#include "phimage.h"
#include "phimagelist.h"

PhImageStats PhImageStats::of(const PhImage &image) {
  PhImageStats s;
  s.imageId = image.imageId();
  s.cameraId = image.cameraId();
  s.points = image.pointCount();
  s.eliminated = image.notAdjustedCount();
  double sx = 0.0;
  double sy = 0.0;
  for (const PhImagePoint &point : image) {
    if (!point.adjustStatus()) continue;
    const double rx = point.residualX();
    const double ry = point.residualY();
    sx += rx * rx;
    sy += ry * ry;
    ++s.adjusted;
  }
  if (s.adjusted > 0) {
    s.rmsX = std::sqrt(sx / s.adjusted);
    s.rmsY = std::sqrt(sy / s.adjusted);
    s.rms = std::sqrt((sx + sy) / s.adjusted);
  }
  s.maxPointId = image.largestResidualPointId();
  if (s.maxPointId != -1) s.maxResidual = image.largestResidual();
  return s;
}

std::vector<PhImageStats> PhImageStats::ofAll(const PhImageList &images) {
  std::vector<PhImageStats> rows;
  rows.reserve(std::size_t(images.count()));
  for (const PhImage *image : images) rows.push_back(of(*image));
  return rows;
}
