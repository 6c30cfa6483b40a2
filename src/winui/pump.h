// The application's message processing: the main loop, the loops of modal forms and the pump
// between steps of long work all dispatch through here, so the key hook sees every key.
#pragma once

#include <windows.h>

#include <functional>

namespace winui {

// The application-wide key hook: sees every key message first; true consumes it.
using KeyHook = std::function<bool(const MSG&)>;
void setKeyHook(KeyHook hook);

// Marks a top-level window as a dialog: shown without a loop of its own, Tab and Shift+Tab move
// the focus among its controls.
void setDialog(HWND window, bool dialog);

// Translates and dispatches one message, offering keys to the hook first.
void dispatch(MSG& msg);
// Dispatches every pending message. A quit request is left in the queue for the main loop.
void processMessages();
// The main loop: until WM_QUIT; returns its exit code.
int runMessageLoop();
// A nested loop until done() holds or a quit request comes (left in the queue); false then.
// With a dialog window, its keys (Tab, Shift+Tab, Enter, Esc) act as in a dialog.
bool runLoopUntil(const std::function<bool()>& done, HWND dialog = nullptr);
// Dispatches only what repaints windows, a bounded number of times: a window that shows progress
// during long work stays drawn while requests wait for the work to end.
void processPaintMessages();

}  // namespace winui
