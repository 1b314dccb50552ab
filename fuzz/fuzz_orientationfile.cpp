// The exterior-orientation file "(e)", read with a fixed image file.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runImageFiles(Fuzz::imageFile(), Fuzz::bytes(data, size));
  return 0;
}
