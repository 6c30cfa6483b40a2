#include "rsv_time.h"

#include <algorithm>
#include <cmath>

#include "../../common/oledate.h"
#include "../texts/recdesk_texts.h"
#include "reserve_file.h"
#include "schedule_format.h"
#include "stop_time.h"

namespace {

constexpr double kOneMillisecond = 1.0 / tavora::kMillisecondsPerDay;
// Two entries name the same occurrence when their times agree within a second.
constexpr double kSameTime = 1.0 / tavora::kSecondsPerDay;

double seconds(double s) { return s / tavora::kSecondsPerDay; }

bool sameStart(const TRsvEle& a, const TRsvEle& b) { return std::fabs(a.start - b.start) <= kSameTime; }

// The same occurrence: the same start on the same channel, or, its times moved (a programme put
// back), the same file over an overlapping time, which a new set-up would truncate.
bool sameOccurrence(const TRsvEle& a, const TRsvEle& b) {
  if (a.channel != b.channel) return false;
  return sameStart(a, b) || (a.fileName == b.fileName && a.start < b.end && b.start < a.end);
}

// Runs a step (one of the scheduler's modal dialogs, a finish) with its flag held; the flag
// drops again also when the step fails, so that changes and clock changes are not put off for
// good.
template <class F>
auto whileHeld(bool& held, F&& step) {
  struct Release {
    bool& flag;
    ~Release() { flag = false; }
  } release{held};
  held = true;
  return step();
}

}  // namespace

uint32_t timerInterval(double now, double target) {
  const double ms = std::round((target - now) * tavora::kMillisecondsPerDay);
  // Clamped as a double: converting an out-of-range double is undefined.
  if (std::isnan(ms) || ms > 4294967295.0) return 4294967295u;
  if (ms < 50.0) return 50;
  return static_cast<uint32_t>(ms);
}

rsvTime::rsvTime(const Ports& ports) : ports_(ports) {
  loadReservations();
  ports_.engine.onRequestsDropped([this] { requestsDropped(); });
}

// ---- the list ----

const TRsvEle* rsvTime::currentEntry() const {
  for (const TRsvEle& e : list_)
    if (current_ != 0 && e.serial == current_) return &e;
  return nullptr;
}

TRsvEle* rsvTime::current() { return const_cast<TRsvEle*>(currentEntry()); }

void rsvTime::loadReservations() {
  list_.clear();
  current_ = 0;
  failed_.clear();
  if (std::optional<std::vector<uint8_t>> data = ports_.source.read()) list_ = readReserveFile(*data);
  for (TRsvEle& e : list_) e.serial = nextSerial_++;
  const double now = ports_.clock.now();
  ::rollForward(list_, now);
  keepFinished(now);
}

void rsvTime::keepFinished(double now) {
  // An occurrence is known again by sameOccurrence, whatever end the file gives it now; it is
  // remembered as long as the file holds it, so that its file is never set up again.
  bool changed = false;
  std::erase_if(finished_, [&](const TRsvEle& o) {
    bool held = false;
    for (TRsvEle& e : list_) {
      if (!sameOccurrence(e, o)) continue;
      held = true;
      if (e.done) continue;
      finish(e);
      changed = true;
    }
    return !held;
  });
  if (changed) ::rollForward(list_, now);
}

void rsvTime::applyPendingReload() {
  if (!reloadPending_) return;
  reloadPending_ = false;
  loadReservations();
}

uint32_t rsvTime::running() const { return tState == NOTICE || tState == READY || tState == REC ? current_ : 0; }

void rsvTime::rollForward() { ::rollForward(list_, ports_.clock.now(), running()); }

TRsvEle* rsvTime::findNext() {
  if (list_.empty()) return nullptr;
  rollForward();
  for (TRsvEle& e : list_)
    if (!e.done && e.enabled && std::find(failed_.begin(), failed_.end(), e.serial) == failed_.end()) return &e;
  return nullptr;
}

bool rsvTime::pickNext() {
  TRsvEle* next = findNext();
  current_ = next ? next->serial : 0;
  return next != nullptr;
}

void rsvTime::finish(TRsvEle& e) {
  if (!stepToNextOccurrence(e)) e.done = 1;
}

// ---- times ----

double rsvTime::noticeTime(const TRsvEle& e) const { return e.start - seconds(ports_.settings.noticeSeconds); }
double rsvTime::setupTime(const TRsvEle& e) const { return e.start - seconds(ports_.settings.setupLeadSeconds); }

double rsvTime::captureTime(const TRsvEle& e) const {
  const double early = ports_.settings.earlyStart;
  return e.start + (std::isfinite(early) ? early : 0.0);
}

// A timer may fire a little early (rounding, the clock's granularity) or much too early (the
// interval cap, a clock change); only the second kind re-arms.
bool rsvTime::reached(double time) const { return ports_.clock.now() >= time - kOneMillisecond; }

bool rsvTime::ended(const TRsvEle& e) const { return !(ports_.clock.now() < e.end); }

void rsvTime::arm(State state, double target) {
  tState = state;
  due_ = target;
  ports_.timer.start(std::min(timerInterval(ports_.clock.now(), target), kClockRecheckMs));
}

// ---- the states ----

void rsvTime::enter() {
  ports_.timer.stop();
  applyPendingReload();
  if (!pickNext()) {
    tState = IDLE;
    return;
  }
  const TRsvEle& e = *current();
  arm(WAIT, noticeTime(e));
  ports_.tray.setTrayTip(nextReservationTip(e.title, e.start));
  armWakeUp();
}

std::optional<int> rsvTime::notice(bool manualLayout, bool ownedByView) {
  // NOTICE before the modal loop: a reload meanwhile must wait for this reservation.
  tState = NOTICE;
  const double start = current()->start;
  if (ports_.settings.beepOnNotice) ports_.dialogs.beep();
  const int result = whileHeld(modal_, [&] { return ports_.dialogs.showNotice(manualLayout, start, ownedByView); });
  if (tState != NOTICE || !current()) return std::nullopt;
  return result;
}

void rsvTime::exitWait() {
  ports_.timer.stop();
  TRsvEle* e = current();
  // Picked before the PC slept, it may have ended meanwhile: a new pick lets it go.
  if (!e || ended(*e)) return enter();
  if (!reached(noticeTime(*e))) return arm(WAIT, noticeTime(*e));
  // The set-up rebuilds the graph the options dialog works on: it closes first.
  ports_.view.closeOptions();
  if (manualRecording()) {
    std::optional<int> result = notice(true, true);
    if (!result) return;
    // Run out, the notice stops the manual recording only if asked to, or if it ended meanwhile.
    const bool record = ports_.settings.stopManualForReservation || !manualRecording();
    if (*result == 2 || (*result == 1 && record)) exitNotice(1);
    else finishCurrent(false);
  } else if (ports_.settings.noticeOn && ports_.clock.now() < setupTime(*e)) {
    std::optional<int> result = notice(false, ports_.view.isShown());
    if (result) exitNotice(*result);
  } else {
    arm(NOTICE, setupTime(*e));
  }
}

void rsvTime::exitNotice(int kind) {
  ports_.timer.stop();
  TRsvEle* e = current();
  if (!e) return enter();
  if (kind == 3) return finishCurrent(false);
  // Whatever else the dialog answers records, as its countdown does when it runs out.
  if (kind != 2) kind = 1;
  // Ended meanwhile (the PC slept): nothing is set up for it.
  if (kind == 1 && ended(*e)) return finishCurrent(false);
  dsControl& engine = ports_.engine;
  const bool wasHidden = !ports_.view.isShown();
  if (wasHidden) ports_.view.show();
  if (kind == 1) {
    if (wasHidden) {
      engine.addDWORD("form", ports_.view.viewWindow());
      engine.execOneLine("new SoundMixer mix");
      engine.execOneLine("mix create form");
      engine.execOneLine("label setMixer");
      engine.execOneLine("mix getSysVolMute");
      engine.setMute(true);
    } else {
      engine.execOneLine("clean filterSet");
      engine.execOneLine("tune nukeWithoutNeeds cFg");
      engine.execOneLine("clean setMixer");
    }
    engine.prepareRecording(e->quality, recordFileName());
    engine.setChannel(e->channel);
    ports_.tray.setTrayIcon(1);
    arm(READY, captureTime(*e));
    return;
  }
  if (wasHidden) {
    engine.firstPreview();
    engine.restoreSysVolMute();
  }
  engine.setChannel(e->channel);
  finishCurrent(false);
}

void rsvTime::exitReady() {
  ports_.timer.stop();
  TRsvEle* e = current();
  if (!e) return enter();
  if (ended(*e)) {
    // Set up, then the PC slept past the end: nothing was captured.
    leaveRecording(true);
    return finishCurrent(false);
  }
  dsControl& engine = ports_.engine;
  engine.startCapture();
  captureId_ = engine.queue().empty() ? 0 : engine.queue().back().id;
  captureOn_ = false;
  if (captureId_ == 0) return captureFailed();  // dropped unsent: the engine has ended
  ports_.tray.setRecordingItems(true);
  ports_.tray.setTrayIcon(2);
  changedEnd_.reset();
  changedPowerOff_.reset();
  setRecCaption();
  arm(REC, e->end);
}

void rsvTime::exitRec(bool allowPowerOff, bool mayCloseView) {
  if (tState != REC) return;
  ports_.timer.stop();
  leaveRecording(mayCloseView);
  // Without its TVR_RECON the capture has not run (the engine is held before it): nothing is
  // switched off for it.
  finishCurrent(allowPowerOff && captureOn_);
}

void rsvTime::leaveRecording(bool mayCloseView) {
  dsControl& engine = ports_.engine;
  engine.execOneLine("cFg stopGraph");
  engine.execOneLine("tune setCaption");
  if (mayCloseView && ports_.settings.closeViewAfterRecording) engine.sendMark(4);
  else engine.backToPreview();
  ports_.tray.setTrayIcon(0);
  ports_.tray.setRecordingItems(false);
}

void rsvTime::captureFailed() {
  ports_.timer.stop();
  tState = IDLE;  // out of REC first: to an ended engine the way back is dropped at once
  ports_.engine.execOneLine("tune setCaption");
  ports_.tray.setTrayIcon(0);
  ports_.tray.setRecordingItems(false);
  ports_.engine.cancelToPreview();
  finishOccurrence(false, false);
}

void rsvTime::exitIdle() {
  // The timer is off while idle; should it fire, look for a reservation afresh.
  enter();
}

void rsvTime::finishCurrent(bool allowPowerOff) { finishOccurrence(allowPowerOff, true); }

void rsvTime::finishOccurrence(bool allowPowerOff, bool remember) {
  // Out of REC before anything else: a stop arriving during the power-off question must not
  // finish the reservation picked next.
  ports_.timer.stop();
  tState = IDLE;
  bool powerOff = false;
  if (TRsvEle* e = current()) {
    powerOff = allowPowerOff && recordingPowerOff();
    if (remember) {
      // So that a reload knows it, whatever end the file then gives it.
      finished_.push_back(*e);
      // A repeating reservation goes on to its next occurrence in this run.
      finish(*e);
    } else if (!stepToNextOccurrence(*e)) {
      // Not done by a recording that never ran: a reload (the reservation mended) tries again.
      failed_.push_back(e->serial);
    }
  }
  changedEnd_.reset();
  changedPowerOff_.reset();
  current_ = 0;
  captureId_ = 0;
  captureOn_ = false;
  if (powerOff) switchOffAfterRecording([this] { return ports_.dialogs.confirmPowerOff(); }, nullptr);
  else enter();  // a change that came meanwhile is loaded there
}

bool rsvTime::switchOffAfterRecording(const std::function<bool()>& ask, const std::function<void()>& stayOn) {
  // A reservation on its way, or a question of the scheduler open: nothing is switched off.
  if (modal_ || finishing_ || (tState != WAIT && tState != IDLE)) {
    if (stayOn) stayOn();
    return false;
  }
  ports_.timer.stop();
  tState = IDLE;
  current_ = 0;
  const bool off = whileHeld(finishing_, [&] {
    bool asked = false, armed = false;
    std::optional<double> armedFor;
    // Each wait below (the wake-up program's start and its box, the countdown) lets changes and
    // time in: the test is made again after each, with the list as it then is.
    for (;;) {
      applyPendingReload();
      const TRsvEle* next = findNext();
      const std::optional<double> start = next ? std::optional<double>(next->start) : std::nullopt;
      if (!powerOffFitsBefore(start) || (next && reached(noticeTime(*next)))) return false;
      if (!armed || armedFor != start) {
        armed = true;
        armedFor = start;
        // Off without its alarm the PC would miss the next start; the scheduler, going on, tells.
        if (!startWakeUp()) return false;
        continue;
      }
      if (asked) return true;
      asked = true;
      if (!whileHeld(modal_, ask)) return false;
    }
  });
  if (off) {
    ports_.engine.cleanUp();
    ports_.engine.sendMark(1);
    return true;
  }
  if (stayOn) stayOn();
  enter();
  return false;
}

void rsvTime::armWakeUp() {
  if (!startWakeUp()) ports_.dialogs.showError(texts::kWakecallFailed);
}

bool rsvTime::startWakeUp() {
  if (ports_.settings.wakeUpOff()) return true;
  const TRsvEle* next = findNext();
  if (!next) return true;
  const double wakeTime = next->start - seconds(ports_.settings.wakeLeadSeconds);
  if (!ports_.launcher.open(ports_.settings.wakeUpProgram, wakeUpParameters(wakeTime))) return false;
  ports_.launcher.processMessages();
  return true;
}

std::string rsvTime::recordFileName() const {
  const TRsvEle* e = currentEntry();
  if (!e) return std::string();
  return e->addDate ? datedFileName(e->fileName, ports_.clock.now()) : e->fileName;
}

void rsvTime::setRecCaption() {
  if (const TRsvEle* e = currentEntry()) ports_.engine.execOneLine(recordingCaptionLine(e->start, e->end, e->title));
}

// ---- the main window's calls ----

void rsvTime::onTimer() {
  // Held by the power-off steps, which take the scheduler up again themselves.
  if (finishing_) return;
  TRsvEle* e = current();
  if (tState != IDLE && tState != WAIT && !e) return enter();
  switch (tState) {
    case WAIT:
      return exitWait();
    case NOTICE:
      return reached(setupTime(*e)) ? exitNotice(1) : arm(NOTICE, setupTime(*e));
    case READY:
      return reached(captureTime(*e)) ? exitReady() : arm(READY, captureTime(*e));
    case REC:
      return reached(recordingEnd()) ? exitRec(true, true) : arm(REC, recordingEnd());
    default:
      return exitIdle();
  }
}

void rsvTime::onRecOn() {
  // The report of the capture line in flight is the reservation's.
  const dsControl& engine = ports_.engine;
  if (tState == REC && captureId_ != 0 && engine.busy() && engine.queue().front().id == captureId_)
    captureOn_ = true;
}

void rsvTime::onAcknowledged(int32_t id) {
  if (captureId_ == 0 || id != captureId_) return;
  captureId_ = 0;
  // Acknowledged without it, the capture line failed: the reservation may be set up again.
  if (tState == REC && !captureOn_) captureFailed();
}

void rsvTime::requestsDropped() {
  // With the engine ended nothing records any more, nor will its capture's report come.
  if (tState == REC && ports_.engine.engineGone()) captureFailed();
}

bool rsvTime::onGraphAbort() {
  if (tState != REC) return false;
  // What was written stays, as a recording stopped early: back to the preview, no power-off.
  exitRec(false, false);
  return true;
}

void rsvTime::onReservationsChanged() {
  if (modal_ || finishing_ || (tState != WAIT && tState != IDLE)) {
    // The list is replaced once the reservation is finished; its own end counts at once.
    reloadPending_ = true;
    takeNewEnd();
    return;
  }
  if (tState == WAIT) ports_.tray.setTrayIcon(0);
  ports_.timer.stop();
  loadReservations();
  enter();
}

void rsvTime::takeNewEnd() {
  TRsvEle* e = running() ? current() : nullptr;
  if (!e) return;
  std::optional<std::vector<uint8_t>> data = ports_.source.read();
  if (!data) return;
  std::optional<TRsvEle> found;
  for (TRsvEle& f : readReserveFile(*data)) {
    // A repeating entry is stored with its first date; its steps lead to the running one.
    while (f.end <= e->start && stepToNextOccurrence(f)) {
    }
    // The same start before an entry moved over it.
    if (sameOccurrence(f, *e) && (!found || sameStart(f, *e))) found = f;
  }
  if (!found) return;
  // A start put back is waited for: the timer reads the set-up and capture times again.
  e->start = found->start;
  if (std::fabs(found->end - e->end) <= kSameTime) return;
  // A new end in the table replaces the stop-time dialog's too: a nearer one stops it then.
  e->end = found->end;
  changedEnd_.reset();
  if (tState == REC) {
    ports_.timer.stop();
    arm(REC, e->end);
  }
}

void rsvTime::changeEnd(double end, bool powerOff) {
  TRsvEle* e = current();
  if (tState != REC || !e || !tavora::isValidOleDate(end)) return;
  ports_.timer.stop();
  changedEnd_ = end;
  changedPowerOff_ = powerOff;
  arm(REC, end);
}

void rsvTime::answerStopTime(double filledTime, bool filledPowerOff, double chosenTime, bool powerOff) {
  // The dialog is modal: the table may have moved the end meanwhile, which a time left as it
  // was must not undo.
  if (tState != REC || !current()) return;
  if (powerOff != filledPowerOff) changedPowerOff_ = powerOff;
  if (chosenTime != filledTime) changeEnd(nextStop(chosenTime, ports_.clock.now()), recordingPowerOff());
}

double rsvTime::recordingEnd() const {
  const TRsvEle* e = currentEntry();
  return changedEnd_ ? *changedEnd_ : e ? e->end : 0;
}

bool rsvTime::recordingPowerOff() const {
  const TRsvEle* e = currentEntry();
  return changedPowerOff_ ? *changedPowerOff_ : e && e->powerOff;
}

void rsvTime::onClockChanged() {
  // A dialog holds the scheduler; it measures its own time and the scheduler goes on after it.
  if (modal_ || finishing_ || tState == IDLE) return;
  onTimer();
}

void rsvTime::stopForExit() {
  ports_.timer.stop();
  if (tState == REC || ports_.view.isRecording()) ports_.engine.execOneLine("cFg stopGraph");
  // Nothing is set up or recording any more, so the view may close and clean up.
  tState = IDLE;
}

std::optional<double> rsvTime::nextStart() {
  const TRsvEle* next = findNext();
  return next ? std::optional<double>(next->start) : std::nullopt;
}

bool rsvTime::powerOffFitsBefore(std::optional<double> start) const {
  if (!start) return true;
  const timerIni& s = ports_.settings;
  const double needed = seconds(double(s.powerOffDelaySeconds) + s.wakeLeadSeconds + s.powerOffCountdown);
  return ports_.clock.now() + needed < *start;
}
