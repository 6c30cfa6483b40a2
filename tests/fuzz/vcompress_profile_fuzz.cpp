// A quality profile's .vCompress file: read, written and read back the same.
#include "fuzz_support.h"
#include "grabcore/core/vcompress_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  expectRoundTrip(bytesOf(data, size), decodeVCompressFile, encodeVCompressFile);
  return 0;
}
