#include "scheduler_dialogs.h"

#include <windows.h>

#include "notice_form.h"
#include "power_off_form.h"
#include "winui/dialogs.h"

void FormSchedulerDialogs::beep() { MessageBeep(MB_ICONQUESTION); }

int FormSchedulerDialogs::showNotice(bool manualLayout, double start, bool) {
  // The dialog has no owner window whoever asks: it must show over every program.
  TForm4 notice(settings_, clock_, stayOnTop(), view_.setMuteDown);
  if (manualLayout) notice.setManualLayout();
  notice.startCountdown(start);
  return notice.run();
}

bool FormSchedulerDialogs::confirmPowerOff() {
  TForm5 question(settings_.powerOffCountdown, stayOnTop());
  return question.run() == IDYES;
}

void FormSchedulerDialogs::showError(const std::string& text) {
  winui::messageBoxDefaultCaption(nullptr, text, MB_OK | MB_ICONERROR);
}
