// The settings pages' rules for typed numbers, the early start, the folder and the profile box.
#include <gtest/gtest.h>

#include <cmath>

#include "common/sj.h"
#include "recdesk/core/settings_rules.h"

using namespace options;

TEST(OptionsRules, SecondCountsArePositiveAndFitSixteenBits) {
  EXPECT_EQ(secondCount("90"), 90);
  EXPECT_EQ(secondCount("1"), 1);
  EXPECT_EQ(secondCount("65535"), 65535);
  // 65536 would store 0 in the 16-bit field.
  for (const char* bad : {"", "0", "-5", "abc", "65536", "99999999999999999999", "1.5", " 7", "7 "})
    EXPECT_FALSE(secondCount(bad).has_value()) << bad;
}

TEST(OptionsRules, EarlyStartTakesFiniteSecondsAndShowsThemRounded) {
  EXPECT_DOUBLE_EQ(*earlyStartDays("30"), -30.0 / 86400);
  EXPECT_DOUBLE_EQ(*earlyStartDays("1.5"), -1.5 / 86400);
  EXPECT_DOUBLE_EQ(*earlyStartDays("-10"), 10.0 / 86400);
  for (const char* bad : {"", "abc", "nan", "inf", "-inf", "1e999", "3x"})
    EXPECT_FALSE(earlyStartDays(bad).has_value()) << bad;
  // Every whole entry comes back as typed (11 truncated would show 10).
  for (int s : {0, 1, 10, 11, 29, 59, 61, 3600, -7}) EXPECT_EQ(earlyStartText(*earlyStartDays(std::to_string(s))), std::to_string(s));
  EXPECT_EQ(earlyStartText(-1.5 / 86400), "2");
  EXPECT_EQ(earlyStartText(std::nan("")), "0");
}

TEST(OptionsRules, TheFolderGetsOneTrailingBackslash) {
  EXPECT_EQ(folderWithBackslash("D:\\rec"), "D:\\rec\\");
  EXPECT_EQ(folderWithBackslash("D:\\"), "D:\\");
  // "表" ends in the byte 5C, which is no backslash.
  EXPECT_EQ(folderWithBackslash("D:\\" + sj("表")), "D:\\" + sj("表") + "\\");
}

TEST(OptionsRules, TheManualProfileFallsBackToTv) {
  const std::string tv = sj("ＴＶ");
  ProfileChoice kept = manualProfile({"A", "B"}, "B");
  EXPECT_EQ(kept.items, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(kept.selected, 1);
  EXPECT_EQ(kept.profile, "B");
  ProfileChoice missing = manualProfile({"A"}, "gone");
  EXPECT_EQ(missing.items, (std::vector<std::string>{"A", tv}));
  EXPECT_EQ(missing.selected, 1);
  EXPECT_EQ(missing.profile, tv);
  ProfileChoice listedTv = manualProfile({tv, "A"}, "gone");
  EXPECT_EQ(listedTv.items.size(), 2u);
  EXPECT_EQ(listedTv.selected, 0);
  EXPECT_TRUE(recordFileNameAllowed("C:\\a b.AVI"));
  EXPECT_FALSE(recordFileNameAllowed("C:\\a\".AVI"));
}
