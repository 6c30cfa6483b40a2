// The offline navigator: slots of the clock, moves across days, and the buttons' states from the
// saved pages present.
#include "guidepane/core/table_navigator.h"

#include <gtest/gtest.h>

#include <set>

#include "common/sj.h"
#include "guide_dates.h"

namespace {

using guide::TableNavigator;

class Navigator : public ::testing::Test {
 protected:
  std::set<std::string> saved;
  TableNavigator nav{"C:\\guide\\", [this](const std::string& p) { return saved.count(p) > 0; }, at(2026, 12, 10)};

  static std::string page(const char* name) { return std::string("C:\\guide\\prgTable\\") + name; }
  void save(std::initializer_list<const char*> names) {
    for (const char* n : names) saved.insert(page(n));
  }
};

TEST(TableSlots, TheClockChoosesTheSlotAndHourZeroBelongsToThePreviousDate) {
  struct Case { int hour, minute, slot, day; };
  for (const Case c : {Case{0, 30, 8, 10}, Case{1, 0, 0, 11}, Case{6, 59, 1, 11}, Case{20, 59, 6, 11},
                       Case{21, 0, 7, 11}, Case{23, 0, 8, 11}}) {
    const guide::SlotAt s = guide::slotOfTime(at(2026, 12, 11, c.hour, c.minute));
    EXPECT_EQ(s.slot, c.slot) << c.hour;
    EXPECT_EQ(tavora::decodeOleDate(s.date).day, c.day) << c.hour;
  }
  EXPECT_EQ(guide::savedTablePath("C:\\g\\", at(2026, 1, 5), 6), "C:\\g\\prgTable\\010519tb.htm");
}

TEST_F(Navigator, TheCurrentTimeShowsItsSavedPage) {
  save({"121023tb.htm"});
  EXPECT_EQ(nav.showCurrentTime(at(2026, 12, 11, 0, 30)), page("121023tb.htm"));
  EXPECT_EQ(nav.currentSlot, 8);
  EXPECT_EQ(tavora::decodeOleDate(nav.pickerDate).day, 10);
  // A missing page still moves the picker and the slot.
  EXPECT_FALSE(nav.showCurrentTime(at(2026, 12, 11, 14, 0)));
  EXPECT_EQ(nav.currentSlot, 4);
  EXPECT_EQ(nav.currentPage, page("121023tb.htm"));
}

TEST_F(Navigator, MovesCarryAcrossDaysAndYears) {
  save({"121023tb.htm", "121101tb.htm", "123123tb.htm", "010101tb.htm"});
  ASSERT_TRUE(nav.showTableSlot(8));
  EXPECT_EQ(nav.moveTable(0, 1), page("121101tb.htm"));
  EXPECT_EQ(nav.moveTable(0, -1), page("121023tb.htm"));
  nav.pickerDate = at(2027, 1, 1);
  ASSERT_TRUE(nav.showTableSlot(0));
  EXPECT_EQ(nav.moveTable(0, -1), page("123123tb.htm"));
  EXPECT_EQ(tavora::decodeOleDate(nav.pickerDate).year, 2026);
}

TEST_F(Navigator, AfterTheSwitchToOfflineADayButtonOpensTheDateItNames) {
  save({"121101tb.htm", "121201tb.htm", "121104tb.htm", "121023tb.htm"});
  const std::pair<int, int> moves[] = {{1, 0}, {0, 1}, {0, -1}};
  const char* pages[] = {"121101tb.htm", "121104tb.htm", "121023tb.htm"};
  for (int i = 0; i < 3; ++i) {
    nav.pickerDate = at(2026, 12, 10);
    nav.enterOffline();
    if (i == 0) EXPECT_EQ(nav.view(at(2026, 12, 10, 12)).daysAfter[0].caption, sj("12月\n\r11日\n\r(金)"));
    EXPECT_EQ(nav.moveTable(moves[i].first, moves[i].second), page(pages[i]));
  }
  nav.enterOffline();
  EXPECT_EQ(nav.moveTable(-1, 0), std::nullopt);  // 9 December, no first page saved
  EXPECT_EQ(tavora::decodeOleDate(nav.pickerDate).day, 9);
}

TEST_F(Navigator, ButtonsFollowTheSavedPages) {
  save({"121219tb.htm", "121221tb.htm", "121023tb.htm", "121401tb.htm"});
  nav.pickerDate = at(2026, 12, 13, 9, 0);  // a Sunday
  guide::NavigatorView v = nav.view(at(2026, 12, 13, 9, 0));
  EXPECT_EQ(v.weekday, sj("(日)"));
  EXPECT_EQ(v.weekdayColor, (guide::Rgb{255, 0, 0}));
  EXPECT_EQ(v.dayBefore.color, (guide::Rgb{0, 0, 255}));
  EXPECT_EQ(v.daysAfter[4].color, (guide::Rgb{0, 0, 0}));
  EXPECT_EQ(v.daysAfter[0].caption, sj("12月\n\r14日\n\r(月)"));
  EXPECT_TRUE(v.dayBefore.enabled && v.daysAfter[0].enabled && !v.daysAfter[1].enabled);
  EXPECT_FALSE(v.previousEnabled || v.nextEnabled || v.nowEnabled);
  EXPECT_EQ(v.slotDown, (std::array<bool, 9>{}));

  nav.pickerDate = at(2026, 12, 12);
  ASSERT_TRUE(nav.showTableSlot(6));
  v = nav.view(at(2026, 12, 12, 22, 0));
  EXPECT_TRUE(v.slotDown[6] && v.slotEnabled[7] && !v.slotEnabled[5]);
  EXPECT_TRUE(!v.previousEnabled && v.nextEnabled && v.nowEnabled);

  nav.pickerDate = at(2026, 12, 10);
  ASSERT_TRUE(nav.showTableSlot(8));
  v = nav.view(0);
  EXPECT_FALSE(v.nextEnabled);  // 11 December "01" is not saved
  EXPECT_EQ(nav.currentSlot, 8);
}

TEST_F(Navigator, AnotherDateKeepsTheSlotShownWhenItIsSaved) {
  save({"121019tb.htm", "121119tb.htm", "121213tb.htm"});
  ASSERT_TRUE(nav.showTableSlot(6));
  nav.view(0);
  EXPECT_EQ(nav.changeDate(at(2026, 12, 11), 0), page("121119tb.htm"));
  nav.view(0);
  EXPECT_FALSE(nav.changeDate(at(2026, 12, 12), 0));
  EXPECT_EQ(nav.currentPage, page("121119tb.htm"));
}

}  // namespace
