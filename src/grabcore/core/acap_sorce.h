// The audio capture source object, as the dispatcher and other device objects see it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "dsmother.h"
#include "wave_format.h"

class TACapSorce : public dsMother {
 public:
  // Binds the first audio input device and gives it the profile's format, or takes the
  // device's format when the profile has none.
  virtual void create(const std::string& profile) = 0;
  // Writes the profile's audio file and releases the device.
  virtual void remove() = 0;
  // The audio format chooser, modal, owned by window; true when it was cancelled, failed or
  // had no format to start from (nothing to report).
  virtual bool chooseFormat(uint64_t window) = 0;
  // None when no format is held (before create, after remove).
  virtual std::optional<AudioFormatInfo> getFormatInfo() = 0;
  virtual void setName(const std::string& profile) = 0;
  virtual void deleteData(const std::string& profile) = 0;
};
