#include "pump.h"

#include <set>

#include "guard.h"

namespace winui {

namespace {
KeyHook& keyHook() {
  static KeyHook hook;
  return hook;
}

bool isKey(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

std::set<HWND>& dialogs() {
  static std::set<HWND> windows;
  return windows;
}

bool wants(HWND control, MSG& msg, LRESULT codes) {
  return (SendMessageW(control, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & codes) != 0;
}

// Tab and Shift+Tab move on from the control the key was typed in, unless it wants them.
bool tabKey(HWND dialog, MSG& msg) {
  if (msg.wParam != VK_TAB || (msg.message != WM_KEYDOWN && msg.message != WM_CHAR)) return false;
  if (wants(msg.hwnd, msg, DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (msg.message == WM_CHAR) return true;
  const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  HWND next = GetNextDlgTabItem(dialog, msg.hwnd == dialog ? nullptr : msg.hwnd, back);
  if (!next) return true;
  SetFocus(next);
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
  return true;
}

// Tab and Shift+Tab in a dialog shown without its own loop.
bool modelessTab(MSG& msg) {
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root && dialogs().count(root) && tabKey(root, msg);
}

bool pushButton(HWND window) {
  return IsWindowEnabled(window) &&
         (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

HWND defaultButton(HWND dialog) {
  const LRESULT id = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(id) != DC_HASDEFID) return nullptr;
  HWND button = GetDlgItem(dialog, LOWORD(id));
  return button && IsWindowVisible(button) && IsWindowEnabled(button) ? button : nullptr;
}

// Enter and Esc of a modal form, taken before the focused control unless it wants them (an open
// drop-down list, a memo): Esc closes the form as its close box does; Enter clicks the focused
// push button, else the default one. The dialog manager's own answer would click the controls
// whose ids happen to be IDOK and IDCANCEL. Tab and Shift+Tab move on from the control the key
// was typed in (not from the focus, which another program's window may have taken meanwhile);
// the arrows go to the dialog manager.
bool dialogKey(HWND dialog, MSG& msg) {
  if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) return false;
  if (tabKey(dialog, msg)) return true;
  const bool enterOrEsc = msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE;
  if (!enterOrEsc) return IsDialogMessageW(dialog, &msg) != FALSE;
  if (msg.message != WM_KEYDOWN || wants(msg.hwnd, msg, DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) return false;
  if (msg.wParam == VK_ESCAPE) {
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    return true;
  }
  HWND button = pushButton(msg.hwnd) ? msg.hwnd : defaultButton(dialog);
  if (!button) return false;
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}
}  // namespace

void setKeyHook(KeyHook hook) { keyHook() = std::move(hook); }

void setDialog(HWND window, bool dialog) {
  if (dialog) dialogs().insert(window);
  else dialogs().erase(window);
}

void dispatch(MSG& msg) {
  if (isKey(msg.message) && keyHook() && guarded([&] { return keyHook()(msg); }, false)) return;
  if (isKey(msg.message) && modelessTab(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void processMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    dispatch(msg);
  }
}

int runMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) dispatch(msg);
  return static_cast<int>(msg.wParam);
}

bool runLoopUntil(const std::function<bool()>& done, HWND dialog) {
  MSG msg;
  while (!done()) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (dialog && isKey(msg.message) && keyHook() && guarded([&] { return keyHook()(msg); }, false)) continue;
    if (dialog && isKey(msg.message) && dialogKey(dialog, msg)) continue;
    dispatch(msg);
  }
  return true;
}

void processPaintMessages() {
  MSG msg;
  for (int i = 0; i < 64 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchMessageW(&msg);
  }
}

}  // namespace winui
