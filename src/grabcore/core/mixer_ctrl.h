// The sound mixer object of the command language: the line the front end controls, its volume
// and mute, the levels kept around the engine's own use of the sound, and SoundMixer.dat.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dsmother.h"
#include "engine_host.h"
#include "mixer_port.h"
#include "mixer_settings.h"

class TMixerCtrl : public dsMother {
 public:
  // settingsPath: where SoundMixer.dat lies.
  TMixerCtrl(EngineHost& host, std::unique_ptr<MixerPort> port, std::string settingsPath);
  // Saves SoundMixer.dat when create ran, then closes the mixer.
  ~TMixerCtrl() override;
  TMixerCtrl(const TMixerCtrl&) = delete;
  TMixerCtrl& operator=(const TMixerCtrl&) = delete;

  // Opens the mixer with its notices to window, takes the lines from SoundMixer.dat or from the
  // mixer, and posts TVR_MIXERIDS (or TVR_NOMIXER when no line is known) to window.
  void create(uint64_t window);
  // Selects line n (0 the speakers destination) and posts its TVR_MIXERIDS to the create's
  // window; a position outside the list changes and posts nothing.
  void selectLine(int32_t n);
  // The names for CD_MIXERLINES; none when not valid.
  std::optional<std::vector<uint8_t>> lineNamesBlock() const;
  // The selected line's position, -1 when not valid.
  int32_t currentLine() const;
  void setVolume(uint32_t volume);
  // None when not valid or the mixer cannot tell.
  std::optional<uint32_t> getVolume();
  void setMute(bool mute);
  std::optional<bool> getMute();
  // Keeps the current volume and mute (each only when it could be read).
  void storeLevels();
  // Puts back what storeLevels kept; a level never kept is left alone.
  void restoreLevels();

 private:
  void loadSettings();
  void postLineIds() const;
  const MixerLine& line() const { return lines_[current_]; }

  EngineHost& host_;
  std::unique_ptr<MixerPort> port_;
  std::string settingsPath_;
  uint64_t callbackWindow_ = 0;
  bool created_ = false;
  // Lines and controls are known; then lines_ holds at least one line and current_ is in it.
  bool valid_ = false;
  std::vector<MixerLine> lines_;
  size_t current_ = 0;
  std::optional<uint32_t> storedVolume_;
  std::optional<bool> storedMute_;
};
