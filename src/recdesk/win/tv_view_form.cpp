#include "tv_view_form.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "recdesk/core/ds_control.h"
#include "recdesk/core/rsv_time.h"
#include "recdesk/core/view_rules.h"
#include "recdesk/texts/recdesk_texts.h"
#include "recdesk/texts/view_control_texts.h"
#include "winui/dialogs.h"
#include "winui/pump.h"

namespace {

constexpr SIZE kDesignClient{323, 221};
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

winui::Form::Options viewOptions() {
  RECT outer{0, 0, kDesignClient.cx, kDesignClient.cy};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  winui::Form::Options options;
  options.className = L"TFormTVView";
  options.caption = texts::kViewCaption;
  options.style = kStyle;
  options.exStyle = kExStyle;
  options.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top};
  return options;
}

sizing::Rect toRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Each item with a shortcut carries its letter (Ctrl and the letter): the menu shows it and
// the key hook finds the item by it.
struct SizeItem {
  UINT id;
  const char* caption;
  char key;
  int width, height;
};
constexpr SizeItem kSizes[] = {
    {TFormTVView::N9, texts::kViewMenuSize960, 'B', 960, 720},
    {TFormTVView::N10, texts::kViewMenuSize640, 'V', 640, 480},
    {TFormTVView::N11, texts::kViewMenuSize480, 'C', 480, 360},
    {TFormTVView::N12, texts::kViewMenuSize320, 'X', 320, 240},
    {TFormTVView::N13, texts::kViewMenuSize160, 'Z', 160, 120},
};

struct CornerItem {
  UINT id;
  const char* caption;
  char key;
};
constexpr CornerItem kCorners[] = {
    {TFormTVView::N2, texts::kViewMenuTopLeft, 'Q'},
    {TFormTVView::N3, texts::kViewMenuBottomLeft, 'A'},
    {TFormTVView::N4, texts::kViewMenuTopRight, 'W'},
    {TFormTVView::N5, texts::kViewMenuBottomRight, 'S'},
};

constexpr char kOptionsKey = 'E';
constexpr char kOnTopKey = 'T';

std::string withShortcut(const char* caption, char key) { return std::string(caption) + "\tCtrl+" + key; }

constexpr UINT kPanelItems[] = {TFormTVView::N19, TFormTVView::N20, TFormTVView::N21,
                                TFormTVView::N22, TFormTVView::N23, TFormTVView::N24};

// The item a shortcut's letter stands for (0 for none) and the position of the menu's top item
// it lies under.
struct Shortcut {
  UINT item;
  int top;
};
Shortcut shortcutOf(WPARAM key) {
  if (key == static_cast<WPARAM>(kOptionsKey)) return {TFormTVView::N6, 0};
  if (key == static_cast<WPARAM>(kOnTopKey)) return {TFormTVView::N7, 1};
  for (const SizeItem& s : kSizes)
    if (key == static_cast<WPARAM>(s.key)) return {s.id, 2};
  for (const CornerItem& c : kCorners)
    if (key == static_cast<WPARAM>(c.key)) return {c.id, 3};
  return {0, 0};
}

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<sizing::Rect>*>(list)->push_back(toRect(info.rcWork));
  return TRUE;
}

}  // namespace

TFormTVView::TFormTVView(ViewOwner& owner, std::string folder)
    : winui::Form(viewOptions()), owner_(owner), folder_(std::move(folder)) {
  addControl(winui::Control::panel, kPanel1, "", RECT{0, 0, kDesignClient.cx, kDesignClient.cy});
  Panel2 = std::make_unique<ControlPanel>(handle());
  Panel2->onContextMenu([this](POINT at) { popUpMenu(at); });
  Panel2->onClick(ControlPanel::SpeedButton1, [this] { SpeedButton1Click(); });
  Panel2->onClick(ControlPanel::SpeedButton2, [this] { SpeedButton2Click(); });
  // The toggles change only here, so that a refused click leaves them as they were.
  Panel2->onClick(ControlPanel::SpeedButton3, [this] {
    Panel2->setRecordDown(!Panel2->recordDown());
    SpeedButton3Click();
  });
  Panel2->onClick(ControlPanel::SpeedButton4, [this] {
    Panel2->setMuteDown(!Panel2->muteDown());
    SpeedButton4Click();
  });
  Panel2->onChange(ControlPanel::TrackBar1, [this] { TrackBar1Change(); });
  Timer1 = std::make_unique<WinTimer>([this] {
    if (recording_) recording_->onStopTimer();
  });
  winui::setKeyHook([this](const MSG& msg) { return appMessageHook(msg); });
  loadViewSettings();
  buildMenu();
  checkStoredItems();
}

TFormTVView::~TFormTVView() {
  winui::setKeyHook(nullptr);
  // The borrowed tray menu goes back to its owner, not down with this menu.
  if (trayBorrowed_) PopupMenu2.removeSubmenu(owner_.trayMenu());
  if (floatingHost_) SetParent(Panel2->handle(), handle());
}

void TFormTVView::buildMenu() {
  PopupMenu2.add(N6, withShortcut(texts::kViewMenuOptions, kOptionsKey));
  PopupMenu2.add(N7, withShortcut(texts::kViewMenuOnTop, kOnTopKey));
  for (const SizeItem& s : kSizes) videoSizeMenu_.add(s.id, withShortcut(s.caption, s.key));
  PopupMenu2.addSubmenu(texts::kViewMenuVideoSize, videoSizeMenu_.handle());
  for (const CornerItem& c : kCorners) cornerMenu_.add(c.id, withShortcut(c.caption, c.key));
  PopupMenu2.addSubmenu(texts::kViewMenuMove, cornerMenu_.handle());
  const char* const panelCaptions[] = {texts::kViewMenuPanelNone, texts::kViewMenuPanelTop,
                                       texts::kViewMenuPanelBottom, texts::kViewMenuPanelLeft,
                                       texts::kViewMenuPanelRight};
  // "ポップアップ" is hidden: floating is reached only through a stored position.
  for (int i = 0; i < 5; ++i) panelMenu_.add(kPanelItems[i], panelCaptions[i]);
  PopupMenu2.addSubmenu(texts::kViewMenuPanel, panelMenu_.handle());
}

void TFormTVView::checkStoredItems() {
  const ViewSettings& v = settings_.viewSettings;
  for (const SizeItem& s : kSizes) videoSizeMenu_.setChecked(s.id, s.width == v.videoSize);
  for (int i = 0; i < 4; ++i) cornerMenu_.setChecked(kCorners[i].id, v.corner == i + 1);
  for (int i = 0; i < 5; ++i) panelMenu_.setChecked(kPanelItems[i], v.panelPosition == i);
}

void TFormTVView::create(dsControl& engine, rsvTime& scheduler) {
  PopupMenu2.addSubmenu(texts::kViewMenuTray, owner_.trayMenu());
  trayBorrowed_ = true;
  applyViewLayout();
  // From here on sizes and moves are the user's and reach the engine.
  engine_ = &engine;
  scheduler_ = &scheduler;
  recording_ =
      std::make_unique<ManualRecording>(engine, scheduler, *Timer1, static_cast<ManualRecordingHost&>(*this));
  scheduler.enter();
}

// ---- capForm.dat ----

void TFormTVView::showError(const std::string& message) {
  winui::messageBox(handle(), std::string(texts::kErrorClassName) + message, MB_OK | MB_ICONWARNING);
}

void TFormTVView::loadViewSettings() {
  if (auto error = settings_.load(folder_ + "capForm.dat")) showError(*error);
}

void TFormTVView::saveViewSettings() {
  if (auto error = settings_.save(folder_ + "capForm.dat")) showError(*error);
}

// ---- layout ----

void TFormTVView::applyViewLayout() {
  ViewSettings& v = settings_.viewSettings;
  if (!v.useDefaultPos) {
    // Placements are stored and restored in the same (workspace) coordinates.
    const sizing::Rect stored{v.left, v.top, v.left + v.width, v.top + v.height};
    MONITORINFO primary{};
    primary.cbSize = sizeof(primary);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    std::vector<sizing::Rect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (viewrules::placementOnScreen(stored, {primary.rcWork.left, primary.rcWork.top}, monitors)) {
      WINDOWPLACEMENT placement{};
      placement.length = sizeof(placement);
      GetWindowPlacement(handle(), &placement);
      placement.flags = 0;
      placement.showCmd = SW_HIDE;
      placement.rcNormalPosition = RECT{stored.left, stored.top, stored.right, stored.bottom};
      SetWindowPlacement(handle(), &placement);
    }
  }
  if (v.windowState == 1) firstShowCommand_ = SW_SHOWMINIMIZED;
  if (v.windowState == 2) firstShowCommand_ = SW_SHOWMAXIMIZED;
  placeControlPanel(v.panelPosition);
  alignPanels();
  PopupMenu2.setChecked(N7, v.alwaysOnTop != 0);
}

void TFormTVView::placeControlPanel(int position) {
  if (position != 5 && floatingHost_) {
    floatingHost_->hide();
    Panel2->dockInto(handle(), RECT{0, 0, 0, sizing::kPanelThickness});
  }
  switch (position) {
    case 0:
      ShowWindow(Panel2->handle(), SW_HIDE);
      return;
    case 3:
    case 4:
      Panel2->layoutPanelVertical();
      return;
    case 5: {
      const int rowWidth = Panel2->layoutPanelHorizontal();
      if (!floatingHost_) floatingHost_ = std::make_unique<TCtrlPanel>(handle(), *Panel2);
      const sizing::Rect r = sizing::floatingPanelRect(windowPosition(), outerSize(), rowWidth);
      SetParent(Panel2->handle(), floatingHost_->handle());
      MoveWindow(floatingHost_->handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
      RECT client{};
      GetClientRect(floatingHost_->handle(), &client);
      MoveWindow(Panel2->handle(), 0, 0, client.right, client.bottom, TRUE);
      if (visible()) ShowWindow(floatingHost_->handle(), SW_SHOWNOACTIVATE);
      return;
    }
    default:
      Panel2->layoutPanelHorizontal();
      return;
  }
}

void TFormTVView::alignPanels() {
  RECT client{};
  GetClientRect(handle(), &client);
  const int position = settings_.viewSettings.panelPosition;
  const viewrules::Docking d = viewrules::dock(position, {client.right, client.bottom});
  MoveWindow(control(kPanel1), d.video.left, d.video.top, d.video.right - d.video.left, d.video.bottom - d.video.top,
             TRUE);
  if (d.panelDocked)
    Panel2->dockInto(handle(), RECT{d.panel.left, d.panel.top, d.panel.right, d.panel.bottom});
}

sizing::Size TFormTVView::panel1Size() const {
  RECT r{};
  GetClientRect(control(kPanel1), &r);
  return {r.right, r.bottom};
}

sizing::Size TFormTVView::outerSize() const {
  RECT r{};
  GetWindowRect(handle(), &r);
  return {r.right - r.left, r.bottom - r.top};
}

sizing::Point TFormTVView::windowPosition() const {
  RECT r{};
  GetWindowRect(handle(), &r);
  return {r.left, r.top};
}

sizing::Rect TFormTVView::workArea() const {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(handle(), MONITOR_DEFAULTTONEAREST), &info);
  std::optional<sizing::Taskbar> taskbar;
  if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) {
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);
    bar.hWnd = tray;
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) taskbar = sizing::Taskbar{static_cast<int>(bar.uEdge), toRect(bar.rc)};
  }
  return viewrules::monitorWorkArea(taskbar, toRect(info.rcMonitor), toRect(info.rcWork));
}

void TFormTVView::setClientSize(sizing::Size client) {
  RECT outer{}, inner{};
  GetWindowRect(handle(), &outer);
  GetClientRect(handle(), &inner);
  const int w = client.width + (outer.right - outer.left) - inner.right;
  const int h = client.height + (outer.bottom - outer.top) - inner.bottom;
  SetWindowPos(handle(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormTVView::setVideoSize(int w, int h) {
  if (IsZoomed(handle())) ShowWindow(handle(), SW_RESTORE);
  ViewSettings& v = settings_.viewSettings;
  const std::optional<sizing::Size> client = sizing::clientSizeFor(v.panelPosition, {w, h});
  if (client) setClientSize(*client);
  const sizing::Size outer = outerSize();
  v.width = outer.width;
  v.height = outer.height;
  clampToCorner();
}

void TFormTVView::snapAspect() {
  if (const std::optional<sizing::Size> video = sizing::snapAspect(panel1Size())) setVideoSize(video->width, video->height);
}

void TFormTVView::clampToCorner() {
  const sizing::Point p =
      sizing::clampToCorner(settings_.viewSettings.corner, workArea(), windowPosition(), outerSize());
  SetWindowPos(handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormTVView::setPanelPosition() {
  ViewSettings& v = settings_.viewSettings;
  const sizing::Size video = panel1Size();
  const sizing::Size before = outerSize();
  const int position = v.panelPosition;
  if (position >= 0 && position <= 5) {
    if (position != 5) placeControlPanel(position);
    setClientSize(*sizing::clientSizeFor(position, video));
    if (position == 5) placeControlPanel(position);
  }
  alignPanels();
  if (outerSize() == before) {
    // No resize came, so the move handler tells the engine to refit its picture.
    POINT origin{0, 0};
    ClientToScreen(handle(), &origin);
    SendMessageW(handle(), WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  }
  PopupMenu2.setChecked(N7, v.alwaysOnTop != 0);
  const sizing::Size outer = outerSize();
  v.width = outer.width;
  v.height = outer.height;
  clampToCorner();
}

void TFormTVView::applyTopmost() {
  SetWindowPos(handle(), alwaysOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
}

// ---- the menu ----

void TFormTVView::PopupMenu2Popup() {
  PopupMenu2.setTopItemsEnabled(!engine_ || !engine_->busy());
  owner_.trayMenuPopup();
}

void TFormTVView::popUpMenu(POINT at) {
  PopupMenu2Popup();
  if (UINT chosen = PopupMenu2.popUp(handle(), at)) runMenuItem(chosen);
}

void TFormTVView::runMenuItem(UINT id) {
  if (id < N6) return owner_.trayCommand(id);
  if (id == N6) return N6Click();
  if (id == N7) return N7Click();
  for (const SizeItem& s : kSizes)
    if (s.id == id) return setVideoItem(id, s.width, s.height);
  for (int i = 0; i < 4; ++i)
    if (kCorners[i].id == id) return cornerItem(id, i + 1);
  for (int i = 0; i < 6; ++i)
    if (kPanelItems[i] == id) return panelItem(id, i);
}

bool TFormTVView::menuShortcut(WPARAM key) {
  const Shortcut shortcut = shortcutOf(key);
  if (shortcut.item == 0) return false;
  // A shortcut acts as its item would: not while the menu's top item is disabled.
  if (PopupMenu2.topItemEnabled(shortcut.top)) runMenuItem(shortcut.item);
  return true;
}

void TFormTVView::N7Click() {
  PopupMenu2.setChecked(N7, !alwaysOnTop());
  settings_.viewSettings.alwaysOnTop = PopupMenu2.checked(N7) ? 1 : 0;
  applyTopmost();
}

void TFormTVView::setVideoItem(UINT item, int width, int height) {
  // The resize unchecks every size first; the choice is checked after it.
  setVideoSize(width, height);
  videoSizeMenu_.setChecked(item, true);
  settings_.viewSettings.videoSize = width;
}

void TFormTVView::cornerItem(UINT item, int corner) {
  ViewSettings& v = settings_.viewSettings;
  v.corner = static_cast<uint8_t>(corner);
  for (const CornerItem& c : kCorners) cornerMenu_.setChecked(c.id, c.id == item);
  snapAspect();
  const sizing::Point p = sizing::cornerPosition(corner, workArea(), outerSize());
  SetWindowPos(handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormTVView::panelItem(UINT item, int position) {
  settings_.viewSettings.panelPosition = static_cast<uint8_t>(position);
  for (UINT id : kPanelItems) panelMenu_.setChecked(id, id == item);
  setPanelPosition();
}

// ---- showing and closing ----

uint32_t TFormTVView::viewWindow() const { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle())); }
uintptr_t TFormTVView::viewObject() const { return reinterpret_cast<uintptr_t>(this); }

PanelGeometry TFormTVView::videoPanel() const {
  const sizing::Size s = panel1Size();
  return {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(control(kPanel1))), static_cast<uint32_t>(s.width),
          static_cast<uint32_t>(s.height)};
}

void TFormTVView::show() {
  mixer_.pendingVolume = 0;
  mixer_.pendingMute = 0;
  ShowWindow(handle(), shownOnce_ ? SW_SHOW : firstShowCommand_);
  shownOnce_ = true;
  if (floatingHost_ && settings_.viewSettings.panelPosition == 5)
    ShowWindow(floatingHost_->handle(), SW_SHOWNOACTIVATE);
  owner_.viewShown(true);
  applyTopmost();
}

bool TFormTVView::close() {
  if (!visible()) return true;
  // A reservation's capture may run before TVR_RECON has put the record button down.
  const rsvTime::State state = scheduler_ ? scheduler_->state() : rsvTime::IDLE;
  const bool scheduled = state == rsvTime::READY || state == rsvTime::REC;
  if (viewrules::closeAnswer(isRecording(), scheduled) == viewrules::CloseAnswer::minimise) {
    ShowWindow(handle(), SW_MINIMIZE);
    return false;
  }
  closeNow();
  return true;
}

void TFormTVView::closeForEnd() {
  if (visible()) closeNow();
}

void TFormTVView::closeNow() {
  FormClose();
  if (floatingHost_) floatingHost_->hide();
  hide();
}

void TFormTVView::FormClose() {
  if (engine_) engine_->cleanUp();
  owner_.viewShown(false);
  storePlacement();
  saveViewSettings();
}

void TFormTVView::storePlacement() {
  ViewSettings& v = settings_.viewSettings;
  v.useDefaultPos = 0;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  RECT r{};
  if (GetWindowPlacement(handle(), &placement)) r = placement.rcNormalPosition;
  else GetWindowRect(handle(), &r);
  v.left = r.left;
  v.top = r.top;
  v.width = r.right - r.left;
  v.height = r.bottom - r.top;
  v.windowState = IsIconic(handle()) ? 1 : IsZoomed(handle()) ? 2 : 0;
}

// ---- the engine's reports and the window's own messages ----

void TFormTVView::setChannelLabel(uint32_t channel) { Panel2->setChannelLabel(viewrules::channelLabel(channel)); }

void TFormTVView::setVolume(int volume) {
  const int before = Panel2->volumeBarPosition();
  Panel2->setVolumeBarPosition(viewrules::volumeBarPosition(volume, Panel2->vertical()));
  if (Panel2->volumeBarPosition() == before) mixerecho::volumeReportUnmoved(mixer_);
}

void TFormTVView::queueSizeRequests() {
  const sizing::Size s = panel1Size();
  engine_->setWinSize(s.width, s.height);
  engine_->execOneLine("cVCap loadQuality");
}

void TFormTVView::FormActivate() {
  if (engine_) queueSizeRequests();
}

void TFormTVView::FormResize() {
  alignPanels();
  if (!engine_) return;
  queueSizeRequests();
  for (const SizeItem& s : kSizes) videoSizeMenu_.setChecked(s.id, false);
  settings_.viewSettings.videoSize = 0;
}

void TFormTVView::onMove() {
  if (engine_) engine_->execOneLine("cVCap loadQuality");
}

LRESULT TFormTVView::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOVE:
      onMove();
      return 0;
    case WM_SIZE:
      FormResize();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
      break;
    case WM_CLOSE:
      close();
      return 0;
    case WM_ENABLE:
      // The floating panel is a window of its own: a modal box or dialog that holds the view
      // holds it too.
      if (floatingHost_) EnableWindow(floatingHost_->handle(), static_cast<BOOL>(wParam));
      break;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (at.x == -1 && at.y == -1) GetCursorPos(&at);
      popUpMenu(at);
      return 0;
    }
    case WM_COMMAND:
      // Menu commands posted to the view, as a shortcut or another program would, only when the
      // menu would offer them.
      if (lParam == 0 && HIWORD(wParam) == 0) {
        PopupMenu2Popup();
        if (PopupMenu2.choosable(LOWORD(wParam))) runMenuItem(LOWORD(wParam));
        return 0;
      }
      break;
    case tvr::TVR_MIXERIDS:
      onMixerIds(wParam, lParam);
      return 0;
    case MM_MIXM_CONTROL_CHANGE:
      onMixerControlChange(lParam);
      return 0;
    case tvr::TVR_NOMIXER:
      onNoMixer();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == control(kPanel1)) {
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
      }
      break;
  }
  return defaultHandling(msg, wParam, lParam);
}
