// Makes the engine's device objects over DirectShow.
#pragma once

#include <string>

#include "com_seam.h"
#include "mixer_api.h"
#include "form_tuner.h"
#include "grabcore/core/device_factory.h"
#include "winui/program_folder.h"

class WinDeviceFactory : public DeviceFactory {
 public:
  explicit WinDeviceFactory(ComFactory& com) : com_(com) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex& engine) override;

  // Where the devices keep their settings and profile files, with its trailing '\'.
  std::string programDir = programFolder();
  // The mixer functions the sound mixer objects use.
  MixerApi* mixerApi = &systemMixerApi();

 private:
  ComFactory& com_;
  WinTunerDialogs tunerDialogs_;
};
