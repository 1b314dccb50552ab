#ifndef PHROUND_H
#define PHROUND_H

#include <cmath>

// The rounding of the views: floor(v + 0.5), so halves round up, also for
// negative values. Held within +-2^30 so that sums and differences of two
// results stay in int; NaN gives 0.
inline int phRound(double v) {
  constexpr double limit = 1073741823.0;
  if (!(v == v)) return 0;
  const double r = std::floor(v + 0.5);
  if (r > limit) return int(limit);
  if (r < -limit) return -int(limit);
  return int(r);
}

#endif  // PHROUND_H
