#ifndef NUBMATH_H
#define NUBMATH_H

#include "nubux_export.h"

namespace Nub {

// Single-precision constants and functions of the geometry code. Angles are
// radians; gradians have 400 to the circle.
class NUBUX_EXPORT Math {
 public:
  using Real = float;

  Math &operator=(const Math &) { return *this; }

  static bool realIsFloat() { return true; }
  static bool realIsDouble() { return false; }

  static float floor(float x);
  static float ceil(float x);
  static float abs(float x);
  static float sqrt(float x);
  static float invSqrt(float x);
  static float sign(float x);
  static float sin(float x);
  static float cos(float x);
  static float tan(float x);
  static float arcTan(float x);
  static float arcTan2(float y, float x);
  static float arcSin(float x);  // clamps to [-1, 1]
  static float arcCos(float x);  // clamps to [-1, 1]
  static float degToRad(float x);
  static float radToDeg(float x);
  static float graToRad(float x);
  static float radToGra(float x);

  static const float PI;
  static const float TWO_PI;
  static const float HALF_PI;
  static const float INV_PI;
  static const float INV_TWO_PI;
  static const float DEG_TO_RAD;
  static const float RAD_TO_DEG;
  static const float GRA_TO_RAD;
  static const float RAD_TO_GRA;
  static const float EPSILON;
  static const float ZERO_TOLERANCE;
  static const int MAX_INT;
  static const int MIN_INT;
  static const float MAX_FLT;
  static const float MIN_FLT;
  static const double MAX_DBL;
  static const double MIN_DBL;
  static const float MAX_REAL;
};

}  // namespace Nub

#endif  // NUBMATH_H
