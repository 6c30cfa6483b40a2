#include "form_tuner.h"

#include <commctrl.h>

#include "grabcore/texts/tuner_texts.h"
#include "winui/pump.h"

namespace {

TunerDialogs* g_seam = nullptr;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr int kYesId = 10;
constexpr int kNoId = 11;
constexpr int kAntennaId = 100;
constexpr int kCableId = 101;
constexpr int kBarId = 1;

winui::Form::Options formOptions(const wchar_t* className, const std::string& caption, DWORD exStyle, int width,
                                 int height) {
  winui::Form::Options o;
  o.className = className;
  o.caption = caption;
  o.style = kStyle;
  o.exStyle = exStyle;
  o.bounds = winui::Form::centredBounds(width, height, kStyle, exStyle);
  o.messageFont = true;
  return o;
}

}  // namespace

void setTunerDialogSeam(TunerDialogs* seam) { g_seam = seam; }

int WinTunerDialogs::askScan() {
  if (g_seam) return g_seam->askScan();
  TFormAutoTune form;
  return form.showModal();
}

std::unique_ptr<ScanProgress> WinTunerDialogs::openProgress(const std::string& caption) {
  if (g_seam) return g_seam->openProgress(caption);
  return std::make_unique<TFormWait>(caption);
}

// ---- TFormAutoTune ----

TFormAutoTune::TFormAutoTune()
    : Form(formOptions(L"TFormAutoTune", texts::kAutoTuneCaption, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, 214, 152)) {
  using winui::Control;
  addControl(Control::label, -1, texts::kAutoTuneQuestion, {8, 8, 198, 32});
  addControl(Control::groupBox, -1, texts::kAutoTuneGroup, {8, 44, 198, 62});
  addControl(Control::radioButton, kAntennaId, texts::kAutoTuneAntenna, {20, 62, 170, 18}, WS_GROUP | WS_TABSTOP);
  addControl(Control::radioButton, kCableId, texts::kAutoTuneCable, {20, 82, 170, 18});
  HWND yes = addControl(Control::button, kYesId, texts::kAutoTuneYes, {8, 116, 96, 28}, BS_DEFPUSHBUTTON | WS_GROUP);
  addControl(Control::button, kNoId, texts::kAutoTuneNo, {110, 116, 96, 28});
  SendMessageW(control(kAntennaId), BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(yes);
}

int TFormAutoTune::showModal() {
  // Closing it otherwise means no scan; the application's end is no answer at all.
  const int result = Form::showModal(kScanEnded);
  return result == kScanAntenna || result == kScanCable || result == kScanEnded ? result : kScanNone;
}

LRESULT TFormAutoTune::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    endModal(kScanNone);
    return 0;
  }
  if (msg == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case kYesId:
        endModal(checked(kCableId) ? kScanCable : kScanAntenna);
        return 0;
      case kNoId:
        endModal(kScanNone);
        return 0;
      default:
        break;
    }
  }
  return defaultHandling(msg, wParam, lParam);
}

// ---- TFormWait ----

TFormWait::TFormWait(const std::string& caption)
    : Form(formOptions(L"TFormWait", caption, WS_EX_DLGMODALFRAME, 257, 30)) {
  addControl(winui::Control::progressBar, kBarId, "", {8, 8, 241, 16});
  setProgressRange(kBarId, 100);
  SendMessageW(control(kBarId), PBM_SETSTEP, 1, 0);
  SetWindowPos(handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(handle());
  UpdateWindow(handle());
}

void TFormWait::setCaption(const std::string& caption) { Form::setCaption(caption); }
void TFormWait::setMaximum(int32_t maximum) { setProgressRange(kBarId, maximum); }
void TFormWait::setPosition(int32_t position) { setProgressPosition(kBarId, position); }
void TFormWait::pump() { winui::processPaintMessages(); }

LRESULT TFormWait::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) return 0;
  return defaultHandling(msg, wParam, lParam);
}
