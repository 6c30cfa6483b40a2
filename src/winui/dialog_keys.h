// The keys of a dialog, as Windows users know them, for our forms, which are plain windows and
// not the dialog manager's: Tab and Shift+Tab, Enter and Esc, the arrows in a radio group, the
// default button's frame, and the dialog manager's own request WM_NEXTDLGCTL. Used by the message
// loops (pump.cpp) and the forms (form.cpp).
#pragma once

#include <windows.h>

namespace winui {

// A modal form's keys, before the focused control; true when taken.
bool dialogKey(HWND dialog, MSG& msg);
// Tab and Shift+Tab in a dialog shown without a loop of its own (setDialog, pump.h).
bool modelessKey(MSG& msg);
// Moves the focus to the next (or previous) tab stop after from, as Tab does; from the dialog
// itself (null), to its first (or last) stop.
void nextTabStop(HWND dialog, HWND from, bool back);
// WM_NEXTDLGCTL sent to a form or to a page of it.
void answerNextDlgCtl(HWND window, WPARAM wParam, LPARAM lParam);
// Group boxes are no stops, and a radio group is one: its checked item, else its first.
void settleTabStops(HWND dialog);
// After a message: the thick frame goes to the focused push button, else back to the default
// one, in the dialog (modal, or registered with setDialog) that holds the focus; an active
// dialog left without a focus takes it.
void frameFollowsFocus(HWND modal);

}  // namespace winui
