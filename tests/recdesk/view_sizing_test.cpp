// The TV view's sizing arithmetic.
#include "recdesk/core/view_sizing.h"

#include <gtest/gtest.h>

using namespace sizing;

TEST(Sizing, ClientSizeForAVideoSizeByPanelPosition) {
  EXPECT_EQ(clientSizeFor(1, {640, 480}), (Size{640, 520}));
  EXPECT_EQ(clientSizeFor(2, {640, 480}), (Size{640, 520}));
  EXPECT_EQ(clientSizeFor(3, {640, 480}), (Size{680, 480}));
  EXPECT_EQ(clientSizeFor(4, {640, 480}), (Size{680, 480}));
  EXPECT_EQ(clientSizeFor(0, {640, 480}), (Size{640, 480}));
  EXPECT_EQ(clientSizeFor(5, {640, 480}), (Size{640, 480}));
  EXPECT_FALSE(clientSizeFor(6, {640, 480}));
  EXPECT_FALSE(clientSizeFor(255, {640, 480}));
}

TEST(Sizing, SnapToFourThree) {
  EXPECT_EQ(snapAspect({400, 240}), (Size{320, 240}));
  EXPECT_EQ(snapAspect({320, 300}), (Size{320, 240}));
  EXPECT_FALSE(snapAspect({320, 240}));
  EXPECT_EQ(snapAspect({101, 100}), (Size{101, 75}));  // cut toward zero
  EXPECT_EQ(snapAspect({200, 101}), (Size{134, 101}));
}

TEST(Sizing, WorkAreaBesideTheTaskbar) {
  const Size desktop{1920, 1080};
  EXPECT_EQ(workArea(std::nullopt, desktop), (Rect{0, 0, 1920, 1080}));
  EXPECT_EQ(workArea(Taskbar{3, {0, 1040, 1920, 1080}}, desktop), (Rect{0, 0, 1920, 1040}));
  EXPECT_EQ(workArea(Taskbar{1, {0, 0, 1920, 30}}, desktop), (Rect{0, 30, 1920, 1080}));
  EXPECT_EQ(workArea(Taskbar{0, {0, 0, 60, 1080}}, desktop), (Rect{60, 0, 1920, 1080}));
  EXPECT_EQ(workArea(Taskbar{2, {1860, 0, 1920, 1080}}, desktop), (Rect{0, 0, 1860, 1080}));
}

TEST(Sizing, Corners) {
  const Rect bottomBar{0, 0, 1920, 1040};
  EXPECT_EQ(cornerPosition(4, bottomBar, {400, 300}), (Point{1520, 740}));
  EXPECT_EQ(cornerPosition(2, bottomBar, {400, 300}), (Point{0, 740}));
  EXPECT_EQ(cornerPosition(3, bottomBar, {400, 300}), (Point{1520, 0}));
  const Rect leftBar{60, 0, 1920, 1080};
  EXPECT_EQ(cornerPosition(1, leftBar, {400, 300}), (Point{60, 0}));
}

TEST(Sizing, ClampKeepsTheCornerOrTheWorkArea) {
  const Rect work{0, 0, 1920, 1040};
  // After "左下" the window returns to its corner wherever the user moved it.
  EXPECT_EQ(clampToCorner(2, work, {500, 100}, {400, 300}), (Point{0, 740}));
  EXPECT_EQ(clampToCorner(3, work, {500, 100}, {400, 300}), (Point{1520, 0}));
  // Without a corner it is only pushed back inside.
  EXPECT_EQ(clampToCorner(0, work, {500, 100}, {400, 300}), (Point{500, 100}));
  EXPECT_EQ(clampToCorner(0, work, {-20, -5}, {400, 300}), (Point{0, 0}));
  EXPECT_EQ(clampToCorner(0, work, {1700, 900}, {400, 300}), (Point{1520, 740}));
  // Larger than the work area: it ends at the bottom and right edges.
  EXPECT_EQ(clampToCorner(1, work, {0, 0}, {2000, 1100}), (Point{-80, -60}));
}

TEST(Sizing, FloatingPanelJustBelowTheWindow) {
  EXPECT_EQ(floatingPanelRect({100, 50}, {400, 300}, 246), (Rect{100, 350, 346, 390}));
}

TEST(Sizing, PanelRowAndColumnWithTheDesignSizes) {
  const std::array<Size, kChildCount> design = {Size{26, 26}, Size{26, 26}, Size{26, 26},
                                                Size{26, 26}, Size{150, 45}, Size{26, 26}};
  PanelLayout row = layoutPanelHorizontal(design);
  EXPECT_EQ(row.extent, 246);
  EXPECT_EQ(row.children[kChannelLabel], (Rect{5, 7, 31, 33}));
  EXPECT_EQ(row.children[kChannelUp], (Rect{34, 7, 60, 33}));
  EXPECT_EQ(row.children[kChannelDown], (Rect{60, 7, 86, 33}));
  EXPECT_EQ(row.children[kRecord], (Rect{89, 7, 115, 33}));
  EXPECT_EQ(row.children[kVolume], (Rect{115, 1, 215, 39}));
  EXPECT_EQ(row.children[kMute], (Rect{215, 7, 241, 33}));
  PanelLayout column = layoutPanelVertical(design);
  EXPECT_EQ(column.children[kChannelLabel], (Rect{7, 5, 33, 31}));
  EXPECT_EQ(column.children[kRecord], (Rect{7, 89, 33, 115}));
  EXPECT_EQ(column.children[kVolume], (Rect{1, 115, 39, 215}));
  EXPECT_EQ(column.children[kMute], (Rect{7, 215, 33, 241}));
}

TEST(Sizing, TheVolumeBarKeepsItsVolumeWhenItTurns) {
  EXPECT_EQ(flippedPosition(65535, 16384), 49151);
  EXPECT_EQ(flippedPosition(65535, flippedPosition(65535, 100)), 100);
}
