#include "hints.h"

#include <commctrl.h>

#include "text.h"

namespace winui {

Hints::Hints(HWND owner) : owner_(owner) {
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                         owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

Hints::~Hints() {
  if (tip_) DestroyWindow(tip_);
}

void Hints::add(HWND control, std::string_view cp932) {
  if (!tip_ || !control) return;
  std::wstring text = widen(cp932);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text.data();
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

std::string Hints::hintOf(HWND control) const {
  wchar_t text[256] = {};
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = owner_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text;
  SendMessageW(tip_, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
  return narrow(text);
}

}  // namespace winui
