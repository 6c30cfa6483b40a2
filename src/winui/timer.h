// The framework's timer: fires its handler through the message loop (so also inside modal
// loops) every interval, or once when it is a one-shot timer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace winui {

class Timer {
 public:
  enum class Kind { oneShot, repeating };
  explicit Timer(Kind kind, std::function<void()> onFire = {});
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void setHandler(std::function<void()> onFire) { onFire_ = std::move(onFire); }
  // (Re)starts with the interval; an interval of 0 fires as soon as the loop runs.
  void start(uint32_t milliseconds);
  void stop();
  bool running() const { return id_ != 0; }
  uint32_t interval() const { return interval_; }

 private:
  static void CALLBACK timerProc(HWND, UINT, UINT_PTR id, DWORD);
  void fire();
  Kind kind_;
  std::function<void()> onFire_;
  UINT_PTR id_ = 0;
  uint32_t interval_ = 0;
};

}  // namespace winui
