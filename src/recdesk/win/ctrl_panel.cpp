#include "ctrl_panel.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr int kButton = 26;
constexpr int kVolumeMax = 65535;
constexpr int kVolumePage = 8192;
constexpr int kThumbLength = 18;

// Glyphs of the speed buttons (Shift-JIS): up, down, record, mute.
constexpr const char* kUpGlyph = "\x81\xa3";      // ▲
constexpr const char* kDownGlyph = "\x81\xa5";    // ▼
constexpr const char* kRecordGlyph = "\x81\x9c";  // ●
constexpr const char* kMuteGlyph = "\x81\x7e";    // ×

winui::Form::Options panelOptions(HWND view) {
  winui::Form::Options options;
  options.className = L"TavoraControlPanel";
  options.style = WS_CHILD | WS_CLIPCHILDREN;
  options.parent = view;
  options.bounds = {0, 0, 0, sizing::kPanelThickness};
  return options;
}

winui::Form::Options hostOptions(HWND owner) {
  winui::Form::Options options;
  options.className = L"TCtrlPanel";
  options.style = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
  options.exStyle = WS_EX_TOOLWINDOW;
  options.parent = owner;
  options.bounds = {0, 0, 0, 0};
  return options;
}

}  // namespace

ControlPanel::ControlPanel(HWND view) : winui::Form(panelOptions(view)) {
  const RECT button{0, 0, kButton, kButton};
  addControl(winui::Control::label, Panel3, "", button, SS_SUNKEN | SS_CENTER | SS_CENTERIMAGE);
  addControl(winui::Control::button, SpeedButton1, kUpGlyph, button);
  addControl(winui::Control::button, SpeedButton2, kDownGlyph, button);
  // The toggles are plain (not automatic) check boxes: their state changes only through the
  // view's click handlers, which may refuse.
  addControl(winui::Control::button, SpeedButton3, kRecordGlyph, button, BS_CHECKBOX | BS_PUSHLIKE);
  HWND bar = addControl(winui::Control::trackBar, TrackBar1, "", RECT{0, 0, 100, 38},
                        TBS_BOTH | TBS_AUTOTICKS | TBS_FIXEDLENGTH);
  // The volume bar takes no part in tabbing.
  SetWindowLongPtrW(bar, GWL_STYLE, GetWindowLongPtrW(bar, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
  setTrackRange(TrackBar1, 0, kVolumeMax);
  SendMessageW(bar, TBM_SETPAGESIZE, 0, kVolumePage);
  SendMessageW(bar, TBM_SETTICFREQ, kVolumePage, 0);
  SendMessageW(bar, TBM_SETTHUMBLENGTH, kThumbLength, 0);
  addControl(winui::Control::button, SpeedButton4, kMuteGlyph, button, BS_CHECKBOX | BS_PUSHLIKE);
}

bool ControlPanel::vertical() const { return (GetWindowLongPtrW(control(TrackBar1), GWL_STYLE) & TBS_VERT) != 0; }

void ControlPanel::setOrientation(bool toVertical) {
  if (vertical() == toVertical) return;
  HWND bar = control(TrackBar1);
  LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE) & ~static_cast<LONG_PTR>(TBS_VERT);
  if (toVertical) style |= TBS_VERT;
  SetWindowLongPtrW(bar, GWL_STYLE, style);
  SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  // The volume stays the same; the move is a change of the bar like any other.
  setTrackPosition(TrackBar1, sizing::flippedPosition(kVolumeMax, trackPosition(TrackBar1)));
}

void ControlPanel::place(const sizing::PanelLayout& layout) {
  for (int i = 0; i < sizing::kChildCount; ++i) {
    const sizing::Rect& r = layout.children[static_cast<size_t>(i)];
    MoveWindow(control(i + 1), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
  // The bar shows no selection range.
  HWND bar = control(TrackBar1);
  if (LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE))
    SetWindowLongPtrW(bar, GWL_STYLE, style & ~static_cast<LONG_PTR>(TBS_ENABLESELRANGE));
}

namespace {
std::array<sizing::Size, sizing::kChildCount> designSizes() {
  std::array<sizing::Size, sizing::kChildCount> sizes;
  sizes.fill({kButton, kButton});
  return sizes;
}
}  // namespace

int ControlPanel::layoutPanelHorizontal() {
  ShowWindow(handle(), SW_SHOWNA);
  setOrientation(false);
  const sizing::PanelLayout layout = sizing::layoutPanelHorizontal(designSizes());
  place(layout);
  return layout.extent;
}

void ControlPanel::layoutPanelVertical() {
  ShowWindow(handle(), SW_SHOWNA);
  setOrientation(true);
  place(sizing::layoutPanelVertical(designSizes()));
}

void ControlPanel::dockInto(HWND parent, const RECT& bounds) {
  if (GetParent(handle()) != parent) SetParent(handle(), parent);
  MoveWindow(handle(), bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

LRESULT ControlPanel::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CONTEXTMENU && contextMenu_) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) GetCursorPos(&at);
    contextMenu_(at);
    return 0;
  }
  return defaultHandling(msg, wParam, lParam);
}

TCtrlPanel::TCtrlPanel(HWND owner, ControlPanel& panel) : winui::Form(hostOptions(owner)), panel_(panel) {}

LRESULT TCtrlPanel::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE && GetParent(panel_.handle()) == handle())
    MoveWindow(panel_.handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
  return defaultHandling(msg, wParam, lParam);
}
