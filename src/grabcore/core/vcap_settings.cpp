#include "vcap_settings.h"

#include "common/bytes.h"

std::optional<int> pictureProperty(std::string_view word) {
  if (word == "Brightness") return Brightness;
  if (word == "Contrast") return Contrast;
  if (word == "Hue") return Hue;
  if (word == "Saturation") return Saturation;
  return std::nullopt;
}

int32_t VCapSettings::picture(int property) const {
  switch (property) {
    case Brightness: return brightness;
    case Contrast: return contrast;
    case Hue: return hue;
    case Saturation: return saturation;
    default: return 0;
  }
}

void VCapSettings::setPicture(int property, int32_t value) {
  switch (property) {
    case Brightness: brightness = value; break;
    case Contrast: contrast = value; break;
    case Hue: hue = value; break;
    case Saturation: saturation = value; break;
    default: break;
  }
}

std::vector<uint8_t> encodeVCapSettings(const VCapSettings& settings) {
  tavora::ByteWriter out;
  out.i32(settings.version);
  out.i32(settings.saturation);
  out.i32(settings.brightness);
  out.i32(settings.contrast);
  out.i32(settings.hue);
  out.u8(settings.hasVfw ? 1 : 0);
  out.u8(settings.hasWdm ? 1 : 0);
  out.u8(settings.useVfw ? 1 : 0);
  out.u8(0);
  if (settings.hasVfw) out.cstr(settings.vfwName);
  if (settings.hasWdm) out.cstr(settings.wdmName);
  return out.take();
}

std::optional<VCapSettings> decodeVCapSettings(const std::vector<uint8_t>& data) {
  tavora::ByteReader in(data);
  VCapSettings settings;
  settings.version = in.i32();
  settings.saturation = in.i32();
  settings.brightness = in.i32();
  settings.contrast = in.i32();
  settings.hue = in.i32();
  const uint8_t hasVfw = in.u8();
  const uint8_t hasWdm = in.u8();
  const uint8_t useVfw = in.u8();
  in.skip(1);
  if (!in.ok() || settings.version != kVCapSettingsVersion) return std::nullopt;
  if (hasVfw > 1 || hasWdm > 1 || useVfw > 1 || (!hasVfw && !hasWdm)) return std::nullopt;
  settings.hasVfw = hasVfw;
  settings.hasWdm = hasWdm;
  settings.useVfw = useVfw;
  if (settings.hasVfw) settings.vfwName = in.cstr();
  if (settings.hasWdm) settings.wdmName = in.cstr();
  if (!in.ok() || !in.atEnd()) return std::nullopt;
  return settings;
}

std::string vcapSettingsPath(const std::string& programDir) { return programDir + "VCapSorce.dat"; }

std::string videoProfilePath(const std::string& programDir, const std::string& profile, bool useVfw) {
  return programDir + profile + (useVfw ? ".video" : ".video2");
}
