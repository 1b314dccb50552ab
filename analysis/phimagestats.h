#ifndef PHIMAGESTATS_H
#define PHIMAGESTATS_H

#include <vector>

class PhImage;
class PhImageList;

// The residual figures of one image: RMS over the points whose adjust
// status is true (x, y, and of the vectors' lengths), and the largest
// residual with its point as the image keeps them.
struct PhImageStats {
  int imageId = 0;
  int cameraId = 0;
  int points = 0;
  int eliminated = 0;
  int adjusted = 0;
  double rmsX = 0.0;
  double rmsY = 0.0;
  double rms = 0.0;
  float maxResidual = 0.0f;
  // -1 when no adjusted point has a residual.
  int maxPointId = -1;

  bool hasRms() const { return adjusted > 0; }
  bool hasMax() const { return maxPointId != -1; }

  static PhImageStats of(const PhImage &image);
  // One row per image, in list order.
  static std::vector<PhImageStats> ofAll(const PhImageList &images);
};

#endif  // PHIMAGESTATS_H
