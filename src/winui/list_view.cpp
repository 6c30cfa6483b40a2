#include "list_view.h"

#include "form.h"

#include <commctrl.h>

#include "guard.h"
#include "text.h"

namespace winui {

namespace {

// Code that changes the rows raises no event of the user's.
struct Quiet {
  explicit Quiet(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Quiet() { flag_ = before_; }
  bool& flag_;
  bool before_;
};

constexpr UINT kStateImageMask = LVIS_STATEIMAGEMASK;

}  // namespace

ListView::ListView(HWND parent, int id, RECT b, bool checkBoxes) : id_(id) {
  static bool classes = [] {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)classes;
  initCommonControls();
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            b.left, b.top, b.right, b.bottom, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  DWORD extended = LVS_EX_FULLROWSELECT;
  if (checkBoxes) extended |= LVS_EX_CHECKBOXES;
  SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

void ListView::addColumn(std::string_view caption, int width) {
  std::wstring text = widen(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_SUBITEM | (width >= 0 ? LVCF_WIDTH : 0);
  column.pszText = text.data();
  column.cx = width;
  column.iSubItem = columns_;
  SendMessageW(window_, LVM_INSERTCOLUMNW, columns_, reinterpret_cast<LPARAM>(&column));
  if (width < 0) SendMessageW(window_, LVM_SETCOLUMNWIDTH, columns_, LVSCW_AUTOSIZE_USEHEADER);
  ++columns_;
}

int ListView::count() const { return static_cast<int>(SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0)); }

int ListView::insertRow(int index, const std::vector<std::string>& cells) {
  Quiet quiet(quiet_);
  std::wstring caption = widen(cells.empty() ? std::string_view{} : std::string_view{cells[0]});
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index < 0 || index > count() ? count() : index;
  item.pszText = caption.data();
  const int at = static_cast<int>(SendMessageW(window_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  for (size_t column = 1; at >= 0 && column < cells.size(); ++column) setCell(at, static_cast<int>(column), cells[column]);
  return at;
}

void ListView::deleteRow(int index) {
  Quiet quiet(quiet_);
  SendMessageW(window_, LVM_DELETEITEM, index, 0);
}

void ListView::clear() {
  Quiet quiet(quiet_);
  SendMessageW(window_, LVM_DELETEALLITEMS, 0, 0);
}

void ListView::setCell(int row, int column, std::string_view cp932) {
  std::wstring text = widen(cp932);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  SendMessageW(window_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::cell(int row, int column) const {
  std::wstring text(512, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const LRESULT n = SendMessageW(window_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<size_t>(n));
  return narrow(text);
}

std::vector<std::string> ListView::row(int index) const {
  std::vector<std::string> cells;
  for (int column = 0; column < columns_; ++column) cells.push_back(cell(index, column));
  return cells;
}

int ListView::selected() const {
  return static_cast<int>(SendMessageW(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::select(int index) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (index < 0) {
    SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    return;
  }
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(window_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  SendMessageW(window_, LVM_ENSUREVISIBLE, index, FALSE);
}

bool ListView::checked(int row) const {
  const UINT state = static_cast<UINT>(SendMessageW(window_, LVM_GETITEMSTATE, row, kStateImageMask));
  return (state >> 12) == 2;
}

void ListView::setChecked(int row, bool checked) {
  Quiet quiet(quiet_);
  LVITEMW item{};
  item.stateMask = kStateImageMask;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageW(window_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool ListView::notify(const NMHDR& header) {
  if (header.hwndFrom != window_) return false;
  if (header.code != LVN_ITEMCHANGED || quiet_) return true;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if (change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return true;
  const UINT was = change.uOldState, now = change.uNewState;
  if ((was ^ now) & LVIS_SELECTED) {
    if (onSelect_) guardedCall([&] { onSelect_(change.iItem, (now & LVIS_SELECTED) != 0); });
  }
  if (((was ^ now) & kStateImageMask) && (was & kStateImageMask)) {
    if (onCheck_) guardedCall([&] { onCheck_(change.iItem, ((now & kStateImageMask) >> 12) == 2); });
  }
  return true;
}

}  // namespace winui
