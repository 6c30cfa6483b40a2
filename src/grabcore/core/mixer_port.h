// What the sound mixer object needs of the system's mixer: the Windows program wires it to the
// multimedia mixer functions, tests to a fake.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "mixer_settings.h"

class MixerPort {
 public:
  // Closes the mixer when it was opened.
  virtual ~MixerPort() = default;
  // Opens the system's first mixer with its change notices going to window. Silent: a machine
  // without a mixer, or one that cannot be opened, leaves the port closed. Once open, later
  // calls change nothing.
  virtual void open(uint64_t window) = 0;
  // The speakers destination, then its sources in source order, each with its volume and mute
  // control; none when the port is closed or any of them cannot be had.
  virtual std::optional<std::vector<MixerLine>> readLines() = 0;
  // The control's value; none when it cannot be read.
  virtual std::optional<uint32_t> getVolume(uint32_t controlId) = 0;
  virtual std::optional<bool> getMute(uint32_t controlId) = 0;
  // Results are not needed: a control that cannot be set stays as it was.
  virtual void setVolume(uint32_t controlId, uint32_t volume) = 0;
  virtual void setMute(uint32_t controlId, bool mute) = 0;
};
