#ifndef PHAXISSUMMARY_H
#define PHAXISSUMMARY_H

#include <cmath>

// Count, mean, root mean square and largest absolute value of the residuals
// added to it; an empty summary has none of them.
struct PhAxisSummary {
  int n = 0;
  double sum = 0.0;
  double squares = 0.0;
  double maxAbs = 0.0;

  void add(double residual) {
    ++n;
    sum += residual;
    squares += residual * residual;
    if (std::fabs(residual) > maxAbs) maxAbs = std::fabs(residual);
  }
  bool isEmpty() const { return n == 0; }
  double mean() const { return n ? sum / n : std::nan(""); }
  double rms() const { return n ? std::sqrt(squares / n) : std::nan(""); }
};

#endif  // PHAXISSUMMARY_H
