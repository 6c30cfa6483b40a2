// A quality profile's .audio file: read, its wave format interpreted, written and read back
// the same.
#include "fuzz_support.h"
#include "grabcore/core/media_type_file.h"
#include "grabcore/core/wave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> input = bytesOf(data, size);
  if (const std::optional<MediaTypeRecord> type = decodeAudioProfile(input)) {
    if (const std::optional<AudioFormatInfo> info = audioFormatInfo(type->formattype, type->format))
      audioFormatParam(*info);
    MediaTypeRecord chosen = *type;
    takeChosenWaveFormat(chosen, input);
  }
  expectRoundTrip(input, decodeAudioProfile, encodeMediaTypeFile);
  return 0;
}
