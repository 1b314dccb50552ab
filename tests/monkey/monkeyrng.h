#ifndef MONKEYRNG_H
#define MONKEYRNG_H

#include <cstdint>
#include <random>

// The monkey's only source of chance: the same seed gives the same choices.
class MonkeyRng {
 public:
  explicit MonkeyRng(std::uint64_t seed) : mEngine(seed) {}

  // 0 .. n-1; 0 for n <= 0.
  int below(int n) {
    if (n <= 1) return 0;
    return int(std::uniform_int_distribution<int>(0, n - 1)(mEngine));
  }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(mEngine) < p; }

 private:
  std::mt19937_64 mEngine;
};

#endif  // MONKEYRNG_H
