#include "power_off_form.h"

#include <string>

#include "countdown_form.h"
#include "recdesk/texts/recdesk_texts.h"

namespace {
constexpr uint32_t kTickMs = 1000;
}

TForm5::TForm5(int seconds, bool stayOnTop)
    : winui::Form(countdownFormOptions(L"TForm5", texts::kPowerOffCaption, 250, 120, stayOnTop)),
      Timer1(winui::Timer::Kind::repeating, [this] { Timer1Timer(); }) {
  addControl(winui::Control::label, Label1, texts::kPowerOffQuestion, {16, 12, 218, 16});
  addControl(winui::Control::label, Label2, texts::kPowerOffBefore, {16, 40, 120, 16});
  addControl(winui::Control::label, Label3, "", {136, 40, 40, 16}, SS_RIGHT);
  addControl(winui::Control::label, Label4, texts::kPowerOffUnit, {180, 40, 24, 16});
  addControl(winui::Control::button, Button1, texts::kPowerOffYes, {40, 76, 75, 25});
  addControl(winui::Control::button, Button2, texts::kPowerOffNo, {135, 76, 75, 25});
  onClick(Button1, [this] { close(IDYES); });
  onClick(Button2, [this] { close(IDNO); });
  count = seconds;
  setText(Label3, std::to_string(count));
  Timer1.start(kTickMs);
}

void TForm5::Timer1Timer() {
  count -= 1;
  setText(Label3, std::to_string(count));
  // A setting of 0 runs out at the first tick instead of waiting for ever.
  if (count <= 0) close(IDYES);
}

void TForm5::close(int result) {
  Timer1.stop();
  endModal(result);
}

int TForm5::run() { return showInFront(*this, IDNO); }
