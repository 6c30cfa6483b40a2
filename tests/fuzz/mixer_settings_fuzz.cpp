// SoundMixer.dat: read, written and read back the same.
#include "fuzz_support.h"
#include "grabcore/core/mixer_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  expectRoundTrip(bytesOf(data, size), decodeMixerSettings, encodeMixerSettings);
  return 0;
}
