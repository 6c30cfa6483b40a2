// The scheduler end to end under Wine: a reservation a few seconds ahead is set up, captured,
// stopped and returned to the preview through the engine stand-in, and the wake-up stand-in
// is started for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/oledate.h"
#include "recdesk/core/timer_ini.h"
#include "recdesk/reserve_builder.h"
#include "harness.h"
#include "recdesk_bench.h"

using e2e::localNow;

using e2e::RecdeskBench;
using Lines = std::vector<std::string>;

namespace {

constexpr int kNoticeSeconds = 3;
constexpr int kSetupLeadSeconds = 2;
constexpr int kWakeLeadSeconds = 120;

// A whole second at least this far ahead.
double secondsAhead(double seconds) {
  return std::ceil((localNow() + seconds / tavora::kSecondsPerDay) * tavora::kSecondsPerDay) / tavora::kSecondsPerDay;
}

std::string narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

std::string hhnn(double time) {
  const tavora::CivilDateTime t = tavora::decodeOleDate(time);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
  return text;
}

// A bench whose settings set a reservation up shortly before its start, without a notice, and
// go back to the preview afterwards; its wake-up program is the launch stand-in.
struct ScheduledRecdesk : ::testing::Test {
  void SetUp() override {
    timerIni settings;
    settings.noticeOn = noticeOn;
    settings.beepOnNotice = 0;
    settings.noticeSeconds = noticeSeconds;
    settings.setupLeadSeconds = kSetupLeadSeconds;
    settings.wakeLeadSeconds = kWakeLeadSeconds;
    settings.closeViewAfterRecording = 0;
    settings.powerOffCountdown = 1;
    settings.wakeUpProgram = narrow(bench.folder()) + "wakecall.exe";
    bench.writeFile(L"timerSetup.dat", settings.encode());
    ASSERT_NE(bench.start(), nullptr);
    ASSERT_TRUE(bench.waitForMainWindow());
  }
  // planbook's part: the file, then TVR_CHANGED. Sent by way of the engine, so that it arrives
  // behind the engine's announcement and the set-up's requests go out at once.
  void reserve(double start, double end, uint8_t powerOff = 0) {
    TRsvEle entry = reservation(start, end, 12, "news");
    entry.powerOff = powerOff;
    bench.writeFile(L"reserve.dat", reserveFile({entry}));
    bench.enginePosts(tvr::TVR_CHANGED, 0, 0);
  }
  RecdeskBench bench;
  uint8_t noticeOn = 0;
  uint16_t noticeSeconds = kNoticeSeconds;
};

struct NoticedRecdesk : ScheduledRecdesk {
  void SetUp() override {
    // Six seconds to answer, however busy the machine.
    noticeOn = 1;
    noticeSeconds = 8;
    ScheduledRecdesk::SetUp();
  }
};

}  // namespace

TEST_F(ScheduledRecdesk, AReservationIsSetUpRecordedAndReturnedToThePreview) {
  const double start = secondsAhead(4);
  const double end = start + 2 / tavora::kSecondsPerDay;
  reserve(start, end);

  // The wake-up program is started for the reservation as soon as the scheduler has it.
  const tavora::CivilDateTime wake = tavora::decodeOleDate(start - kWakeLeadSeconds / tavora::kSecondsPerDay);
  ASSERT_TRUE(e2e::pollUntil([&] { return !bench.launchLog().empty(); }, 10000));
  EXPECT_EQ(bench.launchLog()[0], "wakecall.exe /ON /D" + std::to_string(wake.day) + " /H" +
                                      std::to_string(wake.hour) + " /M" + std::to_string(wake.minute) + " /S" +
                                      std::to_string(wake.second));

  ASSERT_TRUE(bench.waitForRequest("cCapBuild captureStream on", 15000));
  EXPECT_GE(localNow(), start - 0.001 / tavora::kSecondsPerDay);
  // The view was hidden, so the mixer is created before the recording is set up.
  const Lines expected = {
      "form", "new SoundMixer mix", "mix create form", "label setMixer", "mix getSysVolMute", "mix setMute ON",
      "form", "width", "height", "record1z.cmd", "record1a.cmd", "cVCap loadFormat \"q1\"",
      "cACap create \"q1\"", "cComp create \"q1\"", "cCapBuild setFName \"D:\\rec\\news.avi\" 0",
      "form", "width", "height", "record1b.cmd", "cCapBuild renderPreview cVCap", "record1c.cmd",
      "mix setSysVolMute", "mix setMute ON", "tune setCh 12",
      // at the start
      "cCapBuild captureStream on", "tune setCaption \"" + hhnn(start) + "\x81\x60" + hhnn(end) + " news\"",
      // at the end
      "cFg stopGraph", "tune setCaption", "mix getSysVolMute", "mix setMute ON", "clean filterSet",
      "tune nukeWithoutNeeds cFg", "form", "width", "height", "preView3.cmd", "mix setSysVolMute"};
  ASSERT_TRUE(bench.waitForRequest("preView3.cmd", 15000));
  EXPECT_GE(localNow(), end);
  Lines log;
  ASSERT_TRUE(
      e2e::pollUntil([&] { return (log = bench.requestsWithoutViewSizing()).size() >= expected.size(); }, 5000));
  EXPECT_EQ(log, expected);
  // Nothing is left to wake up for.
  EXPECT_EQ(bench.launchLog().size(), 1u);
}

TEST_F(ScheduledRecdesk, TheEndOfWindowsDuringARecordingStopsTheCaptureBeforeQuit) {
  const double start = secondsAhead(3);
  reserve(start, start + 600 / tavora::kSecondsPerDay);
  ASSERT_TRUE(bench.waitForRequest("cCapBuild captureStream on", 15000));
  const std::string caption =
      "tune setCaption \"" + hhnn(start) + "\x81\x60" + hhnn(start + 600 / tavora::kSecondsPerDay) + " news\"";
  ASSERT_TRUE(bench.waitForRequest(caption));
  // Before the engine's TVR_RECON has put the record button down, a close still only minimises.
  HWND view = bench.findWindow(bench.process(), L"TFormTVView");
  PostMessageW(view, WM_CLOSE, 0, 0);
  // The recording's own start lies behind: the end of Windows is warned about and allowed. Only
  // its coming ends anything: the first is cancelled by another program after the query.
  for (WPARAM ending : {FALSE, TRUE}) {
    PostMessageW(bench.mainWindow(), WM_QUERYENDSESSION, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000));
    EXPECT_EQ(RecdeskBench::boxText(box),
              L"いまWindowsを終了すると、次の予約の開始時間に録画が開始できない可能性があります。\n"
              L"Windowsを終了してもよろしいですか。");
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    PostMessageW(bench.mainWindow(), WM_ENDSESSION, ending, 0);
    if (ending) break;
    bench.enginePosts(tvr::TVR_SIGNAL, 1, 0);  // its "mix setMute OFF" is the barrier
    ASSERT_TRUE(bench.waitForRequest("mix setMute OFF"));
    const Lines sent = bench.requestsWithoutViewSizing();
    EXPECT_EQ(Lines(sent.end() - 2, sent.end()), (Lines{caption, "mix setMute OFF"}));
  }
  ASSERT_TRUE(bench.waitForRequest("quit"));
  // The capture stops first; then the view's close cleans up, and the engine is told to quit.
  const Lines log = bench.requestsWithoutViewSizing();
  const auto recording = std::find(log.begin(), log.end(), caption);
  ASSERT_NE(recording, log.end());
  EXPECT_EQ(Lines(recording + 1, log.end()),
            (Lines{"mix setMute OFF", "cFg stopGraph", "mix getSysVolMute", "mix setMute ON", "clean filterSet",
                   "tune nukeWithoutNeeds cFg", "clean setMixer", "mix setSysVolMute", "clean", "quit"}));
  EXPECT_TRUE(IsIconic(view));
}

TEST_F(ScheduledRecdesk, PowerOffAfterTheRecordingGoesThroughTheEnginesMarks) {
  const double start = secondsAhead(3);
  reserve(start, start + 1 / tavora::kSecondsPerDay, 1);
  ASSERT_TRUE(bench.waitForRequest("preView3.cmd", 15000));
  // The power-off countdown of one second runs out with Yes.
  ASSERT_TRUE(bench.waitForRequest("quit OFF", 10000));
  DWORD code = 1;
  ASSERT_TRUE(bench.waitForExit(bench.process(), 10000, &code));
  EXPECT_EQ(code, 0u);
  const Lines log = bench.requestsWithoutViewSizing();
  const auto preview = std::find(log.begin(), log.end(), "preView3.cmd");
  const Lines cleanUp = {"mix getSysVolMute", "mix setMute ON",  "clean filterSet", "tune nukeWithoutNeeds cFg",
                         "clean setMixer",    "mix setSysVolMute", "clean"};
  // The scheduler's clean-up and mark 1; its echo closes the view (which cleans up again) and
  // asks for mark 2, whose echo sends "quit OFF".
  Lines expected = {"mix setSysVolMute"};
  expected.insert(expected.end(), cleanUp.begin(), cleanUp.end());
  expected.push_back("mark 1");
  expected.insert(expected.end(), cleanUp.begin(), cleanUp.end());
  expected.push_back("mark 2");
  expected.push_back("quit OFF");
  EXPECT_EQ(Lines(preview + 1, log.end()), expected);
}

// The engine cannot start the capture (its box, its whole clean, no TVR_RECON): the scheduler
// takes the failed start's way back at once, and nothing stops or switches off at the end.
TEST_F(ScheduledRecdesk, AReservationWhoseCaptureFailsRebuildsThePreviewAndSwitchesNothingOff) {
  bench.engineFails("cap.ControlStream(PIN_CATEGORY_CAPTURE, null, null, null,", E_FAIL);
  const double start = secondsAhead(3), end = start + 2 / tavora::kSecondsPerDay;
  reserve(start, end, 1);
  ASSERT_TRUE(bench.waitForRequest("preView.cmd", 15000));
  ASSERT_TRUE(e2e::pollUntil([&] { return localNow() > end + 2 / tavora::kSecondsPerDay; }, 10000));
  const Lines log = bench.requestsWithoutViewSizing();
  const auto capture = std::find(log.begin(), log.end(), "cCapBuild captureStream on");
  ASSERT_GT(std::distance(capture, log.end()), 5);
  const std::string caption = "tune setCaption \"" + hhnn(start) + "\x81\x60" + hhnn(end) + " news\"";
  EXPECT_EQ(Lines(capture + 1, capture + 6), (Lines{caption, "tune setCaption", "mix getMute", "mark 6", "clean"}));
  EXPECT_EQ(std::count(capture, log.end(), "cFg stopGraph") + std::count(capture, log.end(), "quit OFF"), 0);
  EXPECT_EQ(bench.engineBoxes().size(), 1u);
}

TEST_F(NoticedRecdesk, TheNoticeComesToTheFrontAndCancelAndWatchTvShowsTheChannel) {
  const double start = secondsAhead(10);
  reserve(start, start + 60 / tavora::kSecondsPerDay);
  HWND notice = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (notice = bench.findWindow(bench.process(), L"TForm4")) != nullptr; },
                             10000));
  wchar_t caption[32] = {};
  GetWindowTextW(notice, caption, 32);
  EXPECT_EQ(std::wstring(caption), L"予約録画の予告");
  EXPECT_TRUE(e2e::pollUntil([&] { return GetForegroundWindow() == notice; }, 2000));
  // Under the countdown the tray's "TV表示" is refused: the notice decides about the view.
  bench.choose(bench.mainWindow(), 1);
  HWND watchTv = GetDlgItem(notice, 5);  // Button2
  PostMessageW(notice, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(watchTv));
  ASSERT_TRUE(bench.waitForRequest("tune setCh 12"));
  EXPECT_TRUE(e2e::pollUntil([&] { return bench.findWindow(bench.process(), L"TForm4") == nullptr; }, 5000));
  const Lines log = bench.requestsWithoutViewSizing();
  ASSERT_FALSE(log.empty());
  // The view was hidden: its first preview, then the channel; no recording is set up.
  EXPECT_EQ(log.back(), "tune setCh 12");
  EXPECT_NE(std::find(log.begin(), log.end(), "preView.cmd"), log.end());
  EXPECT_EQ(std::find(log.begin(), log.end(), "record1z.cmd"), log.end());
  EXPECT_EQ(std::find(log.begin(), log.end(), "mark 5"), log.end());
}
