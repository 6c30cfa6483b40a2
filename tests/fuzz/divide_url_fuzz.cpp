// The URL splitter and its escape decoding.
#include "fuzz_support.h"
#include "guidepane/core/divide_url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string address = textOf(data, size);
  const divideUrl parts(address);
  parts.getFileName();
  FUZZ_EXPECT(guide::decodeEscapes(address).size() <= address.size());
  if (!parts.isValid()) FUZZ_EXPECT(parts.getHost().empty() && parts.getPath().empty());
  return 0;
}
