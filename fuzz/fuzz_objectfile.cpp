// The object file "(o)", read with a fixed observation file.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runObjectFiles(Fuzz::bytes(data, size), Fuzz::observationFile());
  return 0;
}
