// The platform behind the scheduler: the clock, reserve.dat, the wake-up program's start, and
// the TV view until its form is built.
#pragma once

#include <windows.h>

#include <string>

#include "recdesk/core/ports.h"

class LocalClock : public Clock {
 public:
  double now() const override;
};

class ReserveFileSource : public ReservationSource {
 public:
  explicit ReserveFileSource(std::string path) : path_(std::move(path)) {}
  std::optional<std::vector<uint8_t>> read() override;

 private:
  std::string path_;
};

class ShellLauncher : public Launcher {
 public:
  bool open(const std::string& file, const std::string& parameters) override;
  void processMessages() override;
};

// Stands for the TV view until it exists: hidden, with no panel.
class HiddenView : public TvViewPort {
 public:
  uint32_t viewWindow() const override { return 0; }
  uintptr_t viewObject() const override { return 0; }
  PanelGeometry videoPanel() const override { return {}; }
  int32_t preallocMB() const override { return 0; }
  bool noPreviewWhileRecording() const override { return false; }
  void countMuteEcho() override {}
  void countVolumeEcho() override {}
  bool isShown() const override { return false; }
  void show() override {}
  bool isRecording() const override { return false; }
};
