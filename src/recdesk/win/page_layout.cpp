#include "page_layout.h"

#include <commctrl.h>

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

}  // namespace optionspage
