#include "countdown_form.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_DLGFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

RECT centredWindow(int clientWidth, int clientHeight, DWORD exStyle) {
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, exStyle);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  return {(GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h};
}

}  // namespace

winui::Form::Options countdownFormOptions(const wchar_t* className, const char* caption, int clientWidth,
                                          int clientHeight, bool stayOnTop) {
  winui::Form::Options options;
  options.className = className;
  options.caption = caption;
  options.style = kStyle;
  options.exStyle = kExStyle | (stayOnTop ? WS_EX_TOPMOST : 0);
  options.bounds = centredWindow(clientWidth, clientHeight, options.exStyle);
  // No close box: a close by the keyboard would end the notice as a cancel, dropping the
  // reservation, and the power-off question as not answered.
  options.closable = false;
  options.dialogKeys = false;  // nor by a key that would click a focused button
  // A box opened over it (the engine's end) leaves its buttons usable while its time runs.
  options.ownsBoxes = false;
  return options;
}

void setClientHeight(HWND dialog, int clientHeight) {
  RECT client;
  GetClientRect(dialog, &client);
  const RECT r = centredWindow(client.right, clientHeight, static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, r.left, r.top, r.right, r.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

int showInFront(winui::Form& dialog, int resultOnQuit) {
  ShowWindow(dialog.handle(), SW_SHOW);
  SetForegroundWindow(dialog.handle());
  SetActiveWindow(dialog.handle());
  return dialog.showModal(resultOnQuit);
}
