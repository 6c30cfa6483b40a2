#include "folder_picker.h"

#include <vector>

#include "dialogs.h"
#include "text.h"

namespace winui {

namespace {

class RealShell : public ShellFolderSeam {
 public:
  IMalloc* allocator() override {
    IMalloc* malloc = nullptr;
    return SUCCEEDED(SHGetMalloc(&malloc)) ? malloc : nullptr;
  }
  HRESULT parseDisplayName(HWND owner, const std::wstring& path, PIDLIST_ABSOLUTE* list) override {
    IShellFolder* desktop = nullptr;
    HRESULT hr = SHGetDesktopFolder(&desktop);
    if (FAILED(hr) || !desktop) return FAILED(hr) ? hr : E_FAIL;
    std::wstring name = path;  // ParseDisplayName takes a writable string
    ULONG eaten = 0;
    PIDLIST_RELATIVE relative = nullptr;
    hr = desktop->ParseDisplayName(owner, nullptr, name.data(), &eaten, &relative, nullptr);
    desktop->Release();
    *list = reinterpret_cast<PIDLIST_ABSOLUTE>(relative);  // relative to the desktop is absolute
    return hr;
  }
  PIDLIST_ABSOLUTE browseForFolder(BROWSEINFOW& info) override { return SHBrowseForFolderW(&info); }
  bool pathFromIdList(PCIDLIST_ABSOLUTE list, wchar_t* path) override {
    return SHGetPathFromIDListW(list, path) != FALSE;
  }
};

ShellFolderSeam* g_seam = nullptr;
HWND g_applicationWindow = nullptr;

ShellFolderSeam& shell() {
  static RealShell real;
  return g_seam ? *g_seam : real;
}

// An item list of the shell's allocator, freed with it.
class ItemList {
 public:
  explicit ItemList(IMalloc& malloc) : malloc_(malloc) {}
  ~ItemList() {
    if (list_) malloc_.Free(list_);
  }
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  PIDLIST_ABSOLUTE* out() { return &list_; }
  PIDLIST_ABSOLUTE get() const { return list_; }

 private:
  IMalloc& malloc_;
  PIDLIST_ABSOLUTE list_ = nullptr;
};

// The thread's visible, enabled top-level windows, disabled for the time of a modal box.
class OtherWindowsDisabled {
 public:
  OtherWindowsDisabled() { EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows_)); }
  ~OtherWindowsDisabled() {
    for (HWND window : windows_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK collect(HWND window, LPARAM windows) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
  }
  std::vector<HWND> windows_;
};

}  // namespace

void setShellFolderSeam(ShellFolderSeam* seam) { g_seam = seam; }
void setApplicationWindow(HWND window) { g_applicationWindow = window; }
HWND applicationWindow() { return g_applicationWindow; }

bool selectDirectory(const FolderRequest& request, std::string& directory) {
  directory.clear();
  IMalloc* malloc = shell().allocator();
  if (!malloc) return false;
  struct Release {
    IMalloc* malloc;
    ~Release() { malloc->Release(); }
  } release{malloc};

  const HWND owner = modalOwner(request.owner ? GetAncestor(request.owner, GA_ROOT) : g_applicationWindow);
  ItemList root(*malloc);
  if (!request.root.empty() && FAILED(shell().parseDisplayName(owner, widen(request.root), root.out())))
    *root.out() = nullptr;  // an unknown root shows the whole desktop

  const std::wstring title = widen(request.caption);
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;

  std::wstring path;
  {
    OtherWindowsDisabled disabled;
    ItemList chosen(*malloc);
    *chosen.out() = shell().browseForFolder(info);
    if (!chosen.get()) return false;
    wchar_t buffer[MAX_PATH] = {};
    if (shell().pathFromIdList(chosen.get(), buffer)) {
      buffer[MAX_PATH - 1] = L'\0';
      path = buffer;
    }
  }
  if (path.empty()) {
    // The shell's own folders ("My Computer", a library) hold no files of their own.
    if (!request.notFileSystem.empty()) messageBox(owner, request.notFileSystem, MB_OK | MB_ICONWARNING);
    return false;
  }
  std::string cp932;
  if (!narrowExactly(path, cp932)) {
    messageBox(owner, request.notShiftJis, MB_OK | MB_ICONWARNING);
    return false;
  }
  directory = std::move(cp932);
  return true;
}

}  // namespace winui
