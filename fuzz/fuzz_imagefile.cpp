// The image-coordinate file "(i)", read with a fixed orientation file.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runImageFiles(Fuzz::bytes(data, size), Fuzz::orientationFile());
  return 0;
}
