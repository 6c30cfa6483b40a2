// A report list view: columns with captions, rows of a caption and sub-items, optional check
// boxes, whole-row selection kept visible without the focus. Its owner hands the list's
// WM_NOTIFY messages to notify(); selection and check changes fire only for the user's acts
// and for select() from code, never for the rows code inserts or removes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace winui {

class ListView {
 public:
  // bounds: left, top, width, height in the parent's client coordinates.
  ListView(HWND parent, int id, RECT bounds, bool checkBoxes = false);
  ListView(const ListView&) = delete;
  ListView& operator=(const ListView&) = delete;

  HWND handle() const { return window_; }
  int id() const { return id_; }
  // width < 0: the control's default width.
  void addColumn(std::string_view caption, int width = -1);

  int count() const;
  // Inserts a row at index (clamped to the end) with its caption and sub-items; returns its index.
  int insertRow(int index, const std::vector<std::string>& cells);
  void deleteRow(int index);
  void clear();
  // column 0 is the caption, 1.. the sub-items.
  void setCell(int row, int column, std::string_view cp932);
  std::string cell(int row, int column) const;
  std::vector<std::string> row(int index) const;

  // The selected row, or -1.
  int selected() const;
  // Selects the row (-1: none) and fires the selection handler as a user's choice would.
  void select(int index);
  bool checked(int row) const;
  void setChecked(int row, bool checked);

  // (row, selected): a row gained or lost the selection.
  void onSelect(std::function<void(int, bool)> handler) { onSelect_ = std::move(handler); }
  // (row, checked): the user changed a row's check box.
  void onCheck(std::function<void(int, bool)> handler) { onCheck_ = std::move(handler); }

  // The owner's WM_NOTIFY; true when it was this list's.
  bool notify(const NMHDR& header);

 private:
  HWND window_ = nullptr;
  int id_ = 0;
  int columns_ = 0;
  bool quiet_ = false;  // rows being inserted or removed by code
  std::function<void(int, bool)> onSelect_;
  std::function<void(int, bool)> onCheck_;
};

}  // namespace winui
