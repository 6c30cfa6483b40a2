#include "mixer_settings.h"

#include "common/bytes.h"

namespace {
// Version, valid flag with its padding, position, count.
constexpr size_t kHeaderSize = 16;
constexpr size_t kPairSize = 8;
}  // namespace

std::vector<uint8_t> encodeMixerSettings(const MixerSettings& settings) {
  const std::vector<MixerLine> none;
  const std::vector<MixerLine>& lines = settings.valid ? settings.lines : none;
  tavora::ByteWriter out;
  out.i32(kMixerSettingsVersion);
  out.u8(settings.valid ? 1 : 0);
  out.zeros(3);
  out.i32(settings.position);
  out.i32(static_cast<int32_t>(lines.size()));
  for (const MixerLine& line : lines) {
    out.u32(line.volumeId);
    out.u32(line.muteId);
  }
  for (const MixerLine& line : lines) out.cstr(line.name);
  return out.take();
}

std::optional<MixerSettings> decodeMixerSettings(const std::vector<uint8_t>& data) {
  tavora::ByteReader in(data);
  const int32_t version = in.i32();
  const uint8_t valid = in.u8();
  in.skip(3);
  MixerSettings settings;
  settings.position = in.i32();
  const int32_t count = in.i32();
  if (!in.ok() || version != kMixerSettingsVersion || valid > 1 || count < 0) return std::nullopt;
  const size_t n = static_cast<size_t>(count);
  // Every line takes its pair and at least the NUL of its name.
  if (n > kMaxMixerLines || n * (kPairSize + 1) > data.size() - kHeaderSize) return std::nullopt;
  settings.valid = valid == 1;
  if (!settings.valid) return n == 0 && in.atEnd() ? std::optional(settings) : std::nullopt;
  if (n == 0) return std::nullopt;
  settings.lines.resize(n);
  for (MixerLine& line : settings.lines) {
    line.volumeId = in.u32();
    line.muteId = in.u32();
  }
  for (MixerLine& line : settings.lines) line.name = in.cstr();
  if (!in.ok() || !in.atEnd()) return std::nullopt;
  return settings;
}

std::string mixerSettingsPath(const std::string& programDir) { return programDir + "SoundMixer.dat"; }

std::vector<uint8_t> encodeMixerLineNames(const std::vector<MixerLine>& lines) {
  tavora::ByteWriter out;
  out.i32(static_cast<int32_t>(lines.size()));
  for (const MixerLine& line : lines) out.cstr(line.name);
  return out.take();
}
