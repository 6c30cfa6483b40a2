// Every message box of the programs goes through here, so that tests can answer it and
// record its text. Texts and captions are Shift-JIS; the box itself is shown with the W call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace winui {

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  // Stands in for MessageBoxW; returns the button pressed.
  virtual int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) = 0;
  // Stands in for the open-file dialog (open_file_dialog.h): the chosen path, or nothing for
  // Cancel; a stand-in that does not answer it cancels.
  virtual std::optional<std::wstring> openFile(HWND owner, const std::wstring& title, const std::wstring& filter) {
    (void)owner, (void)title, (void)filter;
    return std::nullopt;
  }
};

// The stand-in installed, or nullptr.
DialogSeam* dialogSeam();

// Installs a stand-in for every box of this process (nullptr: the real MessageBoxW).
void setDialogSeam(DialogSeam* seam);

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);
// With the system's default caption (a null caption).
int messageBoxDefaultCaption(HWND owner, std::string_view text, UINT flags);

}  // namespace winui
