#include "form_sel_vcap.h"

#include "grabcore/texts/vcap_texts.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kWdm = 100;
constexpr int kVfw = 101;
constexpr int kClose = IDOK;

DriverChoiceSeam* g_seam = nullptr;

winui::Form::Options options() {
  winui::Form::Options o;
  o.className = L"TFormSelVCap";
  o.caption = texts::kSelVCapCaption;
  o.style = kStyle;
  o.exStyle = kExStyle;
  o.bounds = winui::Form::centredBounds(380, 186, kStyle, kExStyle);
  o.messageFont = true;
  return o;
}

}  // namespace

void setDriverChoiceSeam(DriverChoiceSeam* seam) { g_seam = seam; }

int chooseCaptureDriver() {
  if (g_seam) return g_seam->choose();
  try {
    TFormSelVCap form;
    return form.showModal();
  } catch (...) {
    return kDriverChoiceVfw;  // no window for the question: the recommended driver
  }
}

TFormSelVCap::TFormSelVCap() : Form(options()) {
  using winui::Control;
  addControl(Control::label, -1, texts::kSelVCapFound, {16, 12, 348, 18});
  addControl(Control::label, -1, texts::kSelVCapChoose, {16, 32, 348, 18});
  addControl(Control::groupBox, -1, "", {16, 58, 348, 74});
  addControl(Control::radioButton, kWdm, texts::kSelVCapWdm, {32, 78, 316, 20}, WS_GROUP | WS_TABSTOP);
  addControl(Control::radioButton, kVfw, texts::kSelVCapVfw, {32, 102, 316, 20});
  HWND close = addControl(Control::button, kClose, texts::kSelVCapClose, {140, 146, 100, 28}, BS_DEFPUSHBUTTON | WS_GROUP);
  SendMessageW(control(kVfw), BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(close);
}

int TFormSelVCap::showModal() {
  SetForegroundWindow(handle());
  // Any way of closing but the button, and the application ending, count as VfW.
  const int result = Form::showModal();
  return result == kDriverChoiceWdm ? kDriverChoiceWdm : kDriverChoiceVfw;
}

LRESULT TFormSelVCap::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && LOWORD(wParam) == kClose) {
    endModal(checked(kVfw) ? kDriverChoiceVfw : kDriverChoiceWdm);
    return 0;
  }
  if (msg == WM_CLOSE) {
    endModal(kDriverChoiceVfw);
    return 0;
  }
  return defaultHandling(msg, wParam, lParam);
}
