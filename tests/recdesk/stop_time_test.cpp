// The stop-time rule: the chosen time's next occurrence, after now and at most a day ahead; the
// frame rates the engine would apply.
#include "recdesk/core/stop_time.h"

#include <gtest/gtest.h>

#include "recdesk/core/frame_rate.h"

namespace {
double minutes(double m) { return m / 1440.0; }
const double kNow = 46000.5 + 13.0 / 86400.0;  // an afternoon, 13 s past the minute
}  // namespace

TEST(StopTime, TheNextOccurrenceOfTheChosenTime) {
  EXPECT_EQ(minutesToStop(kNow - minutes(1), kNow), 1439);
  EXPECT_EQ(minutesToStop(kNow, kNow), 1440);
  EXPECT_EQ(minutesToStop(kNow + minutes(90), kNow), 90);
  EXPECT_EQ(minutesToStop(kNow + minutes(90) - 1 / 86400.0, kNow), 89);
  // The date part does not count: days before or after fold to the same minutes.
  EXPECT_EQ(minutesToStop(kNow + minutes(90) - 3, kNow), 90);
  EXPECT_EQ(minutesToStop(kNow - minutes(1) + 40000, kNow), 1439);
  EXPECT_EQ(minutesToStop(kNow + 1, kNow), 1440);
  // The stop applied is the one the minutes showed: never now, never more than a day ahead.
  EXPECT_EQ(millisecondsToStop(kNow, kNow), 86400000);
  EXPECT_EQ(millisecondsToStop(kNow - 2 + minutes(30), kNow), 1800000);
  EXPECT_EQ(millisecondsToStop(kNow + 1e-9, kNow), 86400000);  // below a millisecond is now
  EXPECT_NEAR(nextStop(kNow - minutes(1), kNow), kNow + minutes(1439), 1e-9);
  EXPECT_NEAR(nextStop(kNow + minutes(90) - 1, kNow), kNow + minutes(90), 1e-9);
}

TEST(FrameRate, OnlyOneTokenTheEngineConvertsToARateItApplies) {
  for (const char* rate : {"29.97", "30", "0.5", "1e7", "2e-12", "+15", "2.5E1"})
    EXPECT_TRUE(isApplicableFrameRate(rate)) << rate;
  // Not a number, not above 0, split by a blank, or beyond the frame time's range.
  for (const char* rate : {"", "0", "-5", "abc", "29.97 30", " 30", "30 ", "1e10", "1e-12", "10000001", "1e999",
                           "0x1E", "inf", "nan", "\"30\"", "30fps", "."})
    EXPECT_FALSE(isApplicableFrameRate(rate)) << rate;
}
