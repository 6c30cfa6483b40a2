#include "tab_control.h"

#include "form.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "guard.h"
#include "text.h"

namespace winui {

TabControl::TabControl(HWND parent, int id, RECT b) {
  static bool registered = [] {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)registered;
  initCommonControls();
  window_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, b.left,
                            b.top, b.right, b.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) throw std::runtime_error("CreateWindowEx (tab control) failed");
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void TabControl::addPage(std::string_view caption, HWND page) {
  std::wstring text = widen(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageW(window_, TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(page);
  const RECT area = pageArea();
  SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_HIDEWINDOW);
  if (pages_.size() == 1) showActive();
}

RECT TabControl::pageArea() const {
  RECT area{};
  GetClientRect(window_, &area);
  SendMessageW(window_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(window_, GetParent(window_), reinterpret_cast<POINT*>(&area), 2);
  return area;
}

int TabControl::activeIndex() const { return static_cast<int>(SendMessageW(window_, TCM_GETCURSEL, 0, 0)); }

void TabControl::select(int index) {
  if (index < 0 || index >= pageCount() || index == activeIndex()) return;
  const int leaving = activeIndex();
  if (changing_ && leaving >= 0) guardedCall([&] { changing_(leaving); });
  SendMessageW(window_, TCM_SETCURSEL, index, 0);
  showActive();
  if (changed_) guardedCall([&] { changed_(index); });
}

void TabControl::showActive() {
  const int active = activeIndex();
  if (active == shown_) return;
  if (shown_ >= 0) ShowWindow(pages_[static_cast<size_t>(shown_)], SW_HIDE);
  shown_ = active;
  if (active >= 0) {
    HWND page = pages_[static_cast<size_t>(active)];
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  }
}

bool TabControl::handleNotify(const NMHDR& header) {
  if (header.hwndFrom != window_) return false;
  if (header.code == TCN_SELCHANGING) {
    if (changing_) {
      const int leaving = activeIndex();
      guardedCall([&] { changing_(leaving); });
    }
  } else if (header.code == TCN_SELCHANGE) {
    showActive();
    if (changed_) {
      const int now = activeIndex();
      guardedCall([&] { changed_(now); });
    }
  }
  return true;
}

}  // namespace winui
