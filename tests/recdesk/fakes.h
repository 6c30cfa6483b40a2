// Fakes of the recorder's ports for the native tests.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "recdesk/core/ports.h"

class FakeTimer : public OneShotTimer {
 public:
  void start(uint32_t milliseconds) override {
    running = true;
    interval = milliseconds;
    ++starts;
  }
  void stop() override { running = false; }
  bool running = false;
  uint32_t interval = 0;
  int starts = 0;
};

class FakeClock : public Clock {
 public:
  double now() const override { return time; }
  double time = 0;
};

class FakeWatch : public EngineWatch {
 public:
  bool engineNotAnswering(unsigned waitedSeconds) override {
    asked.push_back(waitedSeconds);
    if (duringQuestion) duringQuestion();
    return giveUp;
  }
  std::vector<unsigned> asked;
  bool giveUp = false;
  std::function<void()> duringQuestion;
};

class FakeView : public TvViewPort {
 public:
  uint32_t viewWindow() const override { return 0x5100; }
  uintptr_t viewObject() const override { return 0x7700; }
  PanelGeometry videoPanel() const override { return panel; }
  int32_t preallocMB() const override { return prealloc; }
  bool noPreviewWhileRecording() const override { return noPreview; }
  void countMuteEcho() override { ++pendingMute; }
  void countVolumeEcho() override { ++pendingVolume; }
  bool isShown() const override { return shown; }
  void show() override {
    shown = true;
    ++shows;
  }
  bool isRecording() const override { return recording; }
  void closeOptions() override { ++optionsClosed; }
  void mixerAvailable(bool available) override { mixerShown = available; }

  PanelGeometry panel{0x5200, 320, 240};
  int32_t prealloc = 0;
  bool noPreview = false;
  int pendingMute = 0;
  int pendingVolume = 0;
  bool shown = false;
  int shows = 0;
  bool recording = false;
  int optionsClosed = 0;
  bool mixerShown = true;
};

class FakeDialogs : public SchedulerDialogs {
 public:
  void beep() override { log.push_back("beep"); }
  int showNotice(bool manualLayout, double start, bool ownedByView) override {
    log.push_back(std::string("notice ") + (manualLayout ? "manual" : "normal") + (ownedByView ? " view" : " app"));
    noticeStart = start;
    if (duringNotice) duringNotice();
    int result = noticeResults.empty() ? 1 : noticeResults.front();
    if (!noticeResults.empty()) noticeResults.pop_front();
    return result;
  }
  bool confirmPowerOff() override {
    log.push_back("poweroff?");
    if (duringPowerOff) duringPowerOff();
    return powerOffAnswer;
  }
  void showError(const std::string& text) override {
    log.push_back("error " + text);
    if (duringError) duringError();
  }

  std::vector<std::string> log;
  std::deque<int> noticeResults;
  double noticeStart = 0;
  bool powerOffAnswer = true;
  std::function<void()> duringNotice;
  std::function<void()> duringPowerOff;
  std::function<void()> duringError;
};

class FakeTray : public TrayPort {
 public:
  void setTrayIcon(int index) override { log.push_back("icon " + std::to_string(index)); }
  void setTrayTip(const std::string& text) override {
    tip = text;
    log.push_back("tip");
  }
  void setRecordingItems(bool enabled) override { log.push_back(enabled ? "items on" : "items off"); }
  std::vector<std::string> log;
  std::string tip;
};

class FakeLauncher : public Launcher {
 public:
  bool open(const std::string& file, const std::string& parameters) override {
    log.push_back(file + " " + parameters);
    return succeeds;
  }
  void processMessages() override {
    log.push_back("pump");
    if (duringPump) duringPump();
  }
  std::vector<std::string> log;
  bool succeeds = true;
  std::function<void()> duringPump;
};

class FakeSource : public ReservationSource {
 public:
  std::optional<std::vector<uint8_t>> read() override {
    ++reads;
    return data;
  }
  std::optional<std::vector<uint8_t>> data;
  int reads = 0;
};
