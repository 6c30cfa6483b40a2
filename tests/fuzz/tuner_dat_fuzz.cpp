// TvTuner.dat: read by the engine, written and read back the same; the guide's names reader
// (through the file, as the programs call it) agrees with the engine's reader.
#include "common/tuner_file.h"
#include "fuzz_support.h"
#include "guidepane/core/reservation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> input = bytesOf(data, size);
  expectRoundTrip(input, tavora::parseTunerDat, tavora::buildTunerDat);
  const guide::ChannelList names = guide::readChannelList(writeTemp("TvTuner.dat", textOf(data, size)));
  const std::optional<tavora::TunerFile> file = tavora::parseTunerDat(input);
  FUZZ_EXPECT(names.noChannelTable == !file.has_value());
  for (size_t i = 0; file && i < names.names.size(); ++i) FUZZ_EXPECT(names.names[i] == file->entries.at(i).name);
  return 0;
}
