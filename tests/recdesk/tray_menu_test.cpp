#include "recdesk/core/tray_menu.h"

#include <gtest/gtest.h>

TEST(TrayMenu, BusyQueueOrOpenOptionsLeaveOnlyTheTwoProgramsToStart) {
  for (TrayMenuState s : {TrayMenuState{.queueBusy = true}, TrayMenuState{.optionsOpen = true}}) {
    s.recMenuOn = s.stopTimeMenuOn = true;
    for (bool table : {false, true}) {
      s.channelTableFound = table;
      const TrayMenuEnabling e = trayMenuEnabling(s);
      EXPECT_FALSE(e.tvView || e.stopRecording || e.stopTime || e.version || e.exit);
      EXPECT_EQ(e.reservations, table);
      EXPECT_EQ(e.guide, table);
    }
  }
}

TEST(TrayMenu, IdleQueueFollowsTheRecordingFlags) {
  TrayMenuEnabling e = trayMenuEnabling({.recMenuOn = true});
  EXPECT_TRUE(e.tvView && e.version && e.exit && e.stopRecording);
  EXPECT_FALSE(e.stopTime || e.reservations || e.guide);
  e = trayMenuEnabling({.channelTableFound = true, .stopTimeMenuOn = true});
  EXPECT_TRUE(e.stopTime && e.reservations && e.guide);
  EXPECT_FALSE(e.stopRecording);
}
