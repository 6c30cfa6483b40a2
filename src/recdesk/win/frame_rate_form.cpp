#include "frame_rate_form.h"

#include <commctrl.h>

#include "recdesk/core/frame_rate.h"
#include "recdesk/texts/dialog_texts.h"
#include "winui/dialogs.h"
#include "winui/guard.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_DLGFRAME;
constexpr int kClientWidth = 270;
constexpr int kClientHeight = 78;
constexpr UINT_PTR kEditSubclass = 1;

winui::Form::Options optionsOf(HWND owner, bool stayOnTop) {
  winui::Form::Options options;
  options.className = L"TFormFRate";
  options.caption = texts::kFrameRateCaption;
  options.style = kStyle;
  options.exStyle = WS_EX_DLGMODALFRAME | (stayOnTop ? WS_EX_TOPMOST : 0);
  options.parent = owner;
  options.bounds = winui::Form::centredBounds(kClientWidth, kClientHeight, kStyle, options.exStyle);
  return options;
}

}  // namespace

TFormFRate::TFormFRate(HWND owner, dsControl& engine, std::function<std::string()> reportedRate, bool stayOnTop)
    : winui::Form(optionsOf(owner, stayOnTop)), engine_(engine), reportedRate_(std::move(reportedRate)) {
  addControl(winui::Control::label, Bevel1, "", {0, 41, kClientWidth, 2}, SS_ETCHEDHORZ);
  addControl(winui::Control::edit, Edit1, "", {48, 10, 96, 21});
  addControl(winui::Control::label, Label2, texts::kFrameRateUnit, {152, 14, 100, 16});
  addControl(winui::Control::button, Button1, texts::kFrameRateOk, {96, 48, 75, 25});
  addControl(winui::Control::button, Button2, texts::kFrameRateCancel, {184, 48, 75, 25});
  SetWindowSubclass(control(Edit1), editProc, kEditSubclass, reinterpret_cast<DWORD_PTR>(this));
  onClick(Button1, [this] { Button1Click(); });
  onClick(Button2, [this] { endModal(2); });
}

TFormFRate::~TFormFRate() { RemoveWindowSubclass(control(Edit1), editProc, kEditSubclass); }

int TFormFRate::run() {
  FormShow();
  show();
  SetFocus(control(Edit1));
  return showModal() == 1 ? 1 : 2;
}

void TFormFRate::FormShow() { setText(Edit1, reportedRate_ ? reportedRate_() : std::string()); }

void TFormFRate::Edit1Click() { SendMessageW(control(Edit1), EM_SETSEL, 0, -1); }

bool TFormFRate::Edit1KeyDown(WPARAM key) {
  if (key == VK_RETURN) {
    click(Button1);
    return true;
  }
  if (key == VK_ESCAPE) {
    click(Button2);
    return true;
  }
  return false;
}

void TFormFRate::Button1Click() {
  const std::string rate = text(Edit1);
  if (isPositiveNumber(rate)) {
    engine_.execOneLine("cVCap setFrameRate " + rate);
    endModal(1);
    return;
  }
  winui::messageBox(handle(), texts::kFrameRateInvalid, MB_OK | MB_ICONWARNING);
  FormShow();
}

bool TFormFRate::isPositiveNumber(const std::string& text) { return isApplicableFrameRate(text); }

LRESULT CALLBACK TFormFRate::editProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* form = reinterpret_cast<TFormFRate*>(self);
  switch (msg) {
    case WM_KEYDOWN:
      if (winui::guarded([&] { return form->Edit1KeyDown(wParam); }, false)) return 0;
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == 0x1B) return 0;  // taken as OK or Cancel; no beep
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = DefSubclassProc(edit, msg, wParam, lParam);
      winui::guardedCall([&] { form->Edit1Click(); });
      return result;
    }
  }
  return DefSubclassProc(edit, msg, wParam, lParam);
}
