#include "form_sel_vcap.h"

#include "grabcore/texts/vcap_texts.h"
#include "winui/text.h"
#include "winui/window_object.h"

namespace {

const wchar_t kClassName[] = L"TFormSelVCap";
constexpr int kClientWidth = 380;
constexpr int kClientHeight = 186;

DriverChoiceSeam* g_seam = nullptr;

void registerClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSW wc{};
  if (GetClassInfoW(instance, kClassName, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
}

HWND child(HWND parent, const wchar_t* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
           HFONT font) {
  HWND c = CreateWindowExW(0, cls, winui::widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

}  // namespace

void setDriverChoiceSeam(DriverChoiceSeam* seam) { g_seam = seam; }

int chooseCaptureDriver() {
  if (g_seam) return g_seam->choose();
  TFormSelVCap form;
  return form.showModal();
}

TFormSelVCap::TFormSelVCap() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  registerClass(instance, windowProc);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  // A caption without border icons, centred on the desktop.
  const DWORD style = WS_POPUP | WS_CAPTION;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, winui::widen(texts::kSelVCapCaption).c_str(), style, x,
                            y, width, height, nullptr, nullptr, instance, this);
  if (!window_) return;

  child(window_, L"STATIC", texts::kSelVCapFound, 0, 16, 12, 348, 18, -1, font);
  child(window_, L"STATIC", texts::kSelVCapChoose, 0, 16, 32, 348, 18, -1, font);
  child(window_, L"BUTTON", "", BS_GROUPBOX, 16, 58, 348, 74, -1, font);
  child(window_, L"BUTTON", texts::kSelVCapWdm, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 32, 78, 316,
                     20, 100, font);
  vfwButton_ = child(window_, L"BUTTON", texts::kSelVCapVfw, BS_AUTORADIOBUTTON, 32, 102, 316, 20, 101, font);
  HWND close = child(window_, L"BUTTON", texts::kSelVCapClose, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 140, 146,
                     100, 28, IDOK, font);
  SendMessageW(vfwButton_, BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(close);
}

TFormSelVCap::~TFormSelVCap() {
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

int TFormSelVCap::showModal() {
  if (!window_) return kDriverChoiceVfw;
  done_ = false;
  result_ = kDriverChoiceVfw;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  MSG msg;
  while (!done_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The application is ending: leave the quit request for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      finish(kDriverChoiceVfw);
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

void TFormSelVCap::finish(int result) {
  result_ = result;
  done_ = true;
}

LRESULT CALLBACK TFormSelVCap::windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* form = winui::windowObject<TFormSelVCap>(window, msg, lParam);
  if (form) {
    switch (msg) {
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
          const bool vfw = SendMessageW(form->vfwButton_, BM_GETCHECK, 0, 0) == BST_CHECKED;
          form->finish(vfw ? kDriverChoiceVfw : kDriverChoiceWdm);
          return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          form->finish(kDriverChoiceVfw);
          return 0;
        }
        break;
      case WM_CLOSE:
        form->finish(kDriverChoiceVfw);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}
