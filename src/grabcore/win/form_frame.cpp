#include "form_frame.h"

#include "winui/text.h"

namespace formframe {

void registerFormClass(const wchar_t* name, WNDPROC proc) {
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

HWND createCentredForm(const wchar_t* cls, const char* caption, DWORD exStyle, int clientWidth, int clientHeight,
                       void* object) {
  const DWORD style = WS_POPUP | WS_CAPTION;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  return CreateWindowExW(exStyle, cls, winui::widen(caption).c_str(), style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                         GetModuleHandleW(nullptr), object);
}

HWND addChild(HWND parent, const wchar_t* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
              HFONT font) {
  HWND c = CreateWindowExW(0, cls, winui::widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

HFONT createMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

bool runModalLoop(HWND form, const bool& done) {
  ShowWindow(form, SW_SHOW);
  SetForegroundWindow(form);
  MSG msg;
  while (!done) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (!IsDialogMessageW(form, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

}  // namespace formframe
