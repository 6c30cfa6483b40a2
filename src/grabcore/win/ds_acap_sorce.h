// The audio capture source over DirectShow: the first audio input device, the format of its
// capture pin, the format chooser, and the quality profile's audio file.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <optional>
#include <string>

#include "com_seam.h"
#include "grabcore/core/acap_sorce.h"
#include "grabcore/core/engine_host.h"

class DsACapSorce : public TACapSorce {
 public:
  // programDir: the folder of the profile files, with its trailing '\'.
  DsACapSorce(EngineHost& host, ComFactory& com, std::string programDir);

  IBaseFilter* getFilter() override { return filter_.Get(); }

  void create(const std::string& profile) override;
  void remove() override;
  bool chooseFormat(uint64_t window) override;
  std::optional<AudioFormatInfo> getFormatInfo() override;
  void setName(const std::string& profile) override { profileName_ = profile; }
  void deleteData(const std::string& profile) override;

 private:
  // Binds the device at deviceNumber_ into filter_; raises when there is none.
  void bindDevice();
  // The stream configuration of the capture pin; raises when none.
  IAMStreamConfig* strmCnfPtr();
  // The profile's format, or the device's own; none when the device's own could not be read
  // back from the profile's file.
  std::optional<MediaTypeRecord> openFormat();
  void release();

  EngineHost& host_;
  ComFactory& com_;
  std::string programDir_;

  Microsoft::WRL::ComPtr<IBaseFilter> filter_;
  Microsoft::WRL::ComPtr<IAMStreamConfig> streamConfig_;
  // Never changed: the first device is used.
  int32_t deviceNumber_ = 0;
  // The format in use; held from a create that went through (and found a format the profile can
  // keep) until remove, and only then is there a format to report, choose or write.
  std::optional<MediaTypeRecord> mediaType_;
  std::string profileName_;
};
