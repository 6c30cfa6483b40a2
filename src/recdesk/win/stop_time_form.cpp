#include "stop_time_form.h"

#include <string>

#include "recdesk/core/stop_time.h"
#include "recdesk/texts/dialog_texts.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
constexpr int kWidth = 217;
constexpr int kHeight = 169;

winui::Form::Options optionsOf(HWND owner, bool stayOnTop) {
  winui::Form::Options options;
  options.className = L"TFormStopTime";
  options.caption = texts::kStopTimeCaption;
  options.style = kStyle;
  options.exStyle = WS_EX_DLGMODALFRAME | (stayOnTop ? WS_EX_TOPMOST : 0);
  options.parent = owner;
  options.bounds = {(GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2,
                    kWidth, kHeight};
  return options;
}

}  // namespace

TFormStopTime::TFormStopTime(HWND owner, const Clock& clock, bool stayOnTop)
    : winui::Form(optionsOf(owner, stayOnTop)),
      clock_(clock),
      DateTimePicker1_(*this, DateTimePicker1, winui::DateTimePicker::Format::timeOnly, {72, 8, 120, 22}) {
  addControl(winui::Control::label, Label1, texts::kStopTimeLabel, {8, 12, 60, 16});
  addControl(winui::Control::label, Label2, texts::kStopTimeLeft, {8, 40, 96, 16});
  addControl(winui::Control::label, Label3, "", {104, 40, 48, 16}, SS_RIGHT);
  addControl(winui::Control::label, Label4, texts::kStopTimeMinutes, {156, 40, 30, 16});
  addControl(winui::Control::checkBox, CheckBox1, texts::kStopTimePowerOff, {8, 62, 192, 18});
  addControl(winui::Control::checkBox, CheckBox2, texts::kStopTimeDrop, {8, 84, 192, 18});
  addControl(winui::Control::button, Button1, texts::kStopTimeChange, {8, 108, 92, 25});
  addControl(winui::Control::button, Button2, texts::kStopTimeKeep, {108, 108, 92, 25});
  // "変更しない" first in tab order, with the focus when shown.
  SetWindowPos(control(Button2), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DateTimePicker1_.onChange([this] { DateTimePicker1Change(); });
  onClick(CheckBox2, [this] { CheckBox2Click(); });
  onClick(Button1, [this] { endModal(1); });
  onClick(Button2, [this] { endModal(2); });
}

void TFormStopTime::setStopTime(double when, double now) {
  DateTimePicker1_.setValue(when);
  setText(Label3, std::to_string(minutesToStop(when, now)));
}

void TFormStopTime::DateTimePicker1Change() {
  setText(Label3, std::to_string(minutesToStop(DateTimePicker1_.value(), clock_.now())));
}

void TFormStopTime::CheckBox2Click() {
  const bool drop = checked(CheckBox2);
  if (!drop) DateTimePicker1Change();
  EnableWindow(DateTimePicker1_.handle(), !drop);
  setEnabled(CheckBox1, !drop);
  for (int id : {Label2, Label3, Label4}) ShowWindow(control(id), drop ? SW_HIDE : SW_SHOW);
}

int TFormStopTime::run() {
  show();
  SetFocus(control(Button2));
  const int result = showModal();
  return result == 1 ? 1 : 2;
}
