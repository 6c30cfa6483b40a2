// TvTuner.dat and TvTuner.dat2: the channel table on disk. The engine reads and writes both;
// the guide browser reads only the channel names of TvTuner.dat, through readTunerChannelNames.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavora {

// One entry of TvTuner.dat: the channel's key, its tuning channel (-1 Composite, -2 S-Video)
// and its name (Shift-JIS; may be empty).
struct TunerFileEntry {
  uint16_t key = 0;
  int16_t tuning = 0;
  std::string name;
  bool operator==(const TunerFileEntry&) const = default;
};

struct TunerFile {
  uint16_t currentKey = 0;
  uint8_t inputType = 1;  // 1 antenna, 0 cable
  uint16_t antennaMin = 0;
  uint16_t antennaMax = 0;
  uint16_t cableMin = 0;
  uint16_t cableMax = 0;
  std::vector<TunerFileEntry> entries;
  bool operator==(const TunerFile&) const = default;
};

// TvTuner.dat2's per-key input type.
struct TunerTypeRecord {
  uint16_t key = 0;
  uint8_t inputType = 0;
  bool operator==(const TunerTypeRecord&) const = default;
};

constexpr size_t kTunerDatHeaderSize = 80;

// Whole file bytes. The parsers check every count and string against the data's size and give
// nothing for a short or corrupt file, so a half-written file is never half-used.
std::vector<uint8_t> buildTunerDat(const TunerFile& file);
std::optional<TunerFile> parseTunerDat(const std::vector<uint8_t>& data);
std::vector<uint8_t> buildTunerDat2(const std::vector<TunerTypeRecord>& records);
std::optional<std::vector<TunerTypeRecord>> parseTunerDat2(const std::vector<uint8_t>& data);

// The channel names of TvTuner.dat in table order (a channel's position is its index here);
// nothing when the file is missing, short or corrupt.
std::optional<std::vector<std::string>> readTunerChannelNames(const std::string& path);

}  // namespace tavora
