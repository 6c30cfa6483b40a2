#include "timer.h"

#include <map>

#include "guard.h"

namespace winui {

namespace {
// Thread timers carry no object: the running ones by their id.
std::map<UINT_PTR, Timer*>& runningTimers() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}
}  // namespace

Timer::Timer(Kind kind, std::function<void()> onFire) : kind_(kind), onFire_(std::move(onFire)) {}

Timer::~Timer() { stop(); }

void Timer::start(uint32_t milliseconds) {
  stop();
  interval_ = milliseconds;
  id_ = SetTimer(nullptr, 0, milliseconds == 0 ? USER_TIMER_MINIMUM : milliseconds, &Timer::timerProc);
  if (id_ != 0) runningTimers()[id_] = this;
}

void Timer::stop() {
  if (id_ == 0) return;
  KillTimer(nullptr, id_);
  runningTimers().erase(id_);
  id_ = 0;
}

void Timer::fire() {
  if (kind_ == Kind::oneShot) stop();
  if (onFire_) guardedCall(onFire_);
}

void CALLBACK Timer::timerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = runningTimers().find(id);
  if (found != runningTimers().end()) found->second->fire();
}

}  // namespace winui
