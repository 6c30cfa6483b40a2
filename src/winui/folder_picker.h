// The folder picker: the shell's folder browser, owned by the form that opens it (the
// application's main window when none is named), with the program's other windows disabled
// while it is open, file-system folders only. The shell
// is reached through a seam so that tests can answer it.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace winui {

class ShellFolderSeam {
 public:
  virtual ~ShellFolderSeam() = default;
  // SHGetMalloc: the shell's allocator (add-referenced), or nullptr when there is none.
  virtual IMalloc* allocator() = 0;
  // The desktop folder's ParseDisplayName for a shell path.
  virtual HRESULT parseDisplayName(HWND owner, const std::wstring& path, PIDLIST_ABSOLUTE* list) = 0;
  virtual PIDLIST_ABSOLUTE browseForFolder(BROWSEINFOW& info) = 0;
  // SHGetPathFromIDListW into a buffer of MAX_PATH characters.
  virtual bool pathFromIdList(PCIDLIST_ABSOLUTE list, wchar_t* path) = 0;
};

// Installs a stand-in for the shell (nullptr: the real shell).
void setShellFolderSeam(ShellFolderSeam* seam);

// The application's main window, which owns a picker that names no owner.
void setApplicationWindow(HWND window);
HWND applicationWindow();

struct FolderRequest {
  std::string caption;  // the browser's title (Shift-JIS)
  std::string root;     // a shell path to root the browser at; empty: the desktop
  std::string notShiftJis;  // told when the chosen folder's path has no Shift-JIS form
  HWND owner = nullptr;     // the form that opens the picker, or a window on it
  std::string notFileSystem;  // told when the chosen folder has no file-system path
};

// True and the chosen folder's path (Shift-JIS); false and an empty path when the user cancels,
// chooses a folder with no file-system path (a virtual one, told with request.notFileSystem),
// the shell has no allocator, or the path cannot be written in Shift-JIS (told with
// request.notShiftJis, never handed on altered).
bool selectDirectory(const FolderRequest& request, std::string& directory);

}  // namespace winui
