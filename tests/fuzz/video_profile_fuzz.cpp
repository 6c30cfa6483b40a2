// A quality profile's .video and .video2 files (one media type record): read, written and read
// back the same; the format block is checked against its type as the video source does.
#include "fuzz_support.h"
#include "grabcore/core/media_type_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> input = bytesOf(data, size);
  if (const std::optional<MediaTypeRecord> type = decodeMediaTypeFile(input)) formatFitsType(type->formattype, type->format);
  expectRoundTrip(input, decodeMediaTypeFile, encodeMediaTypeFile);
  return 0;
}
