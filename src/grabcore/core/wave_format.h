// Reading an audio format block (WAVEFORMATEX) for the front end, and taking over the format
// that the format chooser wrote into its buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media_type_file.h"

inline constexpr size_t kWaveFormatExSize = 18;
inline constexpr uint16_t kWaveFormatPcm = 1;

struct AudioFormatInfo {
  uint32_t samplesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t channels = 0;
};

// The rate, block align and channel count; none unless the format type is FORMAT_WaveFormatEx
// and the block fits it.
std::optional<AudioFormatInfo> audioFormatInfo(const Guid& formattype, const std::vector<uint8_t>& block);

// TVR_AUDIOFORMAT's lParam: block align in the low 16 bits, channels in the high 16 bits.
int64_t audioFormatParam(const AudioFormatInfo& info);

// The media type follows the wave format the chooser left at the start of buffer: the block
// becomes that format alone (18 bytes plus cbSize, PCM ignoring cbSize, never more than the
// buffer), the sample size its block align, the subtype the one of its format tag. False, and
// nothing changed, when the buffer holds no usable wave format.
bool takeChosenWaveFormat(MediaTypeRecord& type, const std::vector<uint8_t>& buffer);

// The device's own format as a profile keeps it: a 16-byte PCMWAVEFORMAT becomes a WAVEFORMATEX
// with cbSize 0; none for a format that the profile's reader would refuse, so that what remove
// writes the next create can read.
std::optional<MediaTypeRecord> adoptDeviceWaveFormat(MediaTypeRecord type);

// A profile's audio file; none when it is unreadable (decodeMediaTypeFile) or holds no wave
// format.
std::optional<MediaTypeRecord> decodeAudioProfile(const std::vector<uint8_t>& data);
// Program folder (with its '\') + profile + ".audio".
std::string audioProfilePath(const std::string& programDir, const std::string& profile);
