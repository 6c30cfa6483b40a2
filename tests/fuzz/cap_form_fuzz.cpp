// capForm.dat: read over the defaults, written and read back the same.
#include "fuzz_support.h"
#include "recdesk/core/cap_form_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CapFormFile first;
  first.decode(bytesOf(data, size));
  const std::vector<uint8_t> written = first.encode();
  CapFormFile second;
  second.decode(written);
  FUZZ_EXPECT(second.encode() == written);
  return 0;
}
