// reserve.dat: header, 48-byte records and their strings, read field by field.
#include "recdesk/core/reserve_file.h"

#include <gtest/gtest.h>

#include <limits>

#include "reserve_builder.h"

TEST(ReserveFile, ReadsEveryFieldAtItsOffset) {
  TRsvEle a = reservation(45000.5, 45000.6, -2, "news", TRsvEle::kWeekdays);
  a.head = {1, 2, 3, 4, 5, 6, 7, 8};
  a.powerOff = 1;
  a.done = 1;
  a.enabled = 0;
  a.addDate = 1;
  a.quality = "";
  TRsvEle b = reservation(45001.25, 45001.5, 12, "drama");
  const std::vector<uint8_t> data = reserveFile({a, b});
  ASSERT_EQ(data.size(), 16 + 2 * 48 + (1 + 16 + 5) + (3 + 17 + 6));
  std::vector<TRsvEle> list = readReserveFile(data);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].head, a.head);
  EXPECT_EQ(list[0].start, 45000.5);
  EXPECT_EQ(list[0].end, 45000.6);
  EXPECT_EQ(list[0].channel, -2);
  EXPECT_EQ(list[0].quality, "");
  EXPECT_EQ(list[0].fileName, "D:\\rec\\news.avi");
  EXPECT_EQ(list[0].title, "news");
  EXPECT_EQ(list[0].repeat, TRsvEle::kWeekdays);
  EXPECT_EQ(list[0].powerOff, 1);
  EXPECT_EQ(list[0].done, 1);
  EXPECT_EQ(list[0].enabled, 0);
  EXPECT_EQ(list[0].addDate, 1);
  EXPECT_EQ(list[1].channel, 12);
  EXPECT_EQ(list[1].quality, "q1");
  EXPECT_EQ(list[1].title, "drama");
  EXPECT_EQ(list[1].enabled, 1);
}

TEST(ReserveFile, EmptyAndHeaderOnlyFiles) {
  EXPECT_TRUE(readReserveFile({}).empty());
  EXPECT_TRUE(readReserveFile(std::vector<uint8_t>(11, 0)).empty());
  EXPECT_TRUE(readReserveFile(reserveFile({})).empty());
}

TEST(ReserveFile, AShortFileKeepsTheCompleteRecordsAndStopsAtTheEnd) {
  const std::vector<uint8_t> full =
      reserveFile({reservation(45000.5, 45000.6, 1, "a"), reservation(45001.5, 45001.6, 2, "b"),
                   reservation(45002.5, 45002.6, 3, "c")});
  // Cut inside the third record's strings.
  std::vector<uint8_t> cut(full.begin(), full.end() - 3);
  std::vector<TRsvEle> list = readReserveFile(cut);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].title, "b");
  // Cut inside the records: no strings at all.
  cut.assign(full.begin(), full.begin() + 16 + 48 * 2);
  EXPECT_TRUE(readReserveFile(cut).empty());
}

TEST(ReserveFile, ACountBeyondTheDataReadsNothingPastTheEnd) {
  EXPECT_TRUE(readReserveFile(reserveFile({reservation(45000.5, 45000.6, 1, "a")}, 0xFFFFFFFF)).empty());
  EXPECT_TRUE(readReserveFile(reserveFile({reservation(45000.5, 45000.6, 1, "a")}, 5)).empty());
}

TEST(ReserveFile, RecordsWithImpossibleTimesAreLeftOut) {
  TRsvEle nan = reservation(std::numeric_limits<double>::quiet_NaN(), 45000.6, 1, "nan");
  TRsvEle inf = reservation(45000.5, std::numeric_limits<double>::infinity(), 1, "inf");
  TRsvEle huge = reservation(-1e300, 45000.6, 1, "huge", TRsvEle::kWeekly);
  std::vector<TRsvEle> list =
      readReserveFile(reserveFile({nan, inf, huge, reservation(45000.5, 45000.6, 1, "ok")}));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].title, "ok");
}
