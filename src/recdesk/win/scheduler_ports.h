// The platform behind the scheduler: the clock, reserve.dat and the wake-up program's start.
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
