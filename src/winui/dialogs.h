// Every message box of the programs goes through here, so that tests can answer it and
// record its text and caption. Texts and captions are Shift-JIS; the box itself is shown with
// the W call. A box is owned by the form that opens it: when the owner named is hidden or
// disabled (the hidden main window, a window under a modal dialog), the thread's active window
// owns it instead, so that it never opens beneath a dialog that stays on top; one that stays on
// top without owning boxes has an ownerless box kept on top.
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

// The program's title (Shift-JIS), the caption of its plain boxes and of the exception box.
void setApplicationTitle(std::string_view cp932);
const std::string& applicationTitle();

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);
// A plain box: captioned with the program's title.
int messageBox(HWND owner, std::string_view text, UINT flags);
// With the system's default caption (a null caption) and no other owner than the one named.
int messageBoxDefaultCaption(HWND owner, std::string_view text, UINT flags);

// The window that owns a modal box or dialog opened on behalf of owner (see above). A window
// that owns no boxes (a countdown) is passed over: the box then has no owner.
HWND modalOwner(HWND owner);
void setOwnsBoxes(HWND window, bool owns);

}  // namespace winui
