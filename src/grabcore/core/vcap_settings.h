// The video source's settings: the record of VCapSorce.dat with the two device names, the
// picture properties, and the names of the settings and profile files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Numbered as DirectShow's VideoProcAmp properties.
enum PictureProperty : int { Brightness = 0, Contrast = 1, Hue = 2, Saturation = 3 };

// "Brightness", "Contrast", "Hue" or "Saturation" (exact case); none for any other word.
std::optional<int> pictureProperty(std::string_view word);

inline constexpr int32_t kVCapSettingsVersion = 2;
// What a device without a picture control reports for every property.
inline constexpr int32_t kNoPictureControlValue = 125;
// The values a fresh device search starts from, before the device's own replace them.
inline constexpr int32_t kSearchPictureValue = 128;

struct VCapSettings {
  int32_t version = 0;
  int32_t saturation = 0;
  int32_t brightness = 0;
  int32_t contrast = 0;
  int32_t hue = 0;
  bool hasVfw = false;
  bool hasWdm = false;
  bool useVfw = false;
  std::string vfwName;  // Shift-JIS
  std::string wdmName;
  bool operator==(const VCapSettings&) const = default;

  // The stored value of a picture property (0..3).
  int32_t picture(int property) const;
  void setPicture(int property, int32_t value);
};

// Bytes of VCapSorce.dat: the 24-byte record, then vfwName when hasVfw and wdmName when hasWdm.
std::vector<uint8_t> encodeVCapSettings(const VCapSettings& settings);
// None for a file that is short, of another version, has a flag other than 0 or 1, names
// neither device, lacks a name's NUL, or carries bytes after the names: such a file is
// treated as missing.
std::optional<VCapSettings> decodeVCapSettings(const std::vector<uint8_t>& data);

// Program folder (with its '\') + "VCapSorce.dat".
std::string vcapSettingsPath(const std::string& programDir);
// Program folder + profile + ".video" for the VfW device, ".video2" for the WDM device.
std::string videoProfilePath(const std::string& programDir, const std::string& profile, bool useVfw);
