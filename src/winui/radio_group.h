// A radio group: a group box with its caption and one radio button per item, laid out one
// above the other. The buttons are children of the form, so its click routing reaches them.
// The click handler fires when the user picks another item (or code calls clickItem);
// setIndex from code fires nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "form.h"

namespace winui {

class RadioGroup {
 public:
  // The group box takes id, the items id + 1 ... id + n. bounds: left, top, width, height.
  RadioGroup(Form& form, int id, std::string_view caption, const std::vector<std::string>& items, RECT bounds);
  RadioGroup(const RadioGroup&) = delete;
  RadioGroup& operator=(const RadioGroup&) = delete;

  // The checked item, or -1.
  int index() const;
  void setIndex(int index);
  // As the user's click on an item.
  void clickItem(int index);
  void setEnabled(bool enabled);
  bool enabled() const;
  HWND item(int index) const;

  void onClick(std::function<void()> handler) { onClick_ = std::move(handler); }

 private:
  void clicked(int index);
  Form& form_;
  int id_;
  int count_;
  int current_ = -1;
  std::function<void()> onClick_;
};

}  // namespace winui
