#include "form_tuner.h"

#include <commctrl.h>

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

void registerClass(const wchar_t* name, WNDPROC proc) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  if (GetClassInfoW(instance, name, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

// A caption without border icons, the client area given, centred on the desktop.
HWND createCentred(const wchar_t* cls, const char* caption, DWORD exStyle, int clientWidth, int clientHeight,
                   void* object) {
  const DWORD style = WS_POPUP | WS_CAPTION;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  return CreateWindowExW(exStyle, cls, winui::widen(caption).c_str(), style,
                         (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                         width, height, nullptr, nullptr, GetModuleHandleW(nullptr), object);
}

HWND child(HWND parent, const wchar_t* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
           HFONT font) {
  HWND c = CreateWindowExW(0, cls, winui::widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

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
  registerClass(kAutoTuneClass, windowProc);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  window_ = createCentred(kAutoTuneClass, texts::kAutoTuneCaption, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, 214, 152,
                          this);
  if (!window_) return;
  child(window_, L"STATIC", texts::kAutoTuneQuestion, 0, 8, 8, 198, 32, -1, font);
  child(window_, L"BUTTON", texts::kAutoTuneGroup, BS_GROUPBOX, 8, 44, 198, 62, -1, font);
  HWND antenna = child(window_, L"BUTTON", texts::kAutoTuneAntenna, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 20,
                       62, 170, 18, kAntennaId, font);
  cableButton_ = child(window_, L"BUTTON", texts::kAutoTuneCable, BS_AUTORADIOBUTTON, 20, 82, 170, 18, kCableId, font);
  HWND yes = child(window_, L"BUTTON", texts::kAutoTuneYes, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 8, 116, 96, 28,
                   kYesId, font);
  child(window_, L"BUTTON", texts::kAutoTuneNo, BS_PUSHBUTTON | WS_TABSTOP, 110, 116, 96, 28, kNoId, font);
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
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  MSG msg;
  while (!done_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The application is ending: leave the quit request for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      finish(kScanNone);
      break;
    }
    if (!IsDialogMessageW(window_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
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
  registerClass(kWaitClass, waitProc);
  window_ = createCentred(kWaitClass, caption.c_str(), WS_EX_DLGMODALFRAME, 257, 30, nullptr);
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
