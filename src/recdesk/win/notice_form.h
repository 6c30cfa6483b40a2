// TForm4: the notice before a reserved recording. It counts down to the set-up deadline and
// lets the user record, cancel and watch TV, or cancel; running out records.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "recdesk/core/ports.h"
#include "recdesk/core/timer_ini.h"
#include "winui/form.h"
#include "winui/timer.h"

class TForm4 : public winui::Form {
 public:
  enum ControlId { Label1 = 1, Label2, Label3, Button1, Button2, Button3 };

  // muteDown: sets the TV view's mute button down when the countdown runs out.
  TForm4(const timerIni& settings, const Clock& clock, bool stayOnTop, std::function<void()> muteDown);
  ~TForm4() override;

  // The layout used while a manual recording runs (before startCountdown).
  void setManualLayout();
  void startCountdown(double start);
  // Shown modally in front of other programs: 1 record, 2 cancel and watch TV, 3 cancel (also
  // when the program ends).
  int run();

  double start = 0;
  double deadline = 0;
  const winui::Timer& timer() const { return Timer1; }

 private:
  void Timer1Timer();
  void close(int result);

  const timerIni& settings_;
  const Clock& clock_;
  std::function<void()> muteDown_;
  HFONT bigFont_ = nullptr;
  winui::Timer Timer1;
};
