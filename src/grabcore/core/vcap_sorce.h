// The video capture source object, as the dispatcher and other device objects see it.
#pragma once

#include <cstdint>
#include <string>

#include "dsmother.h"
#include "video_info.h"

class TVCapSorce : public dsMother {
 public:
  // Chooses and opens the device and posts TVR_DRIVER to the window.
  virtual void create(uint64_t window) = 0;
  // Saves the settings and the current profile's format, then releases the device.
  virtual void remove() = 0;
  // property: a PictureProperty.
  virtual void setQuality(int property, int32_t value) = 0;
  virtual int32_t getQuality(int property) = 0;
  // kind: 1 Source, 2 Format, 4 Display; window: the dialog's owner. Modal.
  virtual void showDialog(int kind, uint64_t window) = 0;
  virtual VideoSize getVideoSize() = 0;
  virtual void loadFormat(const std::string& profile) = 0;
  virtual void saveFormat() = 0;
  virtual void loadQuality() = 0;
  virtual void deleteVideo(const std::string& profile) = 0;
  // Frames per second, or kNoFrameRate.
  virtual double getFrameRate() = 0;
  virtual void setFrameRate(double rate) = 0;
  virtual void allocProp() = 0;
  // 1 the VfW device, 2 the WDM device.
  virtual void chgDriver(int kind) = 0;
};
