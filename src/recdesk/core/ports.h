// What the recorder's portable logic needs of the platform and of its windows. The Windows
// program wires these to the real timer, windows and dialogs; tests wire fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A one-shot timer: it fires once after start, unless stopped or started again.
class OneShotTimer {
 public:
  virtual ~OneShotTimer() = default;
  virtual void start(uint32_t milliseconds) = 0;
  virtual void stop() = 0;
};

// The local time, as days since 30 December 1899.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double now() const = 0;
};

// The engine's end of the link.
class EngineTransport {
 public:
  virtual ~EngineTransport() = default;
  // The engine has announced its window (TVR_ENGINEWND).
  virtual bool engineKnown() const = 0;
  // WM_COPYDATA to the engine, sent: wParam our main window, dwData the id, the bytes as given.
  virtual void sendCopyData(int32_t id, const std::vector<char>& bytes) = 0;
  // The request message, posted: wParam value, lParam id.
  virtual void postRequest(int32_t msg, uintptr_t value, int32_t id) = 0;
};

// Told when the engine has not acknowledged a request for a while.
class EngineWatch {
 public:
  virtual ~EngineWatch() = default;
  // Asks whether to give up waiting (true: drop the requests) or to wait on (false).
  virtual bool engineNotAnswering(unsigned waitedSeconds) = 0;
};

struct PanelGeometry {
  uint32_t window = 0;
  uint32_t width = 0;
  uint32_t height = 0;
};

// What the engine link and the scheduler need of the TV view.
class TvViewPort {
 public:
  virtual ~TvViewPort() = default;
  virtual uint32_t viewWindow() const = 0;
  virtual uintptr_t viewObject() const = 0;
  virtual PanelGeometry videoPanel() const = 0;
  virtual int32_t preallocMB() const = 0;
  virtual bool noPreviewWhileRecording() const = 0;
  // Echo counters of the mixer's change notices.
  virtual void countMuteEcho() = 0;
  virtual void countVolumeEcho() = 0;
  virtual bool isShown() const = 0;
  virtual void show() = 0;
  // The record button is down.
  virtual bool isRecording() const = 0;
  // A reservation falls due: an open options dialog closes before its set-up.
  virtual void closeOptions() = 0;
  // The volume bar and the mute button take input only while the engine has a mixer.
  virtual void mixerAvailable(bool available) = 0;
};

// The scheduler's dialogs.
class SchedulerDialogs {
 public:
  virtual ~SchedulerDialogs() = default;
  virtual void beep() = 0;
  // The notice countdown, modal: 1 record, 2 cancel and watch TV, 3 cancel.
  virtual int showNotice(bool manualLayout, double start, bool ownedByView) = 0;
  // The power-off countdown, modal: true for Yes (also when it runs out).
  virtual bool confirmPowerOff() = 0;
  virtual void showError(const std::string& text) = 0;
};

// The tray icon and its recording items.
class TrayPort {
 public:
  virtual ~TrayPort() = default;
  // Image and tip of the tray table: 0 waiting, 1 preparing, 2 recording.
  virtual void setTrayIcon(int index) = 0;
  virtual void setTrayTip(const std::string& tip) = 0;
  // "録画停止" and "終了時間再設定".
  virtual void setRecordingItems(bool enabled) = 0;
};

// Starts the wake-up program.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Shell execution with the verb "open"; false when it failed.
  virtual bool open(const std::string& file, const std::string& parameters) = 0;
  virtual void processMessages() = 0;
};

// The bytes of reserve.dat, or nothing when it cannot be read.
class ReservationSource {
 public:
  virtual ~ReservationSource() = default;
  virtual std::optional<std::vector<uint8_t>> read() = 0;
};
