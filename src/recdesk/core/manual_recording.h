// The TV view's recording button: a manual recording's start, its confirmation and failure,
// its stop with the optional power-off, and the stop timer, which belongs to that recording
// only. A scheduled recording is stopped through the scheduler.
#pragma once

#include <cstdint>
#include <string>

#include "ds_control.h"
#include "ports.h"
#include "rsv_time.h"

// What the recording needs of the view and the main window.
class ManualRecordingHost {
 public:
  virtual ~ManualRecordingHost() = default;
  virtual bool recordDown() const = 0;
  // The view takes input: no modal box or dialog holds it.
  virtual bool available() const = 0;
  // Sets the button without running its click.
  virtual void setRecordDown(bool down) = 0;
  // "録画停止" and "終了時間再設定".
  virtual void setRecordingItems(bool enabled) = 0;
  // The box before the capture starts, owned by the view: true for OK.
  virtual bool confirmStart(const std::string& text) = 0;
  // The power-off countdown: false only when the user answered No.
  virtual bool confirmPowerOff() = 0;
  // A refusal, told to the user.
  virtual void tell(const std::string& text) = 0;
};

struct ManualSettings {
  std::string quality;
  std::string file;
  bool confirm = false;
};

class ManualRecording {
 public:
  ManualRecording(dsControl& engine, rsvTime& scheduler, OneShotTimer& stopTimer, ManualRecordingHost& host);
  ManualRecording(const ManualRecording&) = delete;
  ManualRecording& operator=(const ManualRecording&) = delete;

  // SpeedButton3Click: starts or stops by the button's new state.
  void recordClicked(const ManualSettings& settings);
  // Timer1Timer.
  void onStopTimer();
  // The engine's reports and acknowledgements, as the main window receives them; the reports
  // set the button.
  void onRecOn();
  void onRecOff();
  void onAcknowledged(int32_t id);
  // TVR_GRAPHABORT: the graph stopped on an error.
  void onGraphAbort();
  // The queue dropped its requests: the engine ended, or its answer was given up.
  void requestsDropped();
  // A reservation's set-up replaces whatever ran.
  void scheduledSetUp();

  // A manual recording has been started and has not ended.
  bool running() const { return phase_ != Phase::none; }
  // Counts manual starts: a stop time chosen for one applies to it only.
  uint32_t serial() const { return serial_; }
  bool stopTimerArmed() const { return stopArmed_; }
  bool powerOffAfterStop() const { return powerOffAfterStop_; }
  // The stop-time dialog's result for the running manual recording.
  void armStopTimer(uint32_t milliseconds, bool powerOff);
  void disarmStopTimer();

 private:
  enum class Phase { none, starting, running };
  void start(const ManualSettings& settings);
  void stop();
  void ended();
  void cancelToPreview();

  dsControl& engine_;
  rsvTime& scheduler_;
  OneShotTimer& stopTimer_;
  ManualRecordingHost& host_;
  Phase phase_ = Phase::none;
  uint32_t serial_ = 0;
  uint32_t setUps_ = 0;  // reservations' set-ups so far
  bool asking_ = false;  // the start's confirmation is open
  int32_t captureId_ = 0;
  bool stopArmed_ = false;
  bool powerOffAfterStop_ = false;
};

// The text of the box before a manual capture starts.
std::string startConfirmation(const std::string& quality, const std::string& file);
