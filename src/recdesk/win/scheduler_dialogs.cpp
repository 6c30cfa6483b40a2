#include "scheduler_dialogs.h"

#include <windows.h>

#include "notice_form.h"
#include "power_off_form.h"
#include "winui/dialogs.h"

template <class F>
auto FormSchedulerDialogs::whileOpen(F&& run) {
  struct Told {
    const std::function<void(bool)>& tell;
    explicit Told(const std::function<void(bool)>& t) : tell(t) {
      if (tell) tell(true);
    }
    ~Told() {
      if (tell) tell(false);
    }
  } told(view_.countdownOpen);
  return run();
}

void FormSchedulerDialogs::beep() { MessageBeep(MB_ICONQUESTION); }

int FormSchedulerDialogs::showNotice(bool manualLayout, double start, bool) {
  // The dialog has no owner window whoever asks: it must show over every program.
  TForm4 notice(settings_, clock_, stayOnTop(), view_.setMuteDown);
  if (manualLayout) notice.setManualLayout();
  notice.startCountdown(start);
  return whileOpen([&] { return notice.run(); });
}

bool FormSchedulerDialogs::confirmPowerOff() {
  TForm5 question(settings_.powerOffCountdown, stayOnTop());
  return whileOpen([&] { return question.run(); }) == IDYES;
}

void FormSchedulerDialogs::showError(const std::string& text) {
  winui::messageBox(nullptr, text, MB_OK | MB_ICONERROR);
}
