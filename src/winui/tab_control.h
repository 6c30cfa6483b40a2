// A page control: a tab strip over a client area in which one page window shows at a time.
// The owning form hands its WM_NOTIFY on; the change handlers run as the framework's
// OnChanging and OnChange do, also when code selects a page.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

namespace winui {

class TabControl {
 public:
  // A child of parent with this id; bounds: left, top, width, height.
  TabControl(HWND parent, int id, RECT bounds);
  TabControl(const TabControl&) = delete;
  TabControl& operator=(const TabControl&) = delete;

  HWND handle() const { return window_; }
  // Appends a page: its tab caption (Shift-JIS) and the window shown while it is active.
  void addPage(std::string_view caption, HWND page);
  // The client area the pages fill, in the parent's coordinates.
  RECT pageArea() const;
  int activeIndex() const;
  int pageCount() const { return static_cast<int>(pages_.size()); }
  // Makes a page active: changing with the page being left, then the change with the new one.
  void select(int index);

  // Before the active page changes: the index being left.
  void onChanging(std::function<void(int)> handler) { changing_ = std::move(handler); }
  // After it changed: the new index.
  void onChange(std::function<void(int)> handler) { changed_ = std::move(handler); }

  // The parent's WM_NOTIFY; true when it was this control's.
  bool handleNotify(const NMHDR& header);

 private:
  void showActive();
  HWND window_ = nullptr;
  std::vector<HWND> pages_;
  std::function<void(int)> changing_;
  std::function<void(int)> changed_;
  int shown_ = -1;
};

}  // namespace winui
