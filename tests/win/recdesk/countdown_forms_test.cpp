// The notice (TForm4) and power-off (TForm5) countdowns on the form layer, under Wine.
#include <gtest/gtest.h>

#include <string>

#include "recdesk/win/notice_form.h"
#include "recdesk/win/power_off_form.h"
#include "recdesk/win/scheduler_ports.h"
#include "winui/timer.h"

namespace {

constexpr double kSecond = 1 / 86400.0;

class FixedClock : public Clock {
 public:
  double now() const override { return time; }
  double time = 45000.25;
};

std::wstring textOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

RECT clientRectOf(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Clicks a control once the modal loop runs.
struct ClickLater {
  ClickLater(winui::Form& form, int id, uint32_t ms)
      : timer(winui::Timer::Kind::oneShot, [&form, id] { form.click(id); }) {
    timer.start(ms);
  }
  winui::Timer timer;
};

}  // namespace

TEST(NoticeForm, CountsToTheStartAndTicksOnTheDeadlinesSecondBoundaries) {
  timerIni settings;  // set-up lead 30 seconds
  FixedClock clock;
  TForm4 notice(settings, clock, false, {});
  // Opened 40.3 seconds before the deadline, 70.3 before the start.
  notice.startCountdown(clock.time + 70.3 * kSecond);
  EXPECT_EQ(textOf(notice.control(TForm4::Label1)), L"70");
  EXPECT_EQ(notice.timer().interval(), 300u);
  EXPECT_EQ(textOf(notice.control(TForm4::Label2)), L"秒後に録画開始します。");
  EXPECT_EQ(textOf(notice.handle()), L"予約録画の予告");
  RECT client;
  GetClientRect(notice.handle(), &client);
  EXPECT_EQ(client.right, 233);
  EXPECT_EQ(client.bottom, 158);
  const LONG_PTR ex = GetWindowLongPtrW(notice.handle(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(ex & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(notice.handle(), GW_OWNER), nullptr);
}

TEST(NoticeForm, RunningOutRecordsAndSetsTheMuteButtonDown) {
  timerIni settings;
  settings.setupLeadSeconds = 1;
  LocalClock clock;
  int muted = 0;
  TForm4 notice(settings, clock, true, [&] { ++muted; });
  EXPECT_TRUE(GetWindowLongPtrW(notice.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  notice.startCountdown(clock.now() + 1.6 * kSecond);
  PostMessageW(notice.handle(), WM_CLOSE, 0, 0);  // a close by the keyboard cancels nothing
  EXPECT_EQ(notice.run(), 1);
  EXPECT_GE(clock.now(), notice.deadline);
  EXPECT_LT(clock.now(), notice.deadline + 0.2 * kSecond);
  EXPECT_EQ(muted, 1);
}

TEST(NoticeForm, TheButtonsAnswerOneTwoThree) {
  timerIni settings;
  FixedClock clock;
  for (int id : {TForm4::Button1, TForm4::Button2, TForm4::Button3}) {
    TForm4 notice(settings, clock, false, {});
    notice.startCountdown(clock.time + 120 * kSecond);
    ClickLater click(notice, id, 50);
    EXPECT_EQ(notice.run(), id - TForm4::Button1 + 1);
    EXPECT_FALSE(notice.timer().running());
  }
}

TEST(NoticeForm, TheManualLayoutShowsTwoButtons) {
  for (uint8_t stopManual : {0, 1}) {
    timerIni settings;
    settings.stopManualForReservation = stopManual;
    FixedClock clock;
    TForm4 notice(settings, clock, false, {});
    notice.setManualLayout();
    EXPECT_FALSE(GetWindowLongW(notice.control(TForm4::Button1), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(textOf(notice.control(TForm4::Label2)), L"秒後に予約しています。");
    EXPECT_EQ(textOf(notice.control(TForm4::Label3)),
              std::wstring(L"ここで何も選択しなかった場合、\n") + (stopManual ? L"手動" : L"予約") + L"録画を中止します。");
    EXPECT_EQ(textOf(notice.control(TForm4::Button2)), L"手動録画を中止し、予約録画する");
    EXPECT_EQ(textOf(notice.control(TForm4::Button3)), L"手動録画を継続し、予約録画を中止する");
    const RECT b2 = clientRectOf(notice.control(TForm4::Button2));
    const RECT b3 = clientRectOf(notice.control(TForm4::Button3));
    EXPECT_EQ(b2.left, 8);
    EXPECT_EQ(b2.top, 64);
    EXPECT_EQ(b2.right - b2.left, 217);
    EXPECT_EQ(b3.top, 96);
    RECT client;
    GetClientRect(notice.handle(), &client);
    EXPECT_EQ(client.bottom, 127);
    EXPECT_EQ(client.right, 233);
  }
}

TEST(PowerOffForm, CountsDownAndRunsOutWithYes) {
  TForm5 question(2, false);
  EXPECT_EQ(textOf(question.control(TForm5::Label3)), L"2");
  EXPECT_EQ(textOf(question.handle()), L"電源ＯＦＦの予告");
  const ULONGLONG before = GetTickCount64();
  PostMessageW(question.handle(), WM_CLOSE, 0, 0);  // a close by the keyboard answers nothing
  EXPECT_EQ(question.run(), IDYES);
  EXPECT_GE(GetTickCount64() - before, 1900u);
  EXPECT_EQ(question.count, 0);
  EXPECT_EQ(textOf(question.control(TForm5::Label3)), L"0");
}

TEST(PowerOffForm, NoAndYesByTheButtons) {
  {
    TForm5 question(30, false);
    ClickLater click(question, TForm5::Button2, 50);
    EXPECT_EQ(question.run(), IDNO);
    EXPECT_EQ(question.count, 30);
  }
  {
    TForm5 question(30, true);
    ClickLater click(question, TForm5::Button1, 50);
    EXPECT_EQ(question.run(), IDYES);
  }
  // A setting of 0 runs out at the first tick.
  TForm5 question(0, false);
  EXPECT_EQ(question.run(), IDYES);
}

// The program's end (a quit request, left for the main loop) is never read as an answer: the
// notice cancels and the power-off countdown says No.
TEST(CountdownForms, AQuitRequestEndsBothWithStop) {
  timerIni settings;
  FixedClock clock;
  TForm4 notice(settings, clock, false, {});
  notice.startCountdown(clock.time + 120 * kSecond);
  PostQuitMessage(0);
  EXPECT_EQ(notice.run(), 3);
  TForm5 question(30, false);
  EXPECT_EQ(question.run(), IDNO);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
