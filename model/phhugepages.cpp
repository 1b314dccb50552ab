#include "phhugepages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void PhHugePages::advise(const void *data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t HugePage = std::uintptr_t(2) << 20;
  const std::uintptr_t begin = (std::uintptr_t(data) + HugePage - 1) & ~(HugePage - 1);
  const std::uintptr_t end = (std::uintptr_t(data) + bytes) & ~(HugePage - 1);
  // Only whole huge pages: the advice must not reach memory of other blocks.
  if (data && end > begin) madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}
