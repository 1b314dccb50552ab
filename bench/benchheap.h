#ifndef BENCHHEAP_H
#define BENCHHEAP_H

#include <cstdint>

// Bytes the C heap has handed out and not taken back (small blocks and
// mapped ones); the difference of two readings is what was allocated between.
class BenchHeap {
 public:
  static std::int64_t inUse();
};

#endif  // BENCHHEAP_H
