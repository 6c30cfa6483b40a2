#include "rsv_time.h"

#include <algorithm>
#include <cmath>

#include "../../common/oledate.h"
#include "../texts/recdesk_texts.h"
#include "reserve_file.h"
#include "schedule_format.h"

namespace {

constexpr double kOneMillisecond = 1.0 / tavora::kMillisecondsPerDay;
// Two entries name the same occurrence when their times agree within a second.
constexpr double kSameTime = 1.0 / tavora::kSecondsPerDay;

double seconds(double s) { return s / tavora::kSecondsPerDay; }

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

rsvTime::rsvTime(const Ports& ports) : ports_(ports) { loadReservations(); }

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
  if (std::optional<std::vector<uint8_t>> data = ports_.source.read()) list_ = readReserveFile(*data);
  for (TRsvEle& e : list_) e.serial = nextSerial_++;
  const double now = ports_.clock.now();
  ::rollForward(list_, now);
  keepFinished(now);
}

void rsvTime::keepFinished(double now) {
  std::erase_if(finished_, [&](const Occurrence& o) { return o.end < now; });
  bool changed = false;
  for (TRsvEle& e : list_) {
    for (const Occurrence& o : finished_) {
      if (e.done || e.channel != o.channel || std::fabs(e.start - o.start) > kSameTime ||
          std::fabs(e.end - o.end) > kSameTime)
        continue;
      finish(e);
      changed = true;
      break;
    }
  }
  if (changed) ::rollForward(list_, now);
}

void rsvTime::rollForward() { ::rollForward(list_, ports_.clock.now()); }

TRsvEle* rsvTime::findNext() {
  if (list_.empty()) return nullptr;
  rollForward();
  for (TRsvEle& e : list_)
    if (!e.done && e.enabled) return &e;
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

void rsvTime::arm(State state, double target) {
  tState = state;
  due_ = target;
  ports_.timer.start(std::min(timerInterval(ports_.clock.now(), target), kClockRecheckMs));
}

// ---- the states ----

void rsvTime::enter() {
  ports_.timer.stop();
  if (reloadPending_) {
    reloadPending_ = false;
    loadReservations();
  }
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
  if (!e) return enter();
  if (!reached(noticeTime(*e))) return arm(WAIT, noticeTime(*e));
  // The set-up rebuilds the graph the options dialog works on: it closes first.
  ports_.view.closeOptions();
  if (ports_.view.isRecording()) {
    std::optional<int> result = notice(true, true);
    if (!result) return;
    if (*result == 2 || (*result == 1 && ports_.settings.stopManualForReservation)) exitNotice(1);
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
  ports_.engine.startCapture();
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
  dsControl& engine = ports_.engine;
  engine.execOneLine("cFg stopGraph");
  engine.execOneLine("tune setCaption");
  if (mayCloseView && ports_.settings.closeViewAfterRecording) engine.sendMark(4);
  else engine.backToPreview();
  ports_.tray.setTrayIcon(0);
  ports_.tray.setRecordingItems(false);
  finishCurrent(allowPowerOff);
}

void rsvTime::exitIdle() {
  // The timer is off while idle; should it fire, look for a reservation afresh.
  enter();
}

void rsvTime::finishCurrent(bool allowPowerOff) {
  // Out of REC before anything else: a stop arriving during the power-off question must not
  // finish the reservation picked next.
  ports_.timer.stop();
  tState = IDLE;
  bool powerOff = false;
  if (TRsvEle* e = current()) {
    powerOff = allowPowerOff && recordingPowerOff();
    // The occurrence as reserved, whatever end the recording went by, so that a reload knows it.
    finished_.push_back({e->start, e->end, e->channel});
    // A repeating reservation goes on to its next occurrence in this run.
    finish(*e);
  }
  changedEnd_.reset();
  changedPowerOff_.reset();
  current_ = 0;
  rollForward();
  if (reloadPending_) {
    reloadPending_ = false;
    loadReservations();
  }
  bool confirmed = false;
  whileHeld(finishing_, [&] {
    const bool hasNext = pickNext();
    armWakeUp();
    confirmed = powerOff && powerOffFitsBefore(hasNext ? std::optional<double>(current()->start) : std::nullopt) &&
                whileHeld(modal_, [&] { return ports_.dialogs.confirmPowerOff(); });
  });
  if (confirmed) {
    ports_.engine.cleanUp();
    ports_.engine.sendMark(1);
    return;
  }
  // A change that came meanwhile is loaded here.
  enter();
}

void rsvTime::armWakeUp() {
  if (ports_.settings.wakeUpOff()) return;
  const TRsvEle* next = findNext();
  if (!next) return;
  const double wakeTime = next->start - seconds(ports_.settings.wakeLeadSeconds);
  if (ports_.launcher.open(ports_.settings.wakeUpProgram, wakeUpParameters(wakeTime)))
    ports_.launcher.processMessages();
  else
    ports_.dialogs.showError(texts::kWakecallFailed);
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

void rsvTime::onRecOn() {}
void rsvTime::onAcknowledged(int32_t) {}
bool rsvTime::onGraphAbort() { return false; }

void rsvTime::onReservationsChanged() {
  if (modal_ || finishing_) {
    reloadPending_ = true;
    return;
  }
  switch (tState) {
    case WAIT:
      ports_.tray.setTrayIcon(0);
      [[fallthrough]];
    case IDLE:
      ports_.timer.stop();
      loadReservations();
      enter();
      return;
    default:
      reloadPending_ = true;
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
  if (modal_ || tState == IDLE) return;
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
