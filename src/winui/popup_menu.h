// A popup menu with items by id; enabling and check marks are set before it pops up.
#pragma once

#include <windows.h>

#include <string_view>

namespace winui {

class PopupMenu {
 public:
  PopupMenu();
  ~PopupMenu();  // submenus are detached first, never destroyed with it
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  // Ids must be nonzero. Captions are Shift-JIS.
  void add(UINT id, std::string_view caption);
  // An item of a group of which one is chosen: its check shows as a radio mark.
  void addRadio(UINT id, std::string_view caption);
  void addSeparator();
  // Another menu as a submenu. It stays the other's: this menu never destroys it, and
  // removeSubmenu gives it back.
  void addSubmenu(std::string_view caption, HMENU submenu);
  void removeSubmenu(HMENU submenu);
  // Every item of this menu's own level, submenus included.
  void setTopItemsEnabled(bool enabled);
  bool topItemEnabled(int position) const;
  void setEnabled(UINT id, bool enabled);
  void setChecked(UINT id, bool checked);
  bool enabled(UINT id) const;
  // Whether a click could choose the item: it is there and enabled, and so is every submenu on
  // the way to it. A command posted in place of a click obeys the same.
  bool choosable(UINT id) const;
  bool checked(UINT id) const;

  // Pops up at the point (screen coordinates) and returns the chosen id, 0 when none was.
  // The owner is brought to the foreground first, so that the menu closes when the user
  // clicks elsewhere.
  UINT popUp(HWND owner, POINT at);
  HMENU handle() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace winui
