// Makes the engine's device objects over DirectShow.
#pragma once

#include "com_seam.h"
#include "grabcore/core/device_factory.h"

class WinDeviceFactory : public DeviceFactory {
 public:
  explicit WinDeviceFactory(ComFactory& com) : com_(com) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex& engine) override;

 private:
  ComFactory& com_;
};
