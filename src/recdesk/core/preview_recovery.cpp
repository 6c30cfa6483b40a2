// The way back to the preview after a failed or cancelled start. A device error in the engine
// shows its box and runs the whole undo list: every object, the mixer's too, is gone, and the
// usual way back (preView3.cmd on the objects kept) would only name missing objects. So the
// way back first asks the mixer for its mute, with a mark behind: no answer by the mark means
// that the objects are gone, and the preview is built anew from the first preview's files. The
// view's volume bar and mute button take input only while the engine answers for its mixer.
#include "../../common/messages.h"
#include "ds_control.h"

namespace {
// The mark behind each question; the recorder's other marks are 1 to 5.
constexpr int kRecoveryMark = 6;
}  // namespace

void dsControl::askForMixer(Recovery next) {
  recovery_ = next;
  recoveryEpoch_ = previewEpoch_;
  // Counted from the question on: answers to earlier requests have come by then.
  afterQueued([this] { mixerAnswered_ = false; });
  getMute();
  sendMark(kRecoveryMark);
}

void dsControl::cancelToPreview() { askForMixer(Recovery::probing); }

void dsControl::observe(unsigned msg, uint64_t wParam) {
  if (msg == tvr::TVR_MUTE) mixerAnswered_ = true;
  if (msg != tvr::TVR_MARK || wParam != kRecoveryMark || recovery_ == Recovery::none) return;
  const Recovery step = recovery_;
  recovery_ = Recovery::none;
  // Taken up again after the wait: a close, a new preview or a set-up queued since has taken
  // the engine's objects over.
  if (previewEpoch_ != recoveryEpoch_ || !view_.isShown()) return;
  view_.mixerAvailable(mixerAnswered_);
  if (step == Recovery::rebuilt) return;  // built once; a second failure is the engine's to show
  if (mixerAnswered_) {
    execOneLine("cFg stopGraph");
    backToPreview();
    return;
  }
  // Whatever is left goes first, so that the first preview's files make every object afresh.
  execOneLine("clean");
  firstPreview();
  execOneLine("tune setCh");
  restoreSysVolMute();
  askForMixer(Recovery::rebuilt);  // after firstPreview, whose own change it is
}
