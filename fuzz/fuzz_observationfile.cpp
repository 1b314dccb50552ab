// The object-observation file "(c)", read with a fixed object file.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runObjectFiles(Fuzz::objectFile(), Fuzz::bytes(data, size));
  return 0;
}
