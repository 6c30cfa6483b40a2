// What the scheduler's two countdown dialogs share: a window without an owner and with a modal
// frame, stay-on-top when the TV view is, centred on the screen, and brought to the front when
// shown, since the user may be working in another program or be away.
#pragma once

#include <windows.h>

#include "winui/form.h"

// The options of such a dialog with the given client size.
winui::Form::Options countdownFormOptions(const wchar_t* className, const char* caption, int clientWidth,
                                          int clientHeight, bool stayOnTop);
// Sets the client height, keeping the dialog centred.
void setClientHeight(HWND dialog, int clientHeight);
// Shows the dialog modally in front of every other program; returns its result, or
// resultOnQuit when the program's end closed it.
int showInFront(winui::Form& dialog, int resultOnQuit);
