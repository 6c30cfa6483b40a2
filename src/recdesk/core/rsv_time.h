// The reservation scheduler: a five-state machine on a one-shot timer that notices, sets up,
// starts and stops each reservation of reserve.dat, arms the wake-up program for the next
// one, and can switch the PC off afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ds_control.h"
#include "ports.h"
#include "rsv_ele.h"
#include "timer_ini.h"

class rsvTime {
 public:
  enum State : uint8_t { WAIT = 0, NOTICE = 1, READY = 2, REC = 3, IDLE = 4 };

  struct Ports {
    Clock& clock;
    OneShotTimer& timer;  // the main window's Timer1
    dsControl& engine;
    TvViewPort& view;
    SchedulerDialogs& dialogs;
    TrayPort& tray;
    Launcher& launcher;
    ReservationSource& source;
    const timerIni& settings;
  };

  // Reads reserve.dat; the scheduler starts IDLE until enter.
  explicit rsvTime(const Ports& ports);
  rsvTime(const rsvTime&) = delete;
  rsvTime& operator=(const rsvTime&) = delete;

  State state() const { return tState; }
  bool reloadPending() const { return reloadPending_; }
  const std::vector<TRsvEle>& reservations() const { return list_; }
  // The reservation being scheduled, or none.
  const TRsvEle* currentEntry() const;

  // The list.
  void loadReservations();
  void rollForward();
  bool pickNext();

  // The states.
  void enter();
  void exitWait();
  void exitNotice(int kind);
  void exitReady();
  void exitRec(bool allowPowerOff, bool mayCloseView);
  void exitIdle();
  void finishCurrent(bool allowPowerOff);
  void armWakeUp();
  std::string recordFileName() const;
  void setRecCaption();

  // Timer1Timer.
  void onTimer();
  // The engine's reports, as the main window receives them: TVR_RECON, every acknowledgement
  // (TVR_DONE's id), TVR_GRAPHABORT (true when it ended the reservation's recording).
  void onRecOn();
  void onAcknowledged(int32_t id);
  bool onGraphAbort();
  // TVR_CHANGED.
  void onReservationsChanged();
  // The stop-time dialog during a recording: a new end and power-off flag for the running
  // occurrence only; the entry keeps its own, so later occurrences and the record of what was
  // finished go by the reservation.
  void changeEnd(double end, bool powerOff);
  // The stop-time dialog's answer: its time and power-off box as they were filled and as the
  // user left them. Only what the user changed applies, a time as its next occurrence.
  void answerStopTime(double filledTime, bool filledPowerOff, double chosenTime, bool powerOff);
  // The end and power-off flag the running recording goes by.
  double recordingEnd() const;
  bool recordingPowerOff() const;
  // The time the armed timer waits for.
  double dueTime() const { return due_; }
  // WM_TIMECHANGE: the clock was set; every armed wait is measured afresh.
  void onClockChanged();
  // The program ends (exit, end of Windows): the timer stops, and a running capture is
  // stopped first, so that the engine finishes the file instead of dying in the middle.
  void stopForExit();
  // The start of the next reservation, without changing the one being scheduled.
  std::optional<double> nextStart();
  // There is time to switch the PC off (delays, wake-up lead and countdown) before that start.
  bool powerOffFitsBefore(std::optional<double> start) const;
  // After a recording that asked for it: the power-off countdown (ask: false for No), the
  // wake-up program for the next start, then the clean-up and "mark 1", whose echoes switch the
  // PC off. The scheduler is held meanwhile; a change that came during the countdown or the
  // wake-up program's start is applied and the test repeated, so that nothing due is missed.
  // False when the PC stays on: stayOn runs, then the scheduler goes on.
  bool switchOffAfterRecording(const std::function<bool()>& ask, const std::function<void()>& stayOn);
  // Those steps run: a recording started now would be switched off with the PC.
  bool switchingOff() const { return finishing_; }
  // A manual start's confirmation is open: its button is down, but nothing records yet, so a
  // reservation falling due meanwhile is noticed as without a manual recording.
  void manualStartAsks(bool asking) { manualAsking_ = asking; }

 private:
  TRsvEle* current();
  TRsvEle* findNext();
  double noticeTime(const TRsvEle& e) const;
  double setupTime(const TRsvEle& e) const;
  double captureTime(const TRsvEle& e) const;
  bool reached(double time) const;
  void arm(State state, double target);
  // Marks an occurrence finished: a once entry done, a repeating one stepped to its next.
  void finish(TRsvEle& e);
  // After a reload: occurrences this run finished stay finished.
  void keepFinished(double now);
  void applyPendingReload();
  // The entry of reserve.dat that is the occurrence being prepared or recorded gives it its
  // times.
  void takeNewEnd();
  // The occurrence is over: recorded (or cancelled), it is remembered as finished; a start that
  // failed lets it go without that.
  void finishOccurrence(bool allowPowerOff, bool remember);
  // The capture line failed: no recording is shown, the view goes back to the preview as after
  // a failed start, and the occurrence is let go until the next reload.
  void captureFailed();
  // The queue dropped its requests (given up on, or the engine ended).
  void requestsDropped();
  // Stops the capture and leaves the recording's graph for the preview or the closed view.
  void leaveRecording(bool mayCloseView);
  // The occurrence being prepared or recorded: the roll-forward leaves it alone.
  uint32_t running() const;
  bool ended(const TRsvEle& e) const;
  // Starts the wake-up program for the next start, if any; false when it could not be started.
  bool startWakeUp();
  // Shows the notice dialog in NOTICE; false when the scheduler moved on meanwhile.
  std::optional<int> notice(bool manualLayout, bool ownedByView);
  bool manualRecording() const { return ports_.view.isRecording() && !manualAsking_; }

  Ports ports_;
  State tState = IDLE;
  double due_ = 0;
  // A modal dialog of the scheduler is open: the timer is off and changes wait for it.
  bool modal_ = false;
  // An occurrence is being finished: between states, with the timer off. The wake-up
  // program's start pumps messages, and a change handled there waits for the next state.
  bool finishing_ = false;
  bool manualAsking_ = false;
  // The stop-time dialog's end and power-off flag for the running occurrence.
  std::optional<double> changedEnd_;
  std::optional<bool> changedPowerOff_;
  bool reloadPending_ = false;
  std::vector<TRsvEle> list_;
  uint32_t current_ = 0;  // serial of the reservation being scheduled; 0 none
  uint32_t nextSerial_ = 1;
  std::vector<TRsvEle> finished_;  // occurrences this run finished, as they ran
  // Once entries whose start failed: not picked again until the next reload.
  std::vector<uint32_t> failed_;
  // The reservation's capture line until it is acknowledged, and its TVR_RECON.
  int32_t captureId_ = 0;
  bool captureOn_ = false;
};

// Milliseconds to a time for the one-shot timer: rounded, at least 50, at most 4294967295.
uint32_t timerInterval(double now, double target);
// The longest the scheduler's timer waits before it reads the clock again: intervals are
// differences of local times, which a daylight-saving or clock change moves.
constexpr uint32_t kClockRecheckMs = 60000;
