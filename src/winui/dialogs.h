// Every message box of the programs goes through here, so that tests can answer it and
// record its text. Texts and captions are Shift-JIS; the box itself is shown with the W call.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace winui {

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  // Stands in for MessageBoxW; returns the button pressed.
  virtual int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) = 0;
};

// Installs a stand-in for every box of this process (nullptr: the real MessageBoxW).
void setDialogSeam(DialogSeam* seam);

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);
// With the system's default caption (a null caption).
int messageBoxDefaultCaption(HWND owner, std::string_view text, UINT flags);

}  // namespace winui
