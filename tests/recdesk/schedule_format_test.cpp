// The wake-up parameters, the tray tip, the recording caption and the dated file name.
#include "recdesk/core/schedule_format.h"

#include <gtest/gtest.h>

#include "common/oledate.h"
#include "tests_common.h"

namespace {

double at(int y, int m, int d, int h, int n, int s = 0, int ms = 0) {
  return tavora::encodeOleDateTime({y, m, d, h, n, s, ms});
}

}  // namespace

TEST(WakeUpParameters, NoLeadingZeros) {
  EXPECT_EQ(wakeUpParameters(at(2024, 3, 7, 21, 5, 0)), "/ON /D7 /H21 /M5 /S0");
  EXPECT_EQ(wakeUpParameters(at(2024, 3, 1, 0, 0, 0)), "/ON /D1 /H0 /M0 /S0");
  EXPECT_EQ(wakeUpParameters(at(2024, 12, 31, 23, 59, 59)), "/ON /D31 /H23 /M59 /S59");
  // A time a hair before a full minute is that minute.
  EXPECT_EQ(wakeUpParameters(at(2024, 3, 7, 21, 4, 59, 999) + 0.6 / 86400000.0), "/ON /D7 /H21 /M5 /S0");
}

TEST(NextReservationTip, TitleAndStart) {
  EXPECT_EQ(nextReservationTip(sj("ニュース"), at(2024, 3, 7, 9, 5)),
            sj("次の予約は「ニュース」 03/07 09:05～ です"));
}

TEST(RecordingCaption, StartAndEndAndTitleQuoted) {
  EXPECT_EQ(recordingCaptionLine(at(2024, 3, 7, 21, 0), at(2024, 3, 7, 22, 54), sj("映画 劇場")),
            "tune setCaption \"" + sj("21:00～22:54 映画 劇場") + "\"");
}

TEST(DatedFileName, BeforeTheLastDotOfTheFileName) {
  const double march3 = at(2024, 3, 3, 10, 0);
  EXPECT_EQ(datedFileName("D:\\rec\\news.avi", march3), "D:\\rec\\news_0303.avi");
  EXPECT_EQ(datedFileName("D:\\rec\\news", march3), "D:\\rec\\news_0303");
  EXPECT_EQ(datedFileName("D:\\rec.v2\\a.avi", march3), "D:\\rec.v2\\a_0303.avi");
  EXPECT_EQ(datedFileName("D:\\rec.v2\\a", march3), "D:\\rec.v2\\a_0303");
  EXPECT_EQ(datedFileName("a.b.avi", at(2024, 11, 25, 0, 0)), "a.b_1125.avi");
  // "表" ends in the byte of "\": it is not a folder separator.
  const std::string hyou = "\x95\x5C";
  EXPECT_EQ(datedFileName("D:\\x.y" + hyou + "z", march3), "D:\\x_0303.y" + hyou + "z");
}

TEST(FolderWithBackslash, OnlyWhenItLacksOne) {
  EXPECT_EQ(folderWithBackslash("D:\\rec"), "D:\\rec\\");
  EXPECT_EQ(folderWithBackslash("D:\\"), "D:\\");
  const std::string hyou = "\x95\x5C";
  EXPECT_EQ(folderWithBackslash("D:\\" + hyou), "D:\\" + hyou + "\\");
}
