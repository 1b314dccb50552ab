#ifndef BAXSIMRNG_H
#define BAXSIMRNG_H

#include <QtGlobal>

// A small counter-based generator: each entity (point, image, ray) gets its own
// stream from (seed, purpose, index, index), so no result depends on the order
// in which entities are visited.
class BaxSimRng {
 public:
  // The purposes; their values are part of the output, never renumber them.
  enum Stream : quint64 {
    Orientation = 1,
    Miss,
    Jitter,
    Terrain,
    Lonely,
    Blunder,
    Code,
    Adjust,
    Residual,
    ControlObs,
    Centre,
    CentreObs
  };

  BaxSimRng(quint64 seed, quint64 stream, quint64 a, quint64 b = 0)
      : mState(splitmix(splitmix(splitmix(splitmix(seed) ^ stream) ^ a) ^ b)) {}
  quint64 next() { return splitmix(mState++); }
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double symmetric() { return 2.0 * uniform() - 1.0; }
  // Unit-variance bell curve: the sum of four uniforms (bounded at +-3.5).
  double normal() { return (uniform() + uniform() + uniform() + uniform() - 2.0) * Sqrt3; }
  double sign() { return (next() >> 63) ? -1.0 : 1.0; }

 private:
  static constexpr double Sqrt3 = 1.7320508075688772;

  static quint64 splitmix(quint64 x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
  }

  quint64 mState;
};

#endif  // BAXSIMRNG_H
