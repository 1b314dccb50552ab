#include "phcolourmap.h"

#include <algorithm>
#include <cmath>

#include "phround.h"

namespace {

// The published degree-6 polynomial fit of the 'viridis' map: c0..c6 of red, green and blue.
constexpr double Coefficients[7][3] = {
    {0.2777273272234177, 0.005407344544966578, 0.3340998053353061},
    {0.1050930431085774, 1.404613529898575, 1.384590162594685},
    {-0.3308618287255563, 0.214847559468213, 0.09509516302823659},
    {-4.634230498983486, -5.799100973351585, -19.33244095627987},
    {6.228269936347081, 14.17993336680509, 56.69055260068105},
    {4.776384997670288, -13.74514537774601, -65.35303263337234},
    {-5.435455855934631, 4.645852612178535, 26.3124352495832},
};

int channel(int k, double t) {
  double v = Coefficients[6][k];
  for (int i = 5; i >= 0; --i) v = v * t + Coefficients[i][k];
  // The fit overshoots the unit range by a little near the ends.
  return phRound(std::clamp(v, 0.0, 1.0) * 255.0);
}

}  // namespace

PhColourMap::PhColourMap(double low, double high) { setLimits(low, high); }

bool PhColourMap::setLimits(double low, double high) {
  if (!std::isfinite(low) || !std::isfinite(high)) return false;
  mLow = low;
  mHigh = high;
  return true;
}

double PhColourMap::position(double value) const {
  if (std::isnan(value)) return value;
  if (mLow == mHigh) return value < mLow ? 0.0 : value > mLow ? 1.0 : 0.5;
  // Infinite values land at the ends.
  return std::clamp((value - mLow) / (mHigh - mLow), 0.0, 1.0);
}

QColor PhColourMap::colour(double value) const { return at(position(value)); }

QColor PhColourMap::at(double t) {
  if (std::isnan(t)) return nanColour();
  t = std::clamp(t, 0.0, 1.0);
  return QColor(channel(0, t), channel(1, t), channel(2, t));
}
