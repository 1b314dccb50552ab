// Bax.ini and BAX's project list, INI-style text.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runIniFile(Fuzz::bytes(data, size));
  return 0;
}
