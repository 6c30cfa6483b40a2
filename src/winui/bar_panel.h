// A panel of a form that holds controls of its own: it hands their commands, notifications,
// drawing and colour requests on to its parent, so the form's handlers see them by id as if the
// controls sat on the form. A movable panel has a grip at its left edge by which the user drags
// it inside its parent; the parent then gets kPanelMoved.
#pragma once

#include <windows.h>

namespace winui {

// Sent to the panel's parent (and on up to the form) after the user moved a panel; lParam is it.
constexpr UINT kPanelMoved = WM_APP + 0x300;
constexpr int kGripWidth = 7;

// bounds: left, top, width, height in the parent's client area.
HWND createBarPanel(HWND parent, int id, RECT bounds, bool movable);
// Moves a child window (a control made on the form) onto the panel at a place of the panel's.
void placeOnPanel(HWND panel, HWND child, RECT bounds);
// The panel's place in its parent's client area: left, top, width, height.
RECT placeOf(HWND window);

}  // namespace winui
