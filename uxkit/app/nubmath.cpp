#include "nubmath.h"

#include <cmath>
#include <limits>

namespace Nub {

namespace {
const float kPi = static_cast<float>(4.0 * std::atan(1.0));
}

const float Math::PI = kPi;
const float Math::TWO_PI = 2.0f * kPi;
const float Math::HALF_PI = 0.5f * kPi;
const float Math::INV_PI = 1.0f / kPi;
const float Math::INV_TWO_PI = 1.0f / (2.0f * kPi);
const float Math::DEG_TO_RAD = kPi / 180.0f;
const float Math::RAD_TO_DEG = 180.0f / kPi;
const float Math::GRA_TO_RAD = kPi / 200.0f;
const float Math::RAD_TO_GRA = 200.0f / kPi;
const float Math::EPSILON = std::numeric_limits<float>::epsilon();
const float Math::ZERO_TOLERANCE = 1e-06f;
const int Math::MAX_INT = std::numeric_limits<int>::max();
const int Math::MIN_INT = std::numeric_limits<int>::min();
const float Math::MAX_FLT = std::numeric_limits<float>::max();
const float Math::MIN_FLT = std::numeric_limits<float>::min();
const double Math::MAX_DBL = std::numeric_limits<double>::max();
const double Math::MIN_DBL = std::numeric_limits<double>::min();
const float Math::MAX_REAL = std::numeric_limits<float>::max();

// Each function computes in double and rounds the result to float.
float Math::floor(float x) { return static_cast<float>(std::floor(double(x))); }
float Math::ceil(float x) { return static_cast<float>(std::ceil(double(x))); }
float Math::abs(float x) { return static_cast<float>(std::fabs(double(x))); }
float Math::sqrt(float x) { return static_cast<float>(std::sqrt(double(x))); }
float Math::invSqrt(float x) { return static_cast<float>(1.0 / std::sqrt(double(x))); }
float Math::sign(float x) { return x > 0.0f ? 1.0f : (x < 0.0f ? -1.0f : 0.0f); }
float Math::sin(float x) { return static_cast<float>(std::sin(double(x))); }
float Math::cos(float x) { return static_cast<float>(std::cos(double(x))); }
float Math::tan(float x) { return static_cast<float>(std::tan(double(x))); }
float Math::arcTan(float x) { return static_cast<float>(std::atan(double(x))); }
float Math::arcTan2(float y, float x) {
  return static_cast<float>(std::atan2(double(y), double(x)));
}
float Math::arcSin(float x) {
  if (x <= -1.0f) return -HALF_PI;
  if (x >= 1.0f) return HALF_PI;
  return static_cast<float>(std::asin(double(x)));
}
float Math::arcCos(float x) {
  if (x <= -1.0f) return PI;
  if (x >= 1.0f) return 0.0f;
  return static_cast<float>(std::acos(double(x)));
}
float Math::degToRad(float x) { return x * DEG_TO_RAD; }
float Math::radToDeg(float x) { return x * RAD_TO_DEG; }
float Math::graToRad(float x) { return x * GRA_TO_RAD; }
float Math::radToGra(float x) { return x * RAD_TO_GRA; }

}  // namespace Nub
