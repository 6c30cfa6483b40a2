// The platform behind the scheduler: the clock, reserve.dat, the wake-up program's start, and
// the countdown dialogs until those forms are built.
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

// The countdown dialogs until they exist: a notice records, and power is never switched off.
class PlainSchedulerDialogs : public SchedulerDialogs {
 public:
  void beep() override { MessageBeep(MB_OK); }
  int showNotice(bool, double, bool) override { return 1; }
  bool confirmPowerOff() override { return false; }
  void showError(const std::string& text) override;
};
