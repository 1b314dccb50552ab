// The binary configuration file: the codec and the store's load.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runCfgFile(Fuzz::bytes(data, size));
  return 0;
}
