// What the options dialog's pages share: each page is a child window of the dialog, laid over
// the page control's display area, with the dialog's font.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "winui/form.h"

namespace optionspage {

// A child window of the dialog, hidden until its page is shown.
winui::Form::Options childOptions(const wchar_t* className, HWND parent, RECT bounds);
// The dialog's font on every control of the page.
void applyFont(HWND page);
// Edit controls that select all their text when clicked.
void selectAllOnClick(HWND edit);
// A read-only edit.
void setReadOnly(HWND edit);
// The quality profiles in the folder, as both pages list them: the names of its "*.video" (VfW)
// or "*.video2" (WDM) plain files without the extension, in the order the search finds them.
std::vector<std::string> listProfiles(const std::string& folder, bool vfw);
// The names of every profile file in the folder, of either device kind: its "*.video",
// "*.video2", "*.audio" and "*.vCompress" plain files.
std::vector<std::string> profileFileNames(const std::string& folder);

}  // namespace optionspage
