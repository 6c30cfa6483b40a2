// The recorder's end of the engine link: the transport of the request queue, the engine
// process kept and watched, and the acknowledgement timer.
#pragma once

#include <windows.h>

#include <functional>

#include "recdesk/core/ports.h"
#include "winui/timer.h"

class EngineLink : public EngineTransport {
 public:
  explicit EngineLink(HWND self) : self_(self) {}
  void setEngineWindow(HWND engine) { engine_ = engine; }
  HWND engineWindow() const { return engine_; }

  bool engineKnown() const override { return engine_ != nullptr; }
  void sendCopyData(int32_t id, const std::vector<char>& bytes) override;
  void postRequest(int32_t msg, uintptr_t value, int32_t id) override;

 private:
  HWND self_;
  HWND engine_ = nullptr;
};

// The engine started as "grabcore <window>" by the search path; its process handle is kept so
// that its end is noticed.
class EngineProcess {
 public:
  // Throws with the start failure's text when the program cannot be started.
  EngineProcess(HWND frontWindow, std::function<void()> onEnded);
  ~EngineProcess();
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;

  bool alive() const;
  // Waits, bounded, for the process to end.
  bool waitForEnd(DWORD milliseconds) const;

 private:
  HANDLE process_ = nullptr;
  std::function<void()> onEnded_;
  winui::Timer watch_;
};

class WinTimer : public OneShotTimer {
 public:
  explicit WinTimer(std::function<void()> onFire) : timer_(winui::Timer::Kind::oneShot, std::move(onFire)) {}
  void start(uint32_t milliseconds) override { timer_.start(milliseconds); }
  void stop() override { timer_.stop(); }

 private:
  winui::Timer timer_;
};

// Asked after a long wait for an acknowledgement: a living, responsive engine may be running a
// long request (a channel scan takes minutes), so the user is asked only when it is not.
class WinEngineWatch : public EngineWatch {
 public:
  WinEngineWatch(const EngineProcess& process, const EngineLink& link) : process_(process), link_(link) {}
  bool engineNotAnswering(unsigned waitedSeconds) override;

 private:
  const EngineProcess& process_;
  const EngineLink& link_;
};
