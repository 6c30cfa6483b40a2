// The sound mixer's remembered lines: the record of SoundMixer.dat and the line-name block
// sent to the front end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr int32_t kMixerSettingsVersion = 2;
// More lines than any mixer has; a count beyond it marks a damaged file.
inline constexpr size_t kMaxMixerLines = 256;

// One line of the speakers destination (or the destination itself) with its two controls.
struct MixerLine {
  std::string name;  // Shift-JIS
  uint32_t volumeId = 0;
  uint32_t muteId = 0;
  bool operator==(const MixerLine&) const = default;
};

struct MixerSettings {
  bool valid = false;
  int32_t position = 0;  // of the selected line
  std::vector<MixerLine> lines;
  bool operator==(const MixerSettings&) const = default;
};

// Bytes of SoundMixer.dat: the 16-byte header, the identifier pairs, then the names when valid
// (a record that is not valid is written with no lines).
std::vector<uint8_t> encodeMixerSettings(const MixerSettings& settings);
// None for a damaged file: short, of another version, a valid flag other than 0 or 1, a count
// that is negative, beyond kMaxMixerLines or beyond the file, a valid record without lines, a
// name without its NUL, or bytes after the names. Such a file counts as missing. A record that
// is not valid comes back without lines.
std::optional<MixerSettings> decodeMixerSettings(const std::vector<uint8_t>& data);

// Program folder (with its '\') + "SoundMixer.dat".
std::string mixerSettingsPath(const std::string& programDir);

// The CD_MIXERLINES block: int32 n, then the n names each ended by one NUL.
std::vector<uint8_t> encodeMixerLineNames(const std::vector<MixerLine>& lines);
