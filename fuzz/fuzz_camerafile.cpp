// The camera file, read for two images of camera 12.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runCameraFile(Fuzz::bytes(data, size));
  return 0;
}
