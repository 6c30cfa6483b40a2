// The video capture source over DirectShow: the device's WDM and VfW filters, its picture
// control, driver dialogs and capture pin, with its settings in the program folder.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <optional>
#include <string>

#include "com_seam.h"
#include "grabcore/core/engine_host.h"
#include "grabcore/core/vcap_settings.h"
#include "grabcore/core/vcap_sorce.h"
#include "media_type.h"

class DsVCapSorce : public TVCapSorce {
 public:
  // programDir: the folder of the settings and profile files, with its trailing '\'.
  DsVCapSorce(EngineHost& host, ComFactory& com, std::string programDir);

  IBaseFilter* getFilter() override;

  void create(uint64_t window) override;
  void remove() override;
  void setQuality(int property, int32_t value) override;
  int32_t getQuality(int property) override;
  void showDialog(int kind, uint64_t window) override;
  VideoSize getVideoSize() override;
  void loadFormat(const std::string& profile) override;
  void saveFormat() override;
  void loadQuality() override;
  void deleteVideo(const std::string& profile) override;
  double getFrameRate() override;
  void setFrameRate(double rate) override;
  void allocProp() override;
  void chgDriver(int kind) override;

 private:
  void releaseDevices();
  // Binds the devices the settings file names; false when one of them cannot be had.
  bool openStored(const VCapSettings& stored);
  // Searches the video input devices afresh; raises when none of either kind is found.
  void findVCapFilter();
  void saveSettings();
  // The device's value; none when the device cannot tell it; 125 without a picture control.
  std::optional<int32_t> readQuality(int property);
  // Sets the property and keeps the value; false when the device refuses it.
  bool applyQuality(int property, int32_t value);
  // The stream configuration of the capture pin of the filter in use; raises when none.
  IAMStreamConfig* strmCnfPtr();
  // The capture pin's current format, for the operations that only show their failures: none
  // after showing the pin search's error or getFormatFailed.
  MediaTypePtr currentFormatShowing(const char* getFormatFailed);
  std::string profilePath(const std::string& profile) const;

  EngineHost& host_;
  ComFactory& com_;
  std::string programDir_;

  Microsoft::WRL::ComPtr<IAMBufferNegotiation> bufferNegotiation_;
  Microsoft::WRL::ComPtr<IBaseFilter> vfwFilter_;
  Microsoft::WRL::ComPtr<IBaseFilter> wdmFilter_;
  Microsoft::WRL::ComPtr<IAMStreamConfig> streamConfig_;
  Microsoft::WRL::ComPtr<IAMVideoProcAmp> procAmp_;
  Microsoft::WRL::ComPtr<IAMVfwCaptureDialogs> vfwDialogs_;
  VCapSettings settings_;
  std::string profileName_;
  // Set by a create that went through; only an opened device writes its settings, so a
  // stray remove or chgDriver never overwrites the file with an empty record.
  bool opened_ = false;
};
