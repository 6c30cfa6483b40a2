// Rolling past reservations forward by their repeat kind, and the sort.
#include "recdesk/core/rsv_ele.h"

#include <gtest/gtest.h>

#include "common/oledate.h"
#include "reserve_builder.h"

namespace {

double at(int y, int m, int d, int h = 0, int n = 0) {
  return tavora::encodeOleDateTime({y, m, d, h, n, 0, 0});
}

}  // namespace

TEST(RollForward, WeeklyMovesInWholeWeeksUntilTheEndIsNotPast) {
  const double now = at(2024, 3, 21, 12);
  std::vector<TRsvEle> list = {reservation(at(2024, 3, 1, 21), at(2024, 3, 1, 22), 1, "w", TRsvEle::kWeekly)};
  rollForward(list, now);  // ended 20 days ago: 21 days on
  EXPECT_EQ(list[0].start, at(2024, 3, 22, 21));
  EXPECT_EQ(list[0].end, at(2024, 3, 22, 22));
  EXPECT_EQ(list[0].done, 0);
}

TEST(RollForward, AnEntryEndingExactlyNowStays) {
  const double now = at(2024, 3, 21, 12);
  std::vector<TRsvEle> list = {reservation(now - 0.1, now, 1, "d", TRsvEle::kDaily)};
  rollForward(list, now);
  EXPECT_EQ(list[0].end, now);
}

TEST(RollForward, WeekdaysSkipSaturdayAndSunday) {
  const double now = at(2024, 3, 9, 12);  // Saturday noon
  std::vector<TRsvEle> list = {
      reservation(at(2024, 3, 8, 7), at(2024, 3, 8, 8), 1, "fri", TRsvEle::kWeekdays),
      reservation(at(2024, 3, 9, 7), at(2024, 3, 9, 8), 1, "sat", TRsvEle::kWeekdays),
  };
  rollForward(list, now);
  EXPECT_EQ(list[0].start, at(2024, 3, 11, 7));
  EXPECT_EQ(list[1].start, at(2024, 3, 11, 7));
  EXPECT_EQ(list[0].title, "fri");  // equal starts keep their order
}

TEST(RollForward, WeekdaysLongPastLandOnTheNextWeekday) {
  const double now = at(2024, 3, 20, 12);  // Wednesday noon
  std::vector<TRsvEle> list = {reservation(at(2023, 1, 6, 7), at(2023, 1, 6, 8), 1, "w", TRsvEle::kWeekdays)};
  rollForward(list, now);
  EXPECT_EQ(list[0].start, at(2024, 3, 21, 7));
  list = {reservation(at(2024, 3, 20, 7), at(2024, 3, 20, 13), 1, "w", TRsvEle::kWeekdays)};
  rollForward(list, now);  // still running: stays
  EXPECT_EQ(list[0].start, at(2024, 3, 20, 7));
}

TEST(RollForward, DailyAndOnce) {
  const double now = at(2024, 3, 20, 12);
  std::vector<TRsvEle> list = {reservation(at(2024, 3, 10, 5), at(2024, 3, 10, 6), 1, "d", TRsvEle::kDaily),
                               reservation(at(2024, 3, 19, 5), at(2024, 3, 19, 6), 1, "o", TRsvEle::kOnce)};
  rollForward(list, now);
  EXPECT_EQ(list[0].title, "o");
  EXPECT_EQ(list[0].done, 1);
  EXPECT_EQ(list[0].start, at(2024, 3, 19, 5));
  EXPECT_EQ(list[1].start, at(2024, 3, 21, 5));
  EXPECT_EQ(list[1].done, 0);
}

TEST(RollForward, AnUnknownRepeatOnAPastEntryCountsAsOnce) {
  const double now = at(2024, 3, 20, 12);
  std::vector<TRsvEle> list = {reservation(at(2024, 3, 19, 5), at(2024, 3, 19, 6), 1, "x", 7),
                               reservation(at(2024, 3, 21, 5), at(2024, 3, 21, 6), 1, "future", 7)};
  rollForward(list, now);
  EXPECT_EQ(list[0].done, 1);
  EXPECT_EQ(list[0].start, at(2024, 3, 19, 5));
  EXPECT_EQ(list[1].done, 0);
}

TEST(RollForward, DoneIsNeverClearedAndTheSortIsStable) {
  const double now = at(2024, 3, 20, 12);
  TRsvEle done = reservation(at(2024, 3, 25, 5), at(2024, 3, 25, 6), 1, "b", TRsvEle::kWeekly);
  done.done = 1;
  std::vector<TRsvEle> list = {reservation(at(2024, 3, 25, 5), at(2024, 3, 25, 6), 1, "a"), done,
                               reservation(at(2024, 3, 24, 5), at(2024, 3, 24, 6), 1, "c")};
  rollForward(list, now);
  EXPECT_EQ(list[0].title, "c");
  EXPECT_EQ(list[1].title, "a");
  EXPECT_EQ(list[2].title, "b");
  EXPECT_EQ(list[2].done, 1);
}

TEST(StepToNextOccurrence, OneStepPerKind) {
  TRsvEle fri = reservation(at(2024, 3, 8, 7), at(2024, 3, 8, 8), 1, "w", TRsvEle::kWeekdays);
  EXPECT_TRUE(stepToNextOccurrence(fri));
  EXPECT_EQ(fri.start, at(2024, 3, 11, 7));
  TRsvEle weekly = reservation(at(2024, 3, 8, 7), at(2024, 3, 8, 8), 1, "w", TRsvEle::kWeekly);
  EXPECT_TRUE(stepToNextOccurrence(weekly));
  EXPECT_EQ(weekly.end, at(2024, 3, 15, 8));
  TRsvEle once = reservation(at(2024, 3, 8, 7), at(2024, 3, 8, 8), 1, "o");
  EXPECT_FALSE(stepToNextOccurrence(once));
  EXPECT_EQ(once.start, at(2024, 3, 8, 7));
}
