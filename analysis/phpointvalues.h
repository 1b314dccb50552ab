#ifndef PHPOINTVALUES_H
#define PHPOINTVALUES_H

class PhImagePoint;
class PhObjectPoint;

// The values points are coloured by. Each is NaN where a point has none.
namespace PhPointValues {

// The root mean square of |r| over the adjusted image points of an object
// point, or over those of its image for a projection centre, in image
// millimetres.
double imageResidualRms(const PhObjectPoint &point);
// The length of the adjusted point's standard deviations (X, Y, Z), in object
// units; NaN when all three are 0 (no inversion) or one is no number.
double sigma(const PhObjectPoint &point);
// The rays, as the link-count label counts them.
double rays(const PhObjectPoint &point);
// |r| of an image point, in image millimetres.
double residual(const PhImagePoint &point);

}  // namespace PhPointValues

#endif  // PHPOINTVALUES_H
