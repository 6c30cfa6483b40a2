#include "tool_bar.h"

#include <stdexcept>

#include "text.h"

namespace winui {

namespace {

constexpr int kImageSize = 16;

HBITMAP paintBitmap(const GlyphPainter& paint) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kImageSize, kImageSize);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT area{0, 0, kImageSize, kImageSize};
  // Magenta is the mask colour: what the painter leaves of it is transparent.
  HBRUSH mask = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &area, mask);
  DeleteObject(mask);
  if (paint) paint(dc, area);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace

ToolBar::ToolBar(Form& form, HWND parent, int id, POINT at, const std::vector<Button>& buttons) {
  bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                         WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                             CCS_NODIVIDER,
                         at.x, at.y, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
  if (!bar_) throw std::runtime_error("CreateWindowEx failed for a tool bar");
  SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  images_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, static_cast<int>(buttons.size()), 0);
  SendMessageW(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  std::vector<TBBUTTON> items;
  for (const Button& b : buttons) {
    HBITMAP bitmap = paintBitmap(b.image);
    const int index = ImageList_AddMasked(images_, bitmap, RGB(255, 0, 255));
    DeleteObject(bitmap);
    hints_[b.id] = widen(b.hint);
    TBBUTTON item{};
    item.iBitmap = index;
    item.idCommand = b.id;
    item.fsState = TBSTATE_ENABLED;
    item.fsStyle = b.kind == Kind::checkGroup ? BTNS_CHECKGROUP : b.kind == Kind::dropDown ? BTNS_DROPDOWN : BTNS_BUTTON;
    item.iString = -1;
    items.push_back(item);
    // The tooltip asks the bar's parent for its text, which hands the request on to the form.
    form.onNotify(b.id, [this](const NMHDR& header) -> LRESULT {
      if (header.code != TTN_GETDISPINFOW) return 0;
      auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
      auto found = hints_.find(static_cast<int>(header.idFrom));
      if (found != hints_.end()) info.lpszText = const_cast<wchar_t*>(found->second.c_str());
      return 0;
    });
  }
  SendMessageW(bar_, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  form.onNotify(id, [this](const NMHDR& header) -> LRESULT {
    if (header.code != TBN_DROPDOWN || !dropDown_) return TBDDRET_DEFAULT;
    const auto& info = reinterpret_cast<const NMTOOLBARW&>(header);
    RECT r{};
    SendMessageW(bar_, TB_GETRECT, info.iItem, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    auto handler = dropDown_;
    handler(info.iItem, POINT{r.left, r.bottom});
    return TBDDRET_DEFAULT;
  });
  const SIZE s = size();
  SetWindowPos(bar_, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER);
}

ToolBar::~ToolBar() {
  if (bar_) DestroyWindow(bar_);
  if (images_) ImageList_Destroy(images_);
}

SIZE ToolBar::size() const {
  SIZE s{};
  SendMessageW(bar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&s));
  return s;
}

void ToolBar::setDown(int id, bool down) { SendMessageW(bar_, TB_CHECKBUTTON, id, MAKELPARAM(down ? TRUE : FALSE, 0)); }
bool ToolBar::down(int id) const { return SendMessageW(bar_, TB_ISBUTTONCHECKED, id, 0) != 0; }
void ToolBar::setEnabled(int id, bool enabled) {
  SendMessageW(bar_, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}
bool ToolBar::enabled(int id) const { return SendMessageW(bar_, TB_ISBUTTONENABLED, id, 0) != 0; }

int ToolBar::image(int id) const {
  const LRESULT index = SendMessageW(bar_, TB_COMMANDTOINDEX, id, 0);
  TBBUTTON item{};
  if (index < 0 || !SendMessageW(bar_, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iBitmap;
}

int ToolBar::imageCount() const { return ImageList_GetImageCount(images_); }

}  // namespace winui
