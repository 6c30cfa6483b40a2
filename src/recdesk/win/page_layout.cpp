#include "page_layout.h"

#include <commctrl.h>

#include <cwctype>

#include "winui/text.h"

namespace optionspage {

namespace {

LRESULT CALLBACK selectAllProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_LBUTTONUP) {
    const LRESULT result = DefSubclassProc(edit, msg, wParam, lParam);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return result;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(edit, selectAllProc, 1);
  return DefSubclassProc(edit, msg, wParam, lParam);
}

BOOL CALLBACK setFont(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

winui::Form::Options childOptions(const wchar_t* className, HWND parent, RECT bounds) {
  winui::Form::Options options;
  options.className = className;
  options.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  options.exStyle = WS_EX_CONTROLPARENT;
  options.parent = parent;
  options.bounds = bounds;
  return options;
}

void applyFont(HWND page) {
  EnumChildWindows(page, setFont, reinterpret_cast<LPARAM>(GetStockObject(DEFAULT_GUI_FONT)));
}

void selectAllOnClick(HWND edit) { SetWindowSubclass(edit, selectAllProc, 1, 0); }

void setReadOnly(HWND edit) { SendMessageW(edit, EM_SETREADONLY, TRUE, 0); }

namespace {

bool endsWithNoCase(const std::wstring& name, const std::wstring& tail) {
  if (name.size() <= tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::towlower(name[name.size() - tail.size() + i]) != tail[i]) return false;
  return true;
}

// Adds the names of the folder's plain files with this extension, without it.
void addNames(const std::string& folder, const std::wstring& extension, std::vector<std::string>& names) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((winui::widen(folder) + L"*" + extension).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    // Plain, read-only and archived files only; the pattern may also match longer extensions
    // through short names.
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) ||
        !endsWithNoCase(name, extension))
      continue;
    const std::wstring stem = name.substr(0, name.size() - extension.size());
    // A name code page 932 cannot hold could not be named to the engine.
    if (winui::widen(winui::narrow(stem)) != stem) continue;
    names.push_back(winui::narrow(stem));
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

std::vector<std::string> listProfiles(const std::string& folder, bool vfw) {
  std::vector<std::string> names;
  addNames(folder, vfw ? L".video" : L".video2", names);
  return names;
}

std::vector<std::string> profileFileNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const wchar_t* extension : {L".video", L".video2", L".audio", L".vcompress"}) addNames(folder, extension, names);
  return names;
}

}  // namespace optionspage
