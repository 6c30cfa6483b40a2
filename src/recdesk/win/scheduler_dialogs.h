// The scheduler's dialogs on the form layer: the notice (TForm4) and the power-off countdown
// (TForm5), built for each question and freed after it; errors in a plain box.
#pragma once

#include <functional>

#include "recdesk/core/ports.h"
#include "recdesk/core/timer_ini.h"

class FormSchedulerDialogs : public SchedulerDialogs {
 public:
  // What the dialogs need of the TV view: whether it stays on top, its mute button set down, and
  // told while a countdown is open (they have no owner, so the view and the tray refuse then).
  struct View {
    std::function<bool()> stayOnTop;
    std::function<void()> setMuteDown;
    std::function<void(bool)> countdownOpen;
  };
  FormSchedulerDialogs(const timerIni& settings, const Clock& clock, View view)
      : settings_(settings), clock_(clock), view_(std::move(view)) {}

  void beep() override;
  int showNotice(bool manualLayout, double start, bool ownedByView) override;
  bool confirmPowerOff() override;
  void showError(const std::string& text) override;

 private:
  bool stayOnTop() const { return view_.stayOnTop && view_.stayOnTop(); }
  // Runs a countdown with the view told, also when it fails.
  template <class F>
  auto whileOpen(F&& run);
  const timerIni& settings_;
  const Clock& clock_;
  View view_;
};
