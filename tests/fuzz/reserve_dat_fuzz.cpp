// reserve.dat, written by the reservation table program and only read by the recorder.
#include "fuzz_support.h"
#include "recdesk/core/reserve_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  readReserveFile(bytesOf(data, size));
  return 0;
}
