// guidepane.dat: read, written and read back the same.
#include "fuzz_support.h"
#include "guidepane/core/def_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  expectRoundTrip(bytesOf(data, size), decodeGuideSettings, encodeGuideSettings);
  return 0;
}
