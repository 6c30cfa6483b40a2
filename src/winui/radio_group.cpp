#include "radio_group.h"

namespace winui {

RadioGroup::RadioGroup(Form& form, int id, std::string_view caption, const std::vector<std::string>& items,
                       RECT b)
    : form_(form), id_(id), count_(static_cast<int>(items.size())) {
  form.addControl(Control::button, id, caption, b, BS_GROUPBOX);
  const int rowHeight = count_ > 0 ? (b.bottom - 20) / count_ : 0;
  for (int i = 0; i < count_; ++i) {
    const RECT at{b.left + 10, b.top + 16 + i * rowHeight, b.right - 18, rowHeight < 22 ? rowHeight : 22};
    form.addControl(Control::button, id + 1 + i, items[static_cast<size_t>(i)], at,
                    BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0));  // checked by us, not by the button
    form.onClick(id + 1 + i, [this, i] { clicked(i); });
  }
}

HWND RadioGroup::item(int index) const { return form_.control(id_ + 1 + index); }

int RadioGroup::index() const { return current_; }

void RadioGroup::setIndex(int index) {
  current_ = index >= 0 && index < count_ ? index : -1;
  for (int i = 0; i < count_; ++i) SendMessageW(item(i), BM_SETCHECK, i == current_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RadioGroup::clickItem(int index) {
  if (index < 0 || index >= count_ || !enabled()) return;
  clicked(index);
}

void RadioGroup::clicked(int index) {
  if (index == current_) return;
  setIndex(index);
  if (onClick_) onClick_();
}

void RadioGroup::setEnabled(bool enabled) {
  EnableWindow(form_.control(id_), enabled);
  for (int i = 0; i < count_; ++i) EnableWindow(item(i), enabled);
}

bool RadioGroup::enabled() const { return IsWindowEnabled(form_.control(id_)) != FALSE; }

}  // namespace winui
