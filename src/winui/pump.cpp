#include "pump.h"

#include "dialog_keys.h"
#include "guard.h"

namespace winui {

namespace {
KeyHook& keyHook() {
  static KeyHook hook;
  return hook;
}

bool isKey(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

// The hook sees each key once, whichever loop takes it.
bool hooked(const MSG& msg) {
  return isKey(msg.message) && keyHook() && guarded([&] { return keyHook()(msg); }, false);
}

// A message past the hook: a dialog's keys, else to its window.
void deliver(MSG& msg, HWND modal) {
  const bool taken = isKey(msg.message) && ((modal && dialogKey(modal, msg)) || modelessKey(msg));
  if (!taken) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  frameFollowsFocus(modal);
}
}  // namespace

void setKeyHook(KeyHook hook) { keyHook() = std::move(hook); }

void dispatch(MSG& msg) {
  if (!hooked(msg)) deliver(msg, nullptr);
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
    if (!hooked(msg)) deliver(msg, dialog);
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
