// The notification-area icon of a window: icon id 0, callback message of the owner's choosing.
#pragma once

#include <windows.h>

#include <string_view>

namespace winui {

class TrayIcon {
 public:
  // The longest tip in bytes (Shift-JIS), without its NUL.
  static constexpr size_t kTipBytes = 127;

  TrayIcon(HWND owner, UINT callbackMessage);
  ~TrayIcon();  // removes the icon
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  bool add(HICON icon, std::string_view tip);
  bool setIconAndTip(HICON icon, std::string_view tip);
  bool setTip(std::string_view tip);
  void remove();

 private:
  bool notify(DWORD operation, UINT flags, HICON icon, std::string_view tip);
  HWND owner_;
  UINT callbackMessage_;
  bool added_ = false;
};

}  // namespace winui
