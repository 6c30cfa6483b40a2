// What the engine's dialogs share: the window class, a caption-only frame centred on the
// desktop, child controls in the message font, and the modal loop that still dispatches every
// message.
#pragma once

#include <windows.h>

namespace formframe {

// Registers a form's window class once (button-face background, arrow cursor).
void registerFormClass(const wchar_t* name, WNDPROC proc);
// A popup with a caption and no border icons, its client area width x height, centred on the
// desktop; object is handed to the window procedure (see windowObject).
HWND createCentredForm(const wchar_t* cls, const char* caption, DWORD exStyle, int clientWidth, int clientHeight,
                       void* object);
// A visible child control with a Shift-JIS text, in the font given.
HWND addChild(HWND parent, const wchar_t* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
              HFONT font);
// The system's message font (the caller deletes it), or null.
HFONT createMessageFont();
// Shows the form and dispatches messages until done is set. When the application is ending the
// quit request is left for the main loop and false is answered.
bool runModalLoop(HWND form, const bool& done);

}  // namespace formframe
