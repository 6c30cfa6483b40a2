// TvTuner.dat2: read, written and read back the same.
#include "common/tuner_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  expectRoundTrip(bytesOf(data, size), tavora::parseTunerDat2, tavora::buildTunerDat2);
  return 0;
}
