#include "view_sizing.h"

namespace sizing {

std::optional<Size> clientSizeFor(int panelPosition, Size video) {
  switch (panelPosition) {
    case 0:
    case 5:
      return video;
    case 1:
    case 2:
      return Size{video.width, video.height + kPanelThickness};
    case 3:
    case 4:
      return Size{video.width + kPanelThickness, video.height};
    default:
      return std::nullopt;
  }
}

std::optional<Size> snapAspect(Size panel) {
  const long long w = panel.width, h = panel.height;
  if (4 * h == 3 * w) return std::nullopt;
  if (4 * h < 3 * w) return Size{static_cast<int>(4 * h / 3), panel.height};
  return Size{panel.width, static_cast<int>(3 * w / 4)};
}

Rect workArea(const std::optional<Taskbar>& taskbar, Size desktop) {
  Rect work{0, 0, desktop.width, desktop.height};
  if (!taskbar) return work;
  if (taskbar->edge == 1) work.top = taskbar->rect.bottom;
  if (taskbar->edge == 3) work.bottom = taskbar->rect.top;
  if (taskbar->edge == 0) work.left = taskbar->rect.right;
  if (taskbar->edge == 2) work.right = taskbar->rect.left;
  return work;
}

Point cornerPosition(int corner, const Rect& work, Size window) {
  const bool bottom = corner == 2 || corner == 4;
  const bool right = corner == 3 || corner == 4;
  return Point{right ? work.right - window.width : work.left, bottom ? work.bottom - window.height : work.top};
}

Point clampToCorner(int corner, const Rect& work, Point position, Size window) {
  Point p = position;
  if (corner == 1 || corner == 3 || p.y < work.top) p.y = work.top;
  if (corner == 2 || corner == 4 || p.y + window.height > work.bottom) p.y = work.bottom - window.height;
  if (corner == 1 || corner == 2 || p.x < work.left) p.x = work.left;
  if (corner == 3 || corner == 4 || p.x + window.width > work.right) p.x = work.right - window.width;
  return p;
}

Rect floatingPanelRect(Point windowPosition, Size window, int rowWidth) {
  const int top = windowPosition.y + window.height;
  return Rect{windowPosition.x, top, windowPosition.x + rowWidth, top + kPanelThickness};
}

namespace {

// Lays the children out in a row (horizontal) or a column.
PanelLayout layout(const std::array<Size, kChildCount>& designSizes, bool horizontal) {
  std::array<Size, kChildCount> sizes = designSizes;
  sizes[kVolume] = horizontal ? Size{100, 38} : Size{38, 100};
  // Gap behind each child along the run; the first child starts 5 in.
  constexpr int kGapAfter[kChildCount] = {3, 0, 3, 0, 0, 5};
  PanelLayout result;
  int run = 5;
  for (int i = 0; i < kChildCount; ++i) {
    const int across = i == kVolume ? 1 : 7;
    const Size s = sizes[i];
    result.children[i] = horizontal ? Rect{run, across, run + s.width, across + s.height}
                                    : Rect{across, run, across + s.width, run + s.height};
    run += (horizontal ? s.width : s.height) + kGapAfter[i];
  }
  result.extent = run;
  return result;
}

}  // namespace

PanelLayout layoutPanelHorizontal(const std::array<Size, kChildCount>& sizes) { return layout(sizes, true); }
PanelLayout layoutPanelVertical(const std::array<Size, kChildCount>& sizes) { return layout(sizes, false); }

int flippedPosition(int maximum, int position) { return maximum - position; }

}  // namespace sizing
