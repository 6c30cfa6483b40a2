#include "form_tuner.h"

#include <commctrl.h>

#include "form_frame.h"
#include "grabcore/texts/tuner_texts.h"
#include "winui/text.h"
#include "winui/window_object.h"

namespace {

TunerDialogs* g_seam = nullptr;

const wchar_t kAutoTuneClass[] = L"TFormAutoTune";
const wchar_t kWaitClass[] = L"TFormWait";
constexpr int kYesId = 10;
constexpr int kNoId = 11;
constexpr int kAntennaId = 100;
constexpr int kCableId = 101;

LRESULT CALLBACK waitProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Nothing on it can be acted on, and it cannot be closed by the user.
  if (msg == WM_CLOSE) return 0;
  return DefWindowProcW(window, msg, wParam, lParam);
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

TFormAutoTune::TFormAutoTune() {
  formframe::registerFormClass(kAutoTuneClass, windowProc);
  font_ = formframe::createMessageFont();
  HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  window_ = formframe::createCentredForm(kAutoTuneClass, texts::kAutoTuneCaption, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST,
                                     214, 152, this);
  if (!window_) return;
  using formframe::addChild;
  addChild(window_, L"STATIC", texts::kAutoTuneQuestion, 0, 8, 8, 198, 32, -1, font);
  addChild(window_, L"BUTTON", texts::kAutoTuneGroup, BS_GROUPBOX, 8, 44, 198, 62, -1, font);
  HWND antenna = addChild(window_, L"BUTTON", texts::kAutoTuneAntenna, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                          20, 62, 170, 18, kAntennaId, font);
  cableButton_ = addChild(window_, L"BUTTON", texts::kAutoTuneCable, BS_AUTORADIOBUTTON, 20, 82, 170, 18, kCableId,
                          font);
  HWND yes = addChild(window_, L"BUTTON", texts::kAutoTuneYes, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 8, 116, 96,
                      28, kYesId, font);
  addChild(window_, L"BUTTON", texts::kAutoTuneNo, BS_PUSHBUTTON | WS_TABSTOP, 110, 116, 96, 28, kNoId, font);
  SendMessageW(antenna, BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(yes);
}

TFormAutoTune::~TFormAutoTune() {
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

int TFormAutoTune::showModal() {
  if (!window_) return kScanNone;
  done_ = false;
  result_ = kScanNone;
  // When the application is ending, the quit request is left for the main loop.
  if (!formframe::runModalLoop(window_, done_)) finish(kScanNone);
  ShowWindow(window_, SW_HIDE);
  return result_;
}

void TFormAutoTune::finish(int result) {
  result_ = result;
  done_ = true;
}

LRESULT CALLBACK TFormAutoTune::windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* form = winui::windowObject<TFormAutoTune>(window, msg, lParam);
  if (form) {
    switch (msg) {
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case kYesId:
            form->finish(SendMessageW(form->cableButton_, BM_GETCHECK, 0, 0) == BST_CHECKED ? kScanCable
                                                                                              : kScanAntenna);
            return 0;
          case kNoId:
          case IDCANCEL:  // Esc: no scan, never a scan of either input
            form->finish(kScanNone);
            return 0;
          default:
            break;
        }
        break;
      case WM_CLOSE:
        form->finish(kScanNone);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

// ---- TFormWait ----

TFormWait::TFormWait(const std::string& caption) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  formframe::registerFormClass(kWaitClass, waitProc);
  window_ = formframe::createCentredForm(kWaitClass, caption.c_str(), WS_EX_DLGMODALFRAME, 257, 30, nullptr);
  if (!window_) return;
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 8, 8, 241, 16, window_, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar_, PBM_SETSTEP, 1, 0);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
}

TFormWait::~TFormWait() {
  if (window_) DestroyWindow(window_);
}

void TFormWait::setCaption(const std::string& caption) {
  SetWindowTextW(window_, winui::widen(caption).c_str());
}

void TFormWait::setMaximum(int32_t maximum) { SendMessageW(bar_, PBM_SETRANGE32, 0, maximum); }

void TFormWait::setPosition(int32_t position) { SendMessageW(bar_, PBM_SETPOS, position, 0); }

void TFormWait::pump() {
  // Bounded, so that a window that never validates cannot hold the scan.
  MSG msg;
  for (int i = 0; i < 64 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i) DispatchMessageW(&msg);
}
