// A whole project: the input holds the image, orientation, object,
// observation and camera files, cut at the separator line; a fixed project
// file names them.
#include <cstddef>
#include <cstdint>

#include "fuzzruns.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Fuzz::init();
  Fuzz::runProject(Fuzz::split(Fuzz::bytes(data, size), 5));
  return 0;
}
