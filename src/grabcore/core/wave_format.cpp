#include "wave_format.h"

#include <algorithm>

#include "common/bytes.h"

namespace {

// A WAVEFORMATEXTENSIBLE names its subtype in its extension, not in its tag.
constexpr uint16_t kWaveFormatExtensible = 0xFFFE;
constexpr size_t kBlockAlignOffset = 12;
constexpr size_t kExtraSizeOffset = 16;
// A PCMWAVEFORMAT: a WAVEFORMATEX without its cbSize.
constexpr size_t kPcmWaveFormatSize = 16;

uint16_t u16At(const std::vector<uint8_t>& block, size_t at) {
  tavora::ByteReader in(block);
  in.seek(at);
  return in.u16();
}

bool isWaveProfile(const MediaTypeRecord& type) {
  return type.formattype == kFormatWaveFormatEx && fitsProfileFile(type);
}

}  // namespace

std::optional<AudioFormatInfo> audioFormatInfo(const Guid& formattype, const std::vector<uint8_t>& block) {
  if (formattype != kFormatWaveFormatEx || !formatFitsType(formattype, block)) return std::nullopt;
  tavora::ByteReader in(block);
  in.skip(2);  // wFormatTag
  AudioFormatInfo info;
  info.channels = in.u16();
  info.samplesPerSec = in.u32();
  in.skip(4);  // nAvgBytesPerSec
  info.blockAlign = in.u16();
  return info;
}

int64_t audioFormatParam(const AudioFormatInfo& info) {
  return static_cast<int64_t>(info.blockAlign) | (static_cast<int64_t>(info.channels) << 16);
}

bool takeChosenWaveFormat(MediaTypeRecord& type, const std::vector<uint8_t>& buffer) {
  if (buffer.size() < kWaveFormatExSize) return false;
  const uint16_t tag = u16At(buffer, 0);
  const size_t size =
      std::min(buffer.size(), kWaveFormatExSize + (tag == kWaveFormatPcm ? 0 : u16At(buffer, kExtraSizeOffset)));
  std::vector<uint8_t> block(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size));
  if (!formatFitsType(kFormatWaveFormatEx, block)) return false;
  type.format = std::move(block);
  type.formattype = kFormatWaveFormatEx;
  type.sampleSize = u16At(type.format, kBlockAlignOffset);
  if (tag != kWaveFormatExtensible)
    type.subtype = {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  return true;
}

std::optional<MediaTypeRecord> adoptDeviceWaveFormat(MediaTypeRecord type) {
  if (type.formattype == kFormatWaveFormatEx && type.format.size() == kPcmWaveFormatSize &&
      u16At(type.format, 0) == kWaveFormatPcm)
    type.format.resize(kWaveFormatExSize, 0);
  if (!isWaveProfile(type)) return std::nullopt;
  return type;
}

std::optional<MediaTypeRecord> decodeAudioProfile(const std::vector<uint8_t>& data) {
  std::optional<MediaTypeRecord> type = decodeMediaTypeFile(data);
  if (!type || !isWaveProfile(*type)) return std::nullopt;
  return type;
}

std::string audioProfilePath(const std::string& programDir, const std::string& profile) {
  return programDir + profile + ".audio";
}
