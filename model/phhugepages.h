#ifndef PHHUGEPAGES_H
#define PHHUGEPAGES_H

#include <cstddef>

// The model's large arrays (tens to hundreds of megabytes) are touched page
// by page as they fill; asking for huge pages where the system offers them
// on request turns hundreds of thousands of page faults into a few hundred.
namespace PhHugePages {

// Advises the whole huge pages inside [data, data + bytes); a no-op for
// small ranges and on systems without the advice.
void advise(const void *data, std::size_t bytes);

}  // namespace PhHugePages

#endif  // PHHUGEPAGES_H
