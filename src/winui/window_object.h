// The C++ object behind a window of ours: handed over in CreateWindowEx's last argument and kept
// in the window's user data from WM_NCCREATE on.
#pragma once

#include <windows.h>

namespace winui {

template <class T>
T* windowObject(HWND window, UINT msg, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace winui
