// The notice countdown's ticks land on its deadline's second boundaries.
#include "recdesk/core/countdown.h"

#include <gtest/gtest.h>

namespace {
double ms(double m) { return m / 86400000.0; }
const double kDeadline = 45000.5;  // any time
}  // namespace

TEST(NoticeCountdown, TicksOnTheDeadlinesSecondBoundaries) {
  // Opened 40.3 seconds before the deadline: the first tick after 300 ms.
  EXPECT_EQ(noticeFirstTick(kDeadline - ms(40300), kDeadline), 300u);
  EXPECT_EQ(noticeNextTick(kDeadline - ms(40300), kDeadline), 300u);
  EXPECT_EQ(noticeNextTick(kDeadline - ms(39999), kDeadline), 999u);
  // Within 50 ms of a boundary: the first tick waits a second more, the others 50 ms.
  EXPECT_EQ(noticeFirstTick(kDeadline - ms(40020), kDeadline), 1020u);
  EXPECT_EQ(noticeNextTick(kDeadline - ms(40020), kDeadline), 50u);
  EXPECT_EQ(noticeNextTick(kDeadline - ms(1000), kDeadline), 50u);
  // The deadline has passed: the shortest wait.
  EXPECT_EQ(noticeNextTick(kDeadline + ms(10), kDeadline), 50u);
}

TEST(NoticeCountdown, WholeSecondsLeft) {
  EXPECT_EQ(wholeSecondsTo(kDeadline - ms(40300), kDeadline), 40);
  EXPECT_EQ(wholeSecondsTo(kDeadline - ms(40000), kDeadline), 40);
  EXPECT_EQ(wholeSecondsTo(kDeadline - ms(999), kDeadline), 0);
  EXPECT_EQ(wholeSecondsTo(kDeadline + ms(5000), kDeadline), 0);
}
