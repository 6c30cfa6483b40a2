// The TV view's sizing arithmetic: client size for a video size, the 4:3 snap, the work area
// beside the taskbar, corner placement and clamping, and the control panel's layout.
#pragma once

#include <array>
#include <optional>

namespace sizing {

constexpr int kPanelThickness = 40;

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Left, top, right, bottom.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

// The client size that gives the video panel w x h with the control panel at position
// (0 none, 1 top, 2 bottom, 3 left, 4 right, 5 floating); nothing for other positions.
std::optional<Size> clientSizeFor(int panelPosition, Size video);

// The video size that makes a panel of w x h 4:3, or nothing when it already is.
std::optional<Size> snapAspect(Size panel);

// The taskbar's edge as the shell reports it (ABE_LEFT 0, ABE_TOP 1, ABE_RIGHT 2, ABE_BOTTOM 3).
struct Taskbar {
  int edge = 3;
  Rect rect;
};
// The part of the desktop that the taskbar leaves free.
Rect workArea(const std::optional<Taskbar>& taskbar, Size desktop);

// Top-left of a window of the given outer size in a corner (1 top-left, 2 bottom-left,
// 3 top-right, 4 bottom-right) of the work area.
Point cornerPosition(int corner, const Rect& work, Size window);

// Keeps a window inside the work area and at its corner; a window larger than the work area
// ends at its bottom or right edge.
Point clampToCorner(int corner, const Rect& work, Point position, Size window);

// The floating control panel's rectangle just below the window, for a row width.
Rect floatingPanelRect(Point windowPosition, Size window, int rowWidth);

// The control panel's children in order: channel label, channel up, channel down, record,
// volume bar, mute.
enum Child { kChannelLabel, kChannelUp, kChannelDown, kRecord, kVolume, kMute, kChildCount };

struct PanelLayout {
  std::array<Rect, kChildCount> children;  // left, top, right, bottom of each child
  int extent = 0;                          // the row's width (or the column's height)
};

// A row (horizontal) or a column; sizes are the children's design sizes (the volume bar's is
// replaced by 100 x 38 or 38 x 100).
PanelLayout layoutPanelHorizontal(const std::array<Size, kChildCount>& sizes);
PanelLayout layoutPanelVertical(const std::array<Size, kChildCount>& sizes);

// The volume bar keeps its volume when it turns: position := maximum - position.
int flippedPosition(int maximum, int position);

}  // namespace sizing
