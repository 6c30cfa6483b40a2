// The mixer port over the multimedia mixer functions: the system's first mixer, its speakers
// destination and that destination's source lines.
#pragma once

#include "grabcore/core/mixer_port.h"
#include "mixer_api.h"

class WinMixerPort : public MixerPort {
 public:
  explicit WinMixerPort(MixerApi& api) : api_(api) {}
  ~WinMixerPort() override;
  WinMixerPort(const WinMixerPort&) = delete;
  WinMixerPort& operator=(const WinMixerPort&) = delete;

  void open(uint64_t window) override;
  std::optional<std::vector<MixerLine>> readLines() override;
  std::optional<uint32_t> getVolume(uint32_t controlId) override;
  std::optional<bool> getMute(uint32_t controlId) override;
  void setVolume(uint32_t controlId, uint32_t volume) override;
  void setMute(uint32_t controlId, bool mute) override;

 private:
  HMIXEROBJ object() const { return reinterpret_cast<HMIXEROBJ>(mixer_); }
  // The line's name and its volume and mute controls; false when one of them is missing.
  bool readControls(const MIXERLINEW& line, MixerLine& out);
  std::optional<DWORD> controlId(DWORD lineId, DWORD controlType);
  // One value of a control, all channels alike; nothing when the mixer is not open.
  bool readValue(uint32_t controlId, void* value, DWORD size);
  void writeValue(uint32_t controlId, void* value, DWORD size);

  MixerApi& api_;
  HMIXER mixer_ = nullptr;
  bool opened_ = false;
};
