#include "view_rules.h"

#include <algorithm>

namespace viewrules {

using sizing::Rect;

Docking dock(int panelPosition, sizing::Size client) {
  const int w = client.width, h = client.height, t = sizing::kPanelThickness;
  Docking d;
  d.video = Rect{0, 0, w, h};
  switch (panelPosition) {
    case 0:
    case 5:
      return d;
    case 2:
      d.panel = Rect{0, std::max(0, h - t), w, h};
      d.video.bottom = d.panel.top;
      break;
    case 3:
      d.panel = Rect{0, 0, std::min(t, w), h};
      d.video.left = d.panel.right;
      d.panelHorizontal = false;
      break;
    case 4:
      d.panel = Rect{std::max(0, w - t), 0, w, h};
      d.video.right = d.panel.left;
      d.panelHorizontal = false;
      break;
    default:  // 1, and the designed place for values out of range
      d.panel = Rect{0, 0, w, std::min(t, h)};
      d.video.top = d.panel.bottom;
      break;
  }
  d.panelDocked = true;
  return d;
}

Rect monitorWorkArea(const std::optional<sizing::Taskbar>& taskbar, const Rect& monitor, const Rect& monitorWork) {
  Rect work = monitorWork;
  if (!taskbar) return work;
  const Rect& bar = taskbar->rect;
  const bool onThisMonitor = bar.left < monitor.right && bar.right > monitor.left && bar.top < monitor.bottom &&
                             bar.bottom > monitor.top;
  if (!onThisMonitor) return work;
  // A bar counts only against the edge it sits on; one that does not reach that edge (a
  // tray window of another shell) would otherwise shrink the area to nothing.
  if (taskbar->edge == 1 && bar.top <= monitor.top) work.top = std::max(work.top, bar.bottom);
  if (taskbar->edge == 3 && bar.bottom >= monitor.bottom) work.bottom = std::min(work.bottom, bar.top);
  if (taskbar->edge == 0 && bar.left <= monitor.left) work.left = std::max(work.left, bar.right);
  if (taskbar->edge == 2 && bar.right >= monitor.right) work.right = std::min(work.right, bar.left);
  return work;
}

bool placementOnScreen(const Rect& stored, sizing::Point primaryWorkOrigin, const std::vector<Rect>& monitors) {
  if (stored.right <= stored.left || stored.bottom <= stored.top) return false;
  const Rect screen{stored.left + primaryWorkOrigin.x, stored.top + primaryWorkOrigin.y,
                    stored.right + primaryWorkOrigin.x, stored.bottom + primaryWorkOrigin.y};
  const long long minWidth = std::min(kMinVisible, screen.right - screen.left);
  const long long minHeight = std::min(kMinVisible, screen.bottom - screen.top);
  return std::any_of(monitors.begin(), monitors.end(), [&](const Rect& m) {
    const long long w = std::min(screen.right, m.right) - std::max(screen.left, m.left);
    const long long h = std::min(screen.bottom, m.bottom) - std::max(screen.top, m.top);
    return w >= minWidth && h >= minHeight;
  });
}

CloseAnswer closeAnswer(bool recordButtonDown, bool reservationScheduled) {
  return recordButtonDown || reservationScheduled ? CloseAnswer::minimise : CloseAnswer::close;
}

std::string channelLabel(uint32_t wParam) {
  const auto key = static_cast<int16_t>(wParam & 0xFFFF);
  if (key == -1) return "C";
  if (key == -2) return "S";
  return std::to_string(wParam & 0xFFFF);
}

int volumeBarPosition(int volume, bool vertical) {
  // The engine's report is any 32-bit number; the bar holds 0-65535, and flipping a value far
  // outside that would overflow.
  const int onBar = std::clamp(volume, 0, 65535);
  return vertical ? sizing::flippedPosition(65535, onBar) : onBar;
}

}  // namespace viewrules
