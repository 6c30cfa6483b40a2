// The TV view's decisions: docking, the monitor's work area, stored placements, closing, and
// the engine's channel and volume reports.
#include "recdesk/core/view_rules.h"

#include <gtest/gtest.h>

using namespace viewrules;
using sizing::Rect;

TEST(ViewRules, DockingSharesTheClientAreaWithThePanel) {
  const Docking top = dock(1, {323, 261});
  EXPECT_EQ(top.panel, (Rect{0, 0, 323, 40}));
  EXPECT_EQ(top.video, (Rect{0, 40, 323, 261}));
  EXPECT_TRUE(top.panelHorizontal);
  const Docking bottom = dock(2, {640, 520});
  EXPECT_EQ(bottom.panel, (Rect{0, 480, 640, 520}));
  EXPECT_EQ(bottom.video, (Rect{0, 0, 640, 480}));
  const Docking left = dock(3, {680, 480});
  EXPECT_EQ(left.panel, (Rect{0, 0, 40, 480}));
  EXPECT_EQ(left.video, (Rect{40, 0, 680, 480}));
  EXPECT_FALSE(left.panelHorizontal);
  const Docking right = dock(4, {680, 480});
  EXPECT_EQ(right.panel, (Rect{640, 0, 680, 480}));
  EXPECT_EQ(right.video, (Rect{0, 0, 640, 480}));
  // Hidden or floating: the video takes everything.
  for (int position : {0, 5}) {
    const Docking d = dock(position, {640, 480});
    EXPECT_FALSE(d.panelDocked);
    EXPECT_EQ(d.video, (Rect{0, 0, 640, 480}));
  }
  // A damaged value leaves the panel where it was designed, at the top; a tiny window never
  // gets a negative video panel.
  EXPECT_EQ(dock(9, {100, 100}).panel, (Rect{0, 0, 100, 40}));
  EXPECT_EQ(dock(2, {100, 20}).video, (Rect{0, 0, 100, 0}));
}

TEST(ViewRules, WorkAreaIsTheMonitorsOwnAndTheTaskbarOnlyNarrowsItsMonitor) {
  const Rect second{-1280, 0, 0, 1024};
  const Rect secondWork{-1280, 0, 0, 1024};
  // A monitor left of the primary one: nothing is assumed to start at (0,0).
  EXPECT_EQ(monitorWorkArea(std::nullopt, second, secondWork), secondWork);
  const sizing::Taskbar bottomBar{3, {0, 1040, 1920, 1080}};
  EXPECT_EQ(monitorWorkArea(bottomBar, second, secondWork), secondWork);
  const Rect primary{0, 0, 1920, 1080};
  EXPECT_EQ(monitorWorkArea(bottomBar, primary, primary), (Rect{0, 0, 1920, 1040}));
  EXPECT_EQ(monitorWorkArea(sizing::Taskbar{0, {0, 0, 60, 1080}}, primary, primary), (Rect{60, 0, 1920, 1080}));
  EXPECT_EQ(monitorWorkArea(sizing::Taskbar{1, {0, 0, 1920, 30}}, primary, primary), (Rect{0, 30, 1920, 1080}));
  EXPECT_EQ(monitorWorkArea(sizing::Taskbar{2, {1860, 0, 1920, 1080}}, primary, primary), (Rect{0, 0, 1860, 1080}));
  // A bar that does not sit on its edge (a tray window at the top-left claiming the bottom).
  EXPECT_EQ(monitorWorkArea(sizing::Taskbar{3, {0, 0, 166, 45}}, primary, primary), primary);
  EXPECT_EQ(monitorWorkArea(sizing::Taskbar{2, {0, 0, 166, 45}}, primary, primary), primary);
  // The system's own work area already leaves the taskbar out: it is not taken off twice.
  EXPECT_EQ(monitorWorkArea(bottomBar, primary, Rect{0, 0, 1920, 1040}), (Rect{0, 0, 1920, 1040}));
}

TEST(ViewRules, AStoredPlacementMustLieOnAScreen) {
  const std::vector<Rect> monitors = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
  EXPECT_TRUE(placementOnScreen({100, 120, 500, 420}, {0, 0}, monitors));
  EXPECT_TRUE(placementOnScreen({1500, 100, 1900, 400}, {0, 0}, monitors));  // on the second monitor
  EXPECT_FALSE(placementOnScreen({5000, 4000, 5400, 4300}, {0, 0}, monitors));
  EXPECT_FALSE(placementOnScreen({-900, 100, -500, 400}, {0, 0}, monitors));
  // A sliver at the edge cannot be grabbed; a bigger part can.
  EXPECT_FALSE(placementOnScreen({2040, 100, 2440, 400}, {0, 0}, monitors));
  EXPECT_TRUE(placementOnScreen({2000, 100, 2400, 400}, {0, 0}, monitors));
  // Workspace coordinates: a taskbar at the top moves them down on the screen.
  EXPECT_FALSE(placementOnScreen({0, 750, 400, 1000}, {0, 30}, monitors));
  EXPECT_TRUE(placementOnScreen({0, 700, 400, 1000}, {0, 30}, monitors));
  // No size: nothing to restore.
  EXPECT_FALSE(placementOnScreen({100, 100, 100, 400}, {0, 0}, monitors));
  EXPECT_FALSE(placementOnScreen({100, 100, 50, 50}, {0, 0}, monitors));
  EXPECT_FALSE(placementOnScreen({100, 100, 500, 400}, {0, 0}, {}));
}

TEST(ViewRules, TheViewStaysWhileARecordingRunsOrAReservationWaitsForItsCapture) {
  EXPECT_EQ(closeAnswer(false, false), CloseAnswer::close);
  EXPECT_EQ(closeAnswer(true, false), CloseAnswer::minimise);
  EXPECT_EQ(closeAnswer(false, true), CloseAnswer::minimise);
  EXPECT_EQ(closeAnswer(true, true), CloseAnswer::minimise);
}

TEST(ViewRules, ChannelLabelAndVolumeBarFromTheEnginesReports) {
  EXPECT_EQ(channelLabel(65535), "C");
  EXPECT_EQ(channelLabel(65534), "S");
  EXPECT_EQ(channelLabel(12), "12");
  EXPECT_EQ(channelLabel(0x1000C), "12");  // only the low 16 bits count
  EXPECT_EQ(channelLabel(65533), "65533");
  EXPECT_EQ(volumeBarPosition(16384, false), 16384);
  EXPECT_EQ(volumeBarPosition(16384, true), 49151);
}

// Found by the posted-results fuzz target: a reported volume outside the bar overflowed when
// flipped for the vertical bar and gave positions the bar does not have.
TEST(FuzzFindings, AVolumeReportOutsideTheBarIsKeptWithinIt) {
  EXPECT_EQ(volumeBarPosition(INT32_MIN, true), 65535);
  EXPECT_EQ(volumeBarPosition(0xFF1403, false), 65535);  // the fuzz target's own input
  EXPECT_EQ(volumeBarPosition(70000, true), 0);
  EXPECT_EQ(volumeBarPosition(70000, false), 65535);
}
