// A tool bar of image buttons, each with its tooltip: push buttons, grouped check buttons and
// drop-down buttons. A press reaches the form's click handler of the button's id; a drop-down
// arrow reaches onDropDown. The images are drawn by code (no resources).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "form.h"

namespace winui {

// Draws one 16 x 16 image into the given rectangle.
using GlyphPainter = std::function<void(HDC dc, const RECT& area)>;

class ToolBar {
 public:
  enum class Kind { push, checkGroup, dropDown };
  struct Button {
    int id;
    GlyphPainter image;
    std::string hint;  // Shift-JIS, the tooltip
    Kind kind = Kind::push;
  };

  // A tool bar with control id on parent (the form or one of its panels) at left, top.
  ToolBar(Form& form, HWND parent, int id, POINT at, const std::vector<Button>& buttons);
  ~ToolBar();
  ToolBar(const ToolBar&) = delete;
  ToolBar& operator=(const ToolBar&) = delete;

  HWND handle() const { return bar_; }
  SIZE size() const;
  void setDown(int id, bool down);
  bool down(int id) const;
  void setEnabled(int id, bool enabled);
  bool enabled(int id) const;
  // The image index of a button (-1 without), and the images the bar has.
  int image(int id) const;
  int imageCount() const;
  // The arrow of a drop-down button was pressed; at is the button's lower left, on the screen.
  void onDropDown(std::function<void(int id, POINT at)> handler) { dropDown_ = std::move(handler); }

 private:
  HWND bar_ = nullptr;
  HIMAGELIST images_ = nullptr;
  std::map<int, std::wstring> hints_;
  std::function<void(int, POINT)> dropDown_;
};

}  // namespace winui
