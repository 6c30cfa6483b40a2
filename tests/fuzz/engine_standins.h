// The engine over the recording host, for the interpreter's target: every kind makes an object,
// so every subcommand's arguments are converted. The tuner and the sound mixer are the
// product's own classes over ports that always succeed; the other kinds are stand-ins whose
// operations do nothing.
#pragma once

#include <memory>
#include <string>

#include "../grabcore/recording_host.h"
#include "grabcore/core/device_factory.h"
#include "grabcore/core/lex.h"
#include "grabcore/core/tuner_ports.h"

class FuzzHost : public BasicRecordingHost<std::string> {
 public:
  FuzzHost() : BasicRecordingHost([](const std::string& text) { return text; }, false) {}
};

class StandInFactory : public DeviceFactory, public TunerDialogs {
 public:
  // Files the objects write go to folder (with its trailing '/').
  StandInFactory(EngineHost& host, std::string folder) : host_(host), folder_(std::move(folder)) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex& engine) override;
  int askScan() override { return kScanAntenna; }
  std::unique_ptr<ScanProgress> openProgress(const std::string&) override;

 private:
  EngineHost& host_;
  std::string folder_;
};
