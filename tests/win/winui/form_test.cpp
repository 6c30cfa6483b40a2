// The form layer under Wine: the framework's event meanings, timers in modal loops, and the
// exception guard's box through the dialog seam.
#include <gtest/gtest.h>

#include <stdexcept>

#include "winui/dialogs.h"
#include "winui/form.h"
#include "winui/guard.h"
#include "winui/popup_menu.h"
#include "winui/timer.h"

namespace {

struct RecordingSeam : winui::DialogSeam {
  int messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT) override {
    texts.push_back(caption + L"|" + text);
    return IDOK;
  }
  std::vector<std::wstring> texts;
};

struct FormTest : ::testing::Test {
  FormTest() : form(options()) {
    winui::setDialogSeam(&seam);
    winui::setApplicationTitle("recdesk");
  }
  ~FormTest() override { winui::setDialogSeam(nullptr); }
  static winui::Form::Options options() {
    winui::Form::Options o;
    o.className = L"TavoraFormTest";
    o.caption = "form";
    return o;
  }
  RecordingSeam seam;
  winui::Form form;
};

}  // namespace

TEST_F(FormTest, CodeThatMovesATrackBarOrSetsAnEditFiresTheirChange) {
  form.addControl(winui::Control::trackBar, 10, "", {0, 0, 100, 20});
  form.addControl(winui::Control::edit, 11, "", {0, 30, 100, 20});
  form.setTrackRange(10, 0, 100);
  int trackChanges = 0, editChanges = 0;
  form.onChange(10, [&] { ++trackChanges; });
  form.onChange(11, [&] { ++editChanges; });
  form.setTrackPosition(10, 40);
  form.setTrackPosition(10, 40);  // no move, no change
  form.setText(11, "abc");
  EXPECT_EQ(trackChanges, 1);
  EXPECT_EQ(form.trackPosition(10), 40);
  EXPECT_EQ(editChanges, 1);
  EXPECT_EQ(form.text(11), "abc");
}

TEST_F(FormTest, AModalFormsLoopRunsTimersAndPostedMessages) {
  int fired = 0;
  winui::Timer oneShot(winui::Timer::Kind::oneShot, [&] { ++fired; });
  winui::Timer closer(winui::Timer::Kind::oneShot, [&] { form.endModal(7); });
  oneShot.start(10);
  closer.start(200);
  EXPECT_EQ(form.showModal(), 7);
  EXPECT_EQ(fired, 1);  // once, not again
  EXPECT_FALSE(oneShot.running());
}

TEST_F(FormTest, AnExceptionInAHandlerIsShownAndStopsThere) {
  form.addControl(winui::Control::button, 12, "go", {0, 0, 50, 20});
  form.onClick(12, [] { throw std::runtime_error("broken"); });
  SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(form.control(12)));
  ASSERT_EQ(seam.texts.size(), 1u);
  EXPECT_EQ(seam.texts[0], L"recdesk|broken");
}

TEST(PopupMenu, EnablingAndCheckMarks) {
  winui::PopupMenu menu;
  menu.add(1, "a");
  menu.add(2, "b");
  menu.setEnabled(1, false);
  menu.setChecked(2, true);
  EXPECT_FALSE(menu.enabled(1));
  EXPECT_TRUE(menu.enabled(2));
  EXPECT_TRUE(menu.checked(2));
  menu.setEnabled(1, true);
  EXPECT_TRUE(menu.enabled(1));
}

TEST(PopupMenu, ABorrowedSubmenuOutlivesTheMenuThatShowedIt) {
  winui::PopupMenu borrowed;
  borrowed.add(7, "x");
  {
    winui::PopupMenu menu;
    menu.add(1, "a");
    menu.addSubmenu("sub", borrowed.handle());
    ASSERT_EQ(GetMenuItemCount(menu.handle()), 2);
    EXPECT_EQ(GetSubMenu(menu.handle(), 1), borrowed.handle());
    // Every item of the top level, the submenu included.
    menu.setTopItemsEnabled(false);
    EXPECT_FALSE(menu.topItemEnabled(0));
    EXPECT_FALSE(menu.topItemEnabled(1));
    EXPECT_TRUE(borrowed.enabled(7));  // the submenu's own items keep their state
    menu.setTopItemsEnabled(true);
    EXPECT_TRUE(menu.topItemEnabled(1));
  }
  // The menu is gone; the borrowed one still works.
  EXPECT_TRUE(IsMenu(borrowed.handle()));
  EXPECT_EQ(GetMenuItemCount(borrowed.handle()), 1);
  winui::PopupMenu again;
  again.addSubmenu("sub", borrowed.handle());
  again.removeSubmenu(borrowed.handle());
  EXPECT_EQ(GetMenuItemCount(again.handle()), 0);
  EXPECT_TRUE(IsMenu(borrowed.handle()));
}
