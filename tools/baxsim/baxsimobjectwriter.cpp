#include "baxsimobjectwriter.h"

#include "baxsimblock.h"
#include "baxwriter.h"

// The arithmetic follows the rules of baxsimblock.cpp.

bool BaxSimObjectWriter::write(const BaxSimBlock &block, const QString &objectPath,
                               const QString &observationPath, const BaxSimResult &result,
                               QString *error) {
  const BaxSimOptions &o = block.options();
  BaxWriter wo, wc;
  if (!wo.open(objectPath)) return wo.reportError(error);
  if (!wc.open(observationPath)) return wc.reportError(error);

  BaxProjectRecord pr;
  pr.sigma0 = result.sigma0;
  pr.redundancy = result.redundancy;
  pr.inversion = result.inversion ? 1.0 : 0.0;
  wo.writeProjectRecord(pr);

  qint64 record = 0;
  auto writePoint = [&](qint64 g) {
    double truth[3], xyz[3], sigma[3];
    block.groundPoint(g, truth);
    block.adjustedPoint(g, truth, xyz, sigma);
    BaxObjectPoint p;
    p.code = block.pointCode(g);
    p.id = block.pointId(g);
    p.x = xyz[0];
    p.y = xyz[1];
    p.z = xyz[2];
    p.varX = sigma[0] * sigma[0];
    p.varY = sigma[1] * sigma[1];
    p.varZ = sigma[2] * sigma[2];
    wo.writeObjectPoint(p);
    if (isRepeated(record)) wo.writeObjectPoint(p);
    ++record;
  };
  for (const BaxSimBlock::Control &c : block.controls()) writePoint(c.grid);
  for (qint64 g = 0; g < block.gridPoints(); ++g)
    if (block.rays(g) >= 2 && !block.control(g)) writePoint(g);

  for (const BaxSimBlock::Control &c : block.controls()) {
    double truth[3], xyz[3], sigma[3];
    block.groundPoint(c.grid, truth);
    block.adjustedPoint(c.grid, truth, xyz, sigma);
    int rejected = rejectedControlAxis(c.code, c.ordinal);
    BaxSimRng rng(o.seed, BaxSimRng::ControlObs, quint64(c.id));
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
  for (const BaxSimBlock::Image &image : block.images()) {
    if (!image.observed) continue;
    int rejected = rejectedCentreAxis(ordinal++);
    BaxSimRng rng(o.seed, BaxSimRng::CentreObs, quint64(image.id));
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
  if (!wo.close()) return wo.reportError(error);
  if (!wc.close()) return wc.reportError(error);
  return true;
}
