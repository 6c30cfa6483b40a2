#include "popup_menu.h"

#include "text.h"

namespace winui {

namespace {

bool choosableIn(HMENU menu, UINT id) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    const bool enabled = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
    if (HMENU submenu = GetSubMenu(menu, i)) {
      if (enabled && choosableIn(submenu, id)) return true;
    } else if (GetMenuItemID(menu, i) == id) {
      return enabled;
    }
  }
  return false;
}

}  // namespace

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {}

PopupMenu::~PopupMenu() {
  for (int i = GetMenuItemCount(menu_) - 1; i >= 0; --i)
    if (GetSubMenu(menu_, i)) RemoveMenu(menu_, static_cast<UINT>(i), MF_BYPOSITION);
  DestroyMenu(menu_);
}

void PopupMenu::add(UINT id, std::string_view caption) {
  AppendMenuW(menu_, MF_STRING, id, widen(caption).c_str());
}

void PopupMenu::addRadio(UINT id, std::string_view caption) {
  add(id, caption);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  info.fType = MFT_STRING | MFT_RADIOCHECK;
  SetMenuItemInfoW(menu_, id, FALSE, &info);
}

void PopupMenu::addSeparator() { AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr); }

void PopupMenu::addSubmenu(std::string_view caption, HMENU submenu) {
  AppendMenuW(menu_, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), widen(caption).c_str());
}

void PopupMenu::removeSubmenu(HMENU submenu) {
  for (int i = GetMenuItemCount(menu_) - 1; i >= 0; --i)
    if (GetSubMenu(menu_, i) == submenu) RemoveMenu(menu_, static_cast<UINT>(i), MF_BYPOSITION);
}

void PopupMenu::setTopItemsEnabled(bool enabled) {
  const int n = GetMenuItemCount(menu_);
  for (int i = 0; i < n; ++i)
    EnableMenuItem(menu_, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool PopupMenu::topItemEnabled(int position) const {
  return (GetMenuState(menu_, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void PopupMenu::setEnabled(UINT id, bool enabled) {
  EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void PopupMenu::setChecked(UINT id, bool checked) {
  CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool PopupMenu::enabled(UINT id) const {
  return (GetMenuState(menu_, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool PopupMenu::choosable(UINT id) const { return choosableIn(menu_, id); }

bool PopupMenu::checked(UINT id) const { return (GetMenuState(menu_, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

UINT PopupMenu::popUp(HWND owner, POINT at) {
  SetForegroundWindow(owner);
  UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);  // lets the menu close properly on the next click elsewhere
  return chosen;
}

}  // namespace winui
