#include "phpointrays.h"

#include "phimage.h"
#include "phimagelist.h"
#include "phimagerefs.h"
#include "phobjectpoint.h"

PhPointRays PhPointRays::of(const PhObjectPoint &point) {
  PhPointRays r;
  const int id = point.pointId();
  if (point.isProjectionCentre()) {
    r.rays = PhImage::adjustedPointCount(id);
    if (const PhImage *image = PhImageList::image(id)) r.eliminated = image->notAdjustedCount();
    return r;
  }
  r.rays = PhImage::numberOfLinks(id);
  const PhImageRefs refs = PhImage::imagesOfPoint(id);
  for (auto it = refs.begin(); it != refs.end(); ++it) {
    const PhImagePoint *imagePoint = it.point();
    if (imagePoint && !imagePoint->adjustStatus()) ++r.eliminated;
  }
  return r;
}
