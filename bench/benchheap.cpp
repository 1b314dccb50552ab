#include "benchheap.h"

#include <malloc.h>

std::int64_t BenchHeap::inUse() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
  const struct mallinfo2 info = mallinfo2();
  return std::int64_t(info.uordblks) + std::int64_t(info.hblkhd);
#else
  return -1;
#endif
}
