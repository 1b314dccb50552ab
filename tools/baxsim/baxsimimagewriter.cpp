#include "baxsimimagewriter.h"

#include "baxsimblock.h"
#include "baxwriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// The arithmetic follows the rules of baxsimblock.cpp.

bool BaxSimImageWriter::write(const BaxSimBlock &block, const QString &imagePath,
                              const QString &orientationPath, BaxSimResult *result, QString *error) {
  const BaxSimOptions &o = block.options();
  BaxWriter wi, we;
  if (!wi.open(imagePath)) return wi.reportError(error);
  if (!we.open(orientationPath)) return we.reportError(error);
  // Per grid point: rays written so far.
  std::vector<std::uint16_t> seen(size_t(block.gridPoints()), 0);

  double sumSquares = 0.0;
  qint64 adjusted = 0;
  for (int i = 0; i < int(block.images().size()); ++i) {
    const BaxSimBlock::Image &image = block.images()[size_t(i)];
    wi.writeImageHeader(image.id);
    qint64 points = 0;
    block.visitImage(i, [&](qint64 g, const double *truth, double tx, double ty) {
      int rays = block.rays(g);
      bool lonely = rays < 2;
      if (lonely && !block.isLonely(g)) return;
      int ordinal = seen[size_t(g)]++;
      BaxSimRng rng(o.seed, BaxSimRng::Residual, quint64(g), quint64(image.id));
      BaxImagePoint p;
      p.id = block.pointId(g);
      if (lonely) {
        // A single ray has no redundancy: zero residuals.
        p.x = tx + 0.002 * rng.normal();
        p.y = ty + 0.002 * rng.normal();
        p.weight = 1.0;
      } else {
        double xyz[3], sigma[3], px = 0.0, py = 0.0;
        block.adjustedPoint(g, truth, xyz, sigma);
        block.project(image, xyz, &px, &py);
        int code = block.pointCode(g);
        if (ordinal == block.blunderRay(g)) {
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

    BaxOrientation eo;
    eo.imageId = image.id;
    eo.cameraId = o.cameraId;
    eo.x0 = image.centre[0];
    eo.y0 = image.centre[1];
    eo.z0 = image.centre[2];
    eo.varX0 = image.sigma[0] * image.sigma[0];
    eo.varY0 = image.sigma[1] * image.sigma[1];
    eo.varZ0 = image.sigma[2] * image.sigma[2];
    we.writeOrientation(eo);
  }
  if (!wi.close()) return wi.reportError(error);
  if (!we.close()) return we.reportError(error);

  // Redundancy and sigma 0 as the adjustment would report them.
  qint64 observations = 2 * adjusted + result->observationRecords - result->rejectedObservations;
  qint64 unknowns = 3 * result->objectPoints + 6 * result->images;
  qint64 redundancy = observations - unknowns;
  result->redundancy = observations > 0 && redundancy > 0 ? double(redundancy) / double(observations) : 0.0;
  result->sigma0 = std::sqrt(sumSquares / double(std::max<qint64>(1, redundancy)));
  return true;
}
