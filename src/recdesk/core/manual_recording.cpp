#include "manual_recording.h"

#include "../texts/view_control_texts.h"

std::string startConfirmation(const std::string& quality, const std::string& file) {
  return std::string(texts::kConfirmStartHead) + quality + texts::kConfirmStartFile + file;
}

ManualRecording::ManualRecording(dsControl& engine, rsvTime& scheduler, OneShotTimer& stopTimer,
                                 ManualRecordingHost& host)
    : engine_(engine), scheduler_(scheduler), stopTimer_(stopTimer), host_(host) {
  engine_.onRequestsDropped([this] { requestsDropped(); });
}

void ManualRecording::recordClicked(const ManualSettings& settings) {
  const bool down = host_.recordDown();
  // Between a reservation's notice and its capture its set-up is being built: a start or stop
  // here would tear it down or be cut by it.
  const rsvTime::State state = scheduler_.state();
  if (state == rsvTime::NOTICE || state == rsvTime::READY) {
    host_.setRecordDown(!down);
    host_.tell(texts::kRecordRefusedWhilePreparing);
    return;
  }
  // A reservation records, also before its TVR_RECON has put the button down: the click is its
  // stop; a manual set-up would tear its graph down.
  if (state == rsvTime::REC) {
    host_.setRecordDown(false);
    return stop();
  }
  // No start under a box or dialog that holds the view (its own confirmation included), nor
  // while the steps towards a power-off run (their wake-up program's start lets clicks in); a
  // stop may still come, from the tray.
  if (down && (asking_ || !host_.available() || scheduler_.switchingOff())) return host_.setRecordDown(false);
  if (down) start(settings);
  else stop();
}

void ManualRecording::start(const ManualSettings& settings) {
  // A stop time left from an earlier recording must not stop this one.
  ended();
  if (engine_.engineGone()) return host_.setRecordDown(false);  // nothing would record
  // From its first line on the start counts as recording: its set-up stops the preview's graph,
  // whose TVR_RECOFF is part of the start.
  phase_ = Phase::starting;
  ++serial_;
  captureId_ = 0;
  host_.setRecordingItems(true);
  engine_.prepareManualRecording(settings.quality, settings.file);
  const uint32_t setUps = setUps_;
  bool confirmed = true;
  if (settings.confirm) {
    // Only asking, the start is no recording yet for a reservation noticed meanwhile.
    asking_ = true;
    scheduler_.manualStartAsks(true);
    confirmed = host_.confirmStart(startConfirmation(settings.quality, settings.file));
    scheduler_.manualStartAsks(false);
    asking_ = false;
  }
  // The box's own loop may have let a reservation fall due or set itself up, whose graph now
  // stands, or seen the engine end, or the tray stop this start: it is then void and sends
  // nothing that would undo either.
  const rsvTime::State state = scheduler_.state();
  const bool preparing = state == rsvTime::NOTICE || state == rsvTime::READY;
  if (setUps != setUps_ || preparing || state == rsvTime::REC || engine_.engineGone() ||
      phase_ != Phase::starting) {
    const bool refused = preparing && phase_ == Phase::starting;
    if (phase_ != Phase::none) host_.setRecordingItems(false);
    ended();
    if (state != rsvTime::REC) host_.setRecordDown(false);
    if (!refused) return;
    host_.tell(texts::kRecordRefusedWhilePreparing);
    // Not set up yet, the reservation is to find the preview rather than this start's graph.
    if (state == rsvTime::NOTICE && setUps == setUps_ && !engine_.engineGone()) cancelToPreview();
    return;
  }
  if (!confirmed) {
    ended();
    host_.setRecordingItems(false);
    host_.setRecordDown(false);
    cancelToPreview();
    return;
  }
  engine_.startCapture();
  captureId_ = engine_.queue().back().id;
}

void ManualRecording::stop() {
  if (scheduler_.state() == rsvTime::REC) {
    ended();
    scheduler_.exitRec(false, false);
    return;
  }
  engine_.execOneLine("cFg stopGraph");
  host_.setRecordingItems(false);
  const bool powerOff = powerOffAfterStop_;
  ended();
  if (!powerOff) return engine_.backToPreview();
  // The scheduler decides by what is due once the countdown has closed, not before it opened.
  scheduler_.switchOffAfterRecording([this] { return host_.confirmPowerOff(); }, [this] { engine_.backToPreview(); });
}

void ManualRecording::onStopTimer() {
  stopArmed_ = false;
  if (phase_ == Phase::none) return;
  host_.setRecordDown(false);
  stop();
}

void ManualRecording::onRecOn() {
  host_.setRecordDown(true);
  // Only the report of this start's own capture line, which the engine is running now.
  const std::deque<CmdMess>& queue = engine_.queue();
  if (phase_ == Phase::starting && captureId_ != 0 && engine_.busy() && !queue.empty() &&
      queue.front().id == captureId_)
    phase_ = Phase::running;
}

void ManualRecording::requestsDropped() {
  // Nothing answers the start any more; a recording under way ended with the engine. Given up
  // on a live engine, a running recording may still write: its stop stays the user's.
  const bool engineAlive = !engine_.engineGone();
  if (phase_ == Phase::none || (phase_ == Phase::running && engineAlive)) return;
  ended();
  host_.setRecordDown(false);
  host_.setRecordingItems(false);
  // The start's rest was never sent: the way back sorts out what its first lines left.
  if (engineAlive) cancelToPreview();
}

void ManualRecording::onRecOff() {
  // A start's set-up stops the preview's graph: that report neither raises the button nor ends
  // the start. Any other ends what records, manual or scheduled.
  if (phase_ == Phase::starting) return;
  host_.setRecordDown(false);
  if (phase_ != Phase::running) return;
  ended();
  host_.setRecordingItems(false);
}

void ManualRecording::onAcknowledged(int32_t id) {
  if (phase_ != Phase::starting || captureId_ == 0 || id != captureId_) return;
  // The engine ran the capture line without starting a capture: nothing records.
  ended();
  host_.setRecordDown(false);
  host_.setRecordingItems(false);
  cancelToPreview();
}

void ManualRecording::onGraphAbort() {
  if (phase_ != Phase::running) return;
  // The graph stopped writing: the recording ends as a failed one, without its power-off.
  powerOffAfterStop_ = false;
  host_.setRecordDown(false);
  stop();
}

void ManualRecording::scheduledSetUp() {
  ++setUps_;
  if (phase_ != Phase::none) host_.setRecordingItems(false);
  ended();
}

void ManualRecording::armStopTimer(uint32_t milliseconds, bool powerOff) {
  if (phase_ == Phase::none) return;
  stopTimer_.start(milliseconds);
  stopArmed_ = true;
  powerOffAfterStop_ = powerOff;
}

void ManualRecording::disarmStopTimer() {
  stopTimer_.stop();
  stopArmed_ = false;
  powerOffAfterStop_ = false;
}

void ManualRecording::ended() {
  phase_ = Phase::none;
  disarmStopTimer();
}

void ManualRecording::cancelToPreview() { engine_.cancelToPreview(); }
