// Tooltips ("hints") for a form's controls: one tooltip window serves them all.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace winui {

class Hints {
 public:
  explicit Hints(HWND owner);
  ~Hints();
  Hints(const Hints&) = delete;
  Hints& operator=(const Hints&) = delete;

  void add(HWND control, std::string_view cp932);
  // What the tooltip shows for the control (Shift-JIS); empty without a hint.
  std::string hintOf(HWND control) const;

 private:
  HWND owner_;
  HWND tip_ = nullptr;
};

}  // namespace winui
