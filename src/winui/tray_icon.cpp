#include "tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "common/sjis.h"
#include "text.h"

namespace winui {

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage) : owner_(owner), callbackMessage_(callbackMessage) {}

TrayIcon::~TrayIcon() { remove(); }

bool TrayIcon::notify(DWORD operation, UINT flags, HICON icon, std::string_view tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner_;
  data.uID = 0;
  data.uFlags = flags;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon;
  if (flags & NIF_TIP) {
    // The tip's limit is in Shift-JIS bytes; a double-byte character is never split.
    const std::wstring wide = widen(tavora::sjis::cutBytes(tip, kTipBytes));
    const size_t n = std::min(wide.size(), std::size(data.szTip) - 1);
    std::copy_n(wide.data(), n, data.szTip);
  }
  return Shell_NotifyIconW(operation, &data) != FALSE;
}

bool TrayIcon::add(HICON icon, std::string_view tip) {
  added_ = notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP, icon, tip);
  return added_;
}

bool TrayIcon::setIconAndTip(HICON icon, std::string_view tip) {
  return notify(NIM_MODIFY, NIF_ICON | NIF_TIP, icon, tip);
}

bool TrayIcon::setTip(std::string_view tip) { return notify(NIM_MODIFY, NIF_TIP, nullptr, tip); }

void TrayIcon::remove() {
  if (!added_) return;
  notify(NIM_DELETE, 0, nullptr, {});
  added_ = false;
}

}  // namespace winui
