// The TV view's decisions that need no window: where the video and control panels lie in the
// client area, the work area of the view's monitor, whether a stored placement is still on a
// screen, whether the view may close, and the channel label of an engine report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "view_sizing.h"

namespace viewrules {

// The video panel and the docked control panel in a client area (panel position 0 none,
// 1 top, 2 bottom, 3 left, 4 right, 5 floating; other values leave the panel as designed,
// at the top).
struct Docking {
  sizing::Rect video;
  sizing::Rect panel;  // empty when the panel is hidden or floats
  bool panelDocked = false;
  bool panelHorizontal = true;  // a row; false: a column
};
Docking dock(int panelPosition, sizing::Size client);

// The work area of one monitor: its own work area, narrowed by the taskbar when the taskbar
// lies on that monitor. Nothing assumes the screen starts at (0,0).
sizing::Rect monitorWorkArea(const std::optional<sizing::Taskbar>& taskbar, const sizing::Rect& monitor,
                             const sizing::Rect& monitorWork);

// A stored restored rectangle (workspace coordinates: (0,0) is the top-left of the primary
// monitor's work area) is usable when it has a size and enough of it lies on some monitor to
// grab it again.
constexpr int kMinVisible = 32;
bool placementOnScreen(const sizing::Rect& stored, sizing::Point primaryWorkOrigin,
                       const std::vector<sizing::Rect>& monitors);

// A close of the view: go ahead, or refuse and minimise. A running recording keeps the view,
// and so does a reservation set up or recording (closing would tear its graph down and lose it).
enum class CloseAnswer { close, minimise };
CloseAnswer closeAnswer(bool recordButtonDown, bool reservationScheduled);

// The channel label of TVR_CHANNEL: "C" composite, "S" S-Video, else the channel number.
std::string channelLabel(uint32_t wParam);

// The volume bar's position for a reported volume, kept within the bar (reversed when vertical).
int volumeBarPosition(int volume, bool vertical);

}  // namespace viewrules
