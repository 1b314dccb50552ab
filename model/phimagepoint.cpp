#include "phimagepoint.h"

static_assert(sizeof(PhImagePoint) <= 28, "image points are stored by the million");

PhImagePoint::PhImagePoint(int iPointId, bool bAdjust, float x, float y, float residualX,
                           float residualY, float weight)
    : mPointId(iPointId),
      mX(x),
      mY(y),
      mResidualX(residualX),
      mResidualY(residualY),
      mWeight(weight),
      mAdjustStatus(bAdjust) {}
