#include "notice_form.h"

#include "countdown_form.h"
#include "recdesk/core/countdown.h"
#include "recdesk/texts/recdesk_texts.h"

namespace {

constexpr int kClientWidth = 233;
constexpr int kClientHeight = 158;
constexpr int kManualClientHeight = 127;

}  // namespace

TForm4::TForm4(const timerIni& settings, const Clock& clock, bool stayOnTop, std::function<void()> muteDown)
    : winui::Form(countdownFormOptions(L"TForm4", texts::kNoticeCaption, kClientWidth, kClientHeight, stayOnTop)),
      settings_(settings),
      clock_(clock),
      muteDown_(std::move(muteDown)),
      Timer1(winui::Timer::Kind::oneShot, [this] { Timer1Timer(); }) {
  addControl(winui::Control::label, Label1, "", {8, 6, 64, 22}, SS_RIGHT);
  addControl(winui::Control::label, Label2, texts::kNoticeSecondsToStart, {76, 12, 150, 16});
  addControl(winui::Control::label, Label3, texts::kNoticeAdvice, {8, 32, 217, 28});
  addControl(winui::Control::button, Button1, texts::kNoticeRecord, {8, 64, 217, 25});
  addControl(winui::Control::button, Button2, texts::kNoticeWatchTv, {8, 96, 217, 25});
  addControl(winui::Control::button, Button3, texts::kNoticeNeither, {8, 128, 217, 25});
  bigFont_ = CreateFontW(-18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Shell Dlg");
  SendMessageW(control(Label1), WM_SETFONT, reinterpret_cast<WPARAM>(bigFont_), FALSE);
  for (int id : {Button1, Button2, Button3}) onClick(id, [this, id] { close(id - Button1 + 1); });
}

TForm4::~TForm4() {
  Timer1.stop();
  SendMessageW(control(Label1), WM_SETFONT, 0, FALSE);
  if (bigFont_) DeleteObject(bigFont_);
}

void TForm4::setManualLayout() {
  setText(Label2, texts::kNoticeManualSeconds);
  setText(Label3, std::string(texts::kNoticeManualHead) +
                      (settings_.stopManualForReservation ? texts::kNoticeManualWord : texts::kNoticeReservedWord) +
                      texts::kNoticeManualTail);
  ShowWindow(control(Button1), SW_HIDE);
  setText(Button2, texts::kNoticeStopManual);
  setText(Button3, texts::kNoticeKeepManual);
  MoveWindow(control(Button2), 8, 64, 217, 25, TRUE);
  MoveWindow(control(Button3), 8, 96, 217, 25, TRUE);
  setClientHeight(handle(), kManualClientHeight);
}

void TForm4::startCountdown(double when) {
  start = when;
  deadline = when - settings_.setupLeadSeconds / 86400.0;
  const double now = clock_.now();
  setText(Label1, std::to_string(wholeSecondsTo(now, start)));
  Timer1.start(noticeFirstTick(now, deadline));
}

void TForm4::Timer1Timer() {
  Timer1.stop();
  const double now = clock_.now();
  if (now >= deadline) {
    if (muteDown_) muteDown_();
    return close(1);
  }
  setText(Label1, std::to_string(wholeSecondsTo(now, start)));
  Timer1.start(noticeNextTick(now, deadline));
}

void TForm4::close(int result) {
  Timer1.stop();
  endModal(result);
}

// The program's end cancels: no set-up starts during the exit.
int TForm4::run() { return showInFront(*this, 3); }
