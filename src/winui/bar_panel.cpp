#include "bar_panel.h"

#include <windowsx.h>

namespace winui {

namespace {

constexpr LONG_PTR kMovable = 1;

LRESULT CALLBACK panelProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:  // the form gives a child made on the panel its font
    case WM_GETFONT:
    case kPanelMoved:
      return SendMessageW(GetParent(window), msg, wParam, lParam);
    case WM_NCHITTEST:
      if (GetWindowLongPtrW(window, GWLP_USERDATA) == kMovable) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &at);
        if (at.x < kGripWidth) return HTCAPTION;  // the system drags the panel by its grip
      }
      break;
    case WM_EXITSIZEMOVE:
      SendMessageW(GetParent(window), kPanelMoved, 0, reinterpret_cast<LPARAM>(window));
      return 0;
    case WM_PAINT:
      if (GetWindowLongPtrW(window, GWLP_USERDATA) == kMovable) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        RECT grip{2, 2, 5, client.bottom - 2};
        DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
        EndPaint(window, &paint);
        return 0;
      }
      break;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

HWND createBarPanel(HWND parent, int id, RECT b, bool movable) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = panelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TavoraBarPanel";
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  HWND panel = CreateWindowExW(0, L"TavoraBarPanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                               b.left, b.top, b.right, b.bottom, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (panel && movable) SetWindowLongPtrW(panel, GWLP_USERDATA, kMovable);
  return panel;
}

void placeOnPanel(HWND panel, HWND child, RECT b) {
  SetParent(child, panel);
  MoveWindow(child, b.left, b.top, b.right, b.bottom, FALSE);
}

RECT placeOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace winui
