// The form layer under Wine: the framework's event meanings, timers in modal loops, and the
// exception guard's box through the dialog seam.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "winui/bar_panel.h"
#include "winui/date_time_picker.h"
#include "winui/dialogs.h"
#include "winui/form.h"
#include "winui/guard.h"
#include "winui/popup_menu.h"
#include "winui/pump.h"
#include "winui/radio_group.h"
#include "winui/timer.h"

namespace {

struct RecordingSeam : winui::DialogSeam {
  int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT) override {
    texts.push_back(caption + L"|" + text);
    owners.push_back(owner);
    return IDOK;
  }
  std::vector<std::wstring> texts;
  std::vector<HWND> owners;
};

// A key as the keyboard sends it to the focused window, down then up (the loop's translation
// makes its character), Shift or Ctrl held or neither; held until the next key.
void key(UINT vk, UINT held = 0, HWND focus = GetFocus()) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = held == VK_SHIFT ? 0x80 : 0;
  state[VK_CONTROL] = held == VK_CONTROL ? 0x80 : 0;
  SetKeyboardState(state);
  if (vk == 0) return;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(focus, WM_KEYDOWN, vk, scan | 1);
  PostMessageW(focus, WM_KEYUP, vk, scan | 1 | (LPARAM{3} << 30));
}

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
  // A drag with the mouse: one change for each new position, none when the drag ends.
  std::vector<int> dragged;
  form.onChange(10, [&] { dragged.push_back(form.trackPosition(10)); });
  HWND bar = form.control(10);
  RECT thumb{};
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  for (int dx : {10, 20, 20, 30}) SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y));
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(x + 30, y));
  EXPECT_EQ(dragged.size(), 3u);
  EXPECT_EQ(std::adjacent_find(dragged.begin(), dragged.end()), dragged.end());
  EXPECT_EQ(dragged.back(), form.trackPosition(10));
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

TEST_F(FormTest, APlainBoxHasTheProgramsTitleAndAnOwnerThatIsShown) {
  winui::Form shown(options());
  shown.show();
  SetActiveWindow(shown.handle());
  winui::messageBox(shown.handle(), "a", MB_OK);
  winui::messageBox(form.handle(), "b", "caption", MB_OK);  // hidden: the active form owns it
  EXPECT_EQ(seam.texts, (std::vector<std::wstring>{L"recdesk|a", L"caption|b"}));
  EXPECT_EQ(seam.owners, (std::vector<HWND>{shown.handle(), shown.handle()}));
}

TEST_F(FormTest, EveryChildGetsTheFormsFontWhoeverMakesIt) {
  const auto font = SendMessageW(form.handle(), WM_GETFONT, 0, 0);
  EXPECT_NE(font, 0);
  HWND panel = winui::createBarPanel(form.handle(), 30, {0, 0, 200, 40}, false);
  winui::DateTimePicker picker(form, 31, winui::DateTimePicker::Format::longDate, {0, 50, 150, 22});
  for (HWND child : {CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD, 0, 0, 90, 90, form.handle(), nullptr, nullptr, nullptr),
                     CreateWindowExW(0, WC_EDITW, L"", WS_CHILD, 0, 0, 90, 20, panel, nullptr, nullptr, nullptr),
                     picker.handle(), form.addControl(winui::Control::label, 32, "", {0, 80, 50, 20})})
    EXPECT_EQ(SendMessageW(child, WM_GETFONT, 0, 0), font);
}

TEST_F(FormTest, AModalFormMovesTheFocusWithTabAndTakesEnterAndEscAsADialogDoes) {
  form.addControl(winui::Control::label, 19, "", {0, 0, 50, 20});
  form.addControl(winui::Control::edit, 20, "", {0, 20, 50, 20});
  form.addControl(winui::Control::button, 21, "plain", {0, 40, 50, 20});
  form.addControl(winui::Control::button, 22, "default", {0, 60, 50, 20}, BS_DEFPUSHBUTTON);
  std::vector<std::string> clicked;
  form.onClick(21, [&] { clicked.push_back("plain"), form.setEnabled(21, false); });  // as "上へ" at the top
  form.onClick(22, [&] { clicked.push_back("default"); });
  // Each tick notes the focus, then sends the next key.
  const std::vector<std::function<void()>> keys = {
      [] { key(VK_TAB); },    [] { key(VK_TAB); },          [] { key(VK_TAB, VK_SHIFT); }, [] { key(VK_RETURN); },
      [] { key(VK_TAB, VK_SHIFT); }, [] { key(VK_RETURN); }, [] { key(VK_ESCAPE); }};
  std::vector<int> focus;
  winui::Timer ticker(winui::Timer::Kind::repeating, [&] {
    SetActiveWindow(form.handle());  // back from another test's window, with its focus
    focus.push_back(GetDlgCtrlID(GetFocus()));
    if (focus.size() <= keys.size()) keys[focus.size() - 1]();
  });
  ticker.start(20);
  winui::Timer stuck(winui::Timer::Kind::oneShot, [&] { form.endModal(-1); });
  stuck.start(5000);
  EXPECT_EQ(form.showModal(), IDCANCEL);
  key(0);  // Shift up again
  EXPECT_EQ(focus, (std::vector<int>{20, 21, 22, 21, 0, 22, 22}));  // the form itself, once its button is off
  EXPECT_EQ(clicked, (std::vector<std::string>{"plain", "default"}));
}

TEST_F(FormTest, AnOwnedFormShownWithoutItsOwnLoopMovesTheFocusWithTab) {
  winui::Form::Options o = options();
  o.parent = form.handle();
  winui::Form owned(o);
  owned.addControl(winui::Control::edit, 40, "", {0, 0, 50, 20});
  owned.addControl(winui::Control::button, 41, "b", {0, 20, 50, 20});
  owned.show();
  SetFocus(owned.control(40));
  key(VK_TAB, 0, owned.control(40));
  winui::processMessages();
  SetActiveWindow(owned.handle());  // back from another test's window, with its focus
  EXPECT_EQ(GetFocus(), owned.control(41));
}

// A form as a user meets it, with the keyboard only: an edit, a memo, a radio group in its
// group box, the default button and another one; the application's key hook counts every key
// pressed, also those for another window left enabled under the modal form.
TEST_F(FormTest, EveryKeyActsOnceAndTabLeavesMemosSkipsGroupBoxesAndStopsOnceInARadioGroup) {
  winui::Form::Options o = options();
  o.className = L"TavoraDialogKeysTest";
  o.ownsBoxes = false;  // as a countdown
  winui::Form dialog(o);
  winui::Form other(options());
  other.show();
  dialog.addControl(winui::Control::edit, 20, "", {0, 0, 100, 20});
  dialog.addControl(winui::Control::memo, 21, "", {0, 24, 100, 40});
  winui::RadioGroup group(dialog, 30, "group", {"a", "b", "c"}, {0, 70, 100, 80});
  dialog.addControl(winui::Control::button, 40, "ok", {0, 160, 50, 20}, BS_DEFPUSHBUTTON);
  dialog.addControl(winui::Control::button, 41, "cancel", {60, 160, 50, 20});
  group.setIndex(1);
  // The first item named a stop at its creation, as the driver dialogs' are: still one stop.
  SetWindowLongW(group.item(0), GWL_STYLE, GetWindowLongW(group.item(0), GWL_STYLE) | WS_TABSTOP);
  int picks = 0;
  group.onClick([&] { ++picks; });
  std::vector<std::string> hooked;
  winui::setKeyHook([&](const MSG& msg) {
    if (msg.message == WM_KEYDOWN)
      hooked.push_back((msg.hwnd == other.handle() ? "other " : "") + std::to_string(msg.wParam));
    return false;
  });
  struct Press { UINT vk, held = 0; HWND to = nullptr; };  // to: the focus, when not the current one
  const std::vector<Press> keys = {{VK_TAB}, {VK_TAB}, {VK_DOWN}, {VK_DOWN}, {VK_UP}, {VK_TAB}, {VK_TAB}, {VK_TAB},
                                   {VK_TAB, VK_SHIFT}, {VK_TAB, VK_SHIFT}, {VK_TAB, VK_SHIFT}, {VK_TAB, VK_SHIFT},
                                   {VK_TAB, VK_CONTROL}, {VK_RETURN}, {VK_RIGHT, 0, other.handle()}, {VK_ESCAPE}};
  // Each tick notes the focus, the checked item and which button has the thick frame, then
  // presses the next key; before Esc a box opens with no owner named, as the engine's end does.
  auto framed = [&](int id) { return (GetWindowLongW(dialog.control(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
  std::vector<std::string> seen;
  winui::Timer ticker(winui::Timer::Kind::repeating, [&] {
    SetActiveWindow(dialog.handle());
    seen.push_back(std::to_string(GetDlgCtrlID(GetFocus())) + " " + std::to_string(group.index()) +
                   (framed(40) ? " ok" : "") + (framed(41) ? " cancel" : ""));
    if (seen.size() > keys.size()) return;
    const Press& press = keys[seen.size() - 1];
    if (press.vk == VK_ESCAPE) winui::messageBox(nullptr, "engine ended", MB_OK);
    key(press.vk, press.held, press.to ? press.to : GetFocus());
  });
  ticker.start(20);
  winui::Timer stuck(winui::Timer::Kind::oneShot, [&] { dialog.endModal(-1); });
  stuck.start(5000);
  EXPECT_EQ(dialog.showModal(), IDCANCEL);
  key(0);
  winui::setKeyHook({});
  EXPECT_EQ(seen, (std::vector<std::string>{"20 1 ok", "21 1 ok", "32 1 ok", "33 2 ok", "31 0 ok", "33 2 ok",
                                            "40 2 ok", "41 2 cancel", "20 2 ok", "41 2 cancel", "40 2 ok",
                                            "33 2 ok", "21 2 ok", "21 2 ok", "21 2 ok", "21 2 ok"}));
  EXPECT_EQ(picks, 3);
  EXPECT_EQ(dialog.text(21), "\t\r\n");  // Tab moved on; Ctrl+Tab typed one, Enter a new line
  const std::string tab = std::to_string(VK_TAB);
  EXPECT_EQ(hooked, (std::vector<std::string>{tab, tab, "40", "40", "38", tab, tab, tab, tab, tab, tab, tab, tab,
                                              "13", "other 39", "27"}));
  EXPECT_EQ(seam.owners, std::vector<HWND>{nullptr});  // the countdown stays usable under the box
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
