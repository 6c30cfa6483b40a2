// The TV view's controls end to end under Wine: the real recorder, the scripted engine stand-in
// answering as the engine and its mixer would, and the exact lines the engine receives.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/oledate.h"
#include "harness.h"
#include "recdesk/core/cap_form_file.h"
#include "recdesk/core/timer_ini.h"
#include "recdesk/reserve_builder.h"
#include "recdesk_bench.h"
#include "winui/text.h"

using e2e::RecdeskBench;
using enginestub::Actions;
using Lines = std::vector<std::string>;

namespace {

constexpr WPARAM kTvView = 1;
constexpr WPARAM kStopRecording = 2, kStopTime = 3, kExit = 7;
constexpr WPARAM kPanelLeft = 115;  // the view's panel position "左"
// The control panel's children.
constexpr int kUp = 2, kDown = 3, kRecord = 4, kBar = 5, kMute = 6;
// The mixer's control ids the stand-in names.
constexpr LPARAM kVolumeId = 7, kMuteId = 8;

const Lines kCleanUp = {"mix getSysVolMute", "mix setMute ON",    "clean filterSet", "tune nukeWithoutNeeds cFg",
                        "clean setMixer",    "mix setSysVolMute", "clean"};
const Lines kBackToPreview = {"mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg",
                              "form", "width", "height", "preView3.cmd", "mix setSysVolMute"};

// The manual start's lines up to its confirmation.
Lines manualStart(const std::string& quoted, const std::string& file, bool preview) {
  Lines lines = {"mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg",
                 "record1a.cmd", "cVCap loadFormat " + quoted, "cACap create " + quoted, "cComp create " + quoted,
                 "cCapBuild setFName \"" + file + "\" 5", "form", "width", "height", "record1b.cmd"};
  if (preview) lines.push_back("cCapBuild renderPreview cVCap");
  lines.push_back("record1c.cmd");
  lines.push_back("mix setSysVolMute");
  return lines;
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The way back after a failed or cancelled start asks the mixer first; the mark behind tells
// whether the engine still has its objects.
const Lines kAskMixer = {"mix getMute", "mark 6"};
const Lines kCancelled = kAskMixer + Lines{"cFg stopGraph"} + kBackToPreview;
// ... and when it has none: the first preview's files, then the mixer asked again.
const Lines kBuiltAnew = kAskMixer + Lines{"clean", "form", "new SoundMixer mix", "mix create form", "mix getMute",
                                           "mix getVolume", "label setMixer", "mix getSysVolMute", "mix setMute ON",
                                           "form", "width", "height", "chForm", "preView.cmd", "tune setCh",
                                           "mix setSysVolMute"} + kAskMixer;
// The capture that cannot start, as the stand-in's capture graph builder logs it.
const std::string kCaptureStart = "cap.ControlStream(PIN_CATEGORY_CAPTURE, null, null, null,";

struct ControlsBench : ::testing::Test {
  // capForm.dat with the profile, the file "D:\rec\tv.avi" and 5 MB; no notice, a set-up five
  // seconds ahead, a countdown of a second. A failing capture cannot start its stream: the
  // engine shows its box and runs its whole undo list, in place of TVR_RECON.
  void start(const std::string& quality = "q", bool confirm = false, bool noPreview = false, bool failing = false) {
    CapFormFile file;
    file.qualityName = quality;
    file.recordFileName = "D:\\rec\\tv.avi";
    file.viewSettings.preallocMB = 5;
    file.viewSettings.confirmBeforeRecording = confirm;
    file.viewSettings.noPreviewWhileRecording = noPreview;
    bench.writeFile(L"capForm.dat", file.encode());
    timerIni settings;
    settings.noticeOn = 0;
    settings.setupLeadSeconds = 5;
    settings.powerOffCountdown = 1;
    settings.wakeUpProgram = "@";
    bench.writeFile(L"timerSetup.dat", settings.encode());
    ASSERT_NE(bench.start(), nullptr);
    ASSERT_TRUE(bench.waitForMainWindow());
    ASSERT_NE(view = FindWindowW(L"TFormTVView", nullptr), nullptr);
    if (failing) bench.engineFails(kCaptureStart, E_FAIL);
  }
  void showView() {
    PostMessageW(bench.mainWindow(), WM_COMMAND, kTvView, 0);
    ASSERT_TRUE(bench.waitForRequest("mark 5"));
  }
  // Started with the view shown and a manual recording running.
  void recordingFromTheView() {
    start();
    showView();
    click(kRecord);
    ASSERT_TRUE(bench.waitForRequest("cCapBuild captureStream on"));
    ASSERT_TRUE(e2e::pollUntil([&] { return down(kRecord); }, 5000));
  }
  HWND child(int id) const { return GetDlgItem(FindWindowExW(view, nullptr, L"TavoraControlPanel", nullptr), id); }
  // Posted, so that a box the click opens does not hold the test.
  void click(int id) const { PostMessageW(child(id), BM_CLICK, 0, 0); }
  bool down(int id) const { return SendMessageW(child(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // Keys go to the foreground window: the view, once its thread has it active.
  void press(const std::vector<WORD>& keys) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(view, nullptr);
    EXPECT_TRUE(e2e::pollUntil([&] {
      SetForegroundWindow(view);
      return GetForegroundWindow() == view && GetGUIThreadInfo(thread, &info) && info.hwndActive == view;
    }, 5000));
    std::vector<INPUT> input;
    for (WORD key : keys) input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
      input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  }
  // Runs the act; then the lines since the mark must be exactly those expected so far.
  void step(const std::function<void()>& act, const Lines& lines) {
    act();
    expected = expected + lines;
    Lines sent;
    e2e::pollUntil([&] { return (sent = bench.requestsWithoutViewSizing()).size() >= mark + expected.size(); }, 15000);
    EXPECT_EQ(Lines(sent.begin() + static_cast<std::ptrdiff_t>(std::min(mark, sent.size())), sent.end()), expected);
  }
  void markHere() {
    mark = bench.requestsWithoutViewSizing().size();
    expected.clear();
  }
  // The stand-in answers as the engine's mixer would: ids on creation, one notice for each
  // command that sets a control, and a volume report on each query.
  void scriptMixer() {
    bench.onRequest("mix create form", Actions().post("mix", tvr::TVR_MIXERIDS, kVolumeId, kMuteId));
    for (const char* line : {"mix setMute ON", "mix setMute OFF"})
      bench.onRequest(line, Actions().post("mix", MM_MIXM_CONTROL_CHANGE, 0, kMuteId));
    bench.onRequest("mix setSysVolMute", Actions()
                                             .post("mix", MM_MIXM_CONTROL_CHANGE, 0, kMuteId)
                                             .post("mix", MM_MIXM_CONTROL_CHANGE, 0, kVolumeId));
    bench.onRequest("mix getVolume", Actions().post("", tvr::TVR_VOLUME, 20000, 0));
    bench.onRequest("mix getMute", Actions().post("", tvr::TVR_MUTE, 0, 0));
    for (int v : {20000, 28192, 49151})
      bench.onRequest("mix setVolume " + std::to_string(v), Actions().post("mix", MM_MIXM_CONTROL_CHANGE, 0, kVolumeId));
  }
  HWND waitFor(const wchar_t* className) const {
    HWND found = nullptr;
    e2e::pollUntil([&] { return (found = bench.findWindow(bench.process(), className)) != nullptr; }, 10000);
    return found;
  }
  // The tray's "終了時間再設定" set some seconds ahead; the picker's time is written into the
  // recorder's memory, where the control reads it. Returns the minutes the dialog showed first.
  std::wstring setStopTime(int seconds, bool powerOff) {
    bench.choose(bench.mainWindow(), kStopTime);  // once the queue is quiet, as the tray offers it
    HWND form = waitFor(L"TFormStopTime");
    // The form exists before it is filled: a user acts once it is shown, and a click activates it
    // before the control takes it (a BM_CLICK on an inactive form has its focus moved mid-click).
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(form, nullptr);
    EXPECT_TRUE(e2e::pollUntil([&] {
      if (IsWindowVisible(form)) SetForegroundWindow(form);
      return IsWindowVisible(form) && GetGUIThreadInfo(thread, &info) && info.hwndActive == form;
    }, 5000));
    wchar_t minutes[8] = {};
    GetWindowTextW(GetDlgItem(form, 5), minutes, 8);
    SYSTEMTIME when{};
    FILETIME t{};
    GetSystemTimeAsFileTime(&t);
    const uint64_t later = (uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) + seconds * 10000000ull;
    t = FILETIME{static_cast<DWORD>(later), static_cast<DWORD>(later >> 32)};
    FILETIME local{};
    FileTimeToLocalFileTime(&t, &local);
    FileTimeToSystemTime(&local, &when);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, GetProcessId(bench.process()));
    void* remote = VirtualAllocEx(process, nullptr, sizeof when, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &when, sizeof when, nullptr);
    CloseHandle(process);
    SendMessageW(GetDlgItem(form, 3), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(remote));
    // "終了後、電源を切る" as the dialog showed it, clicked when it differs.
    powerOffShown = SendMessageW(GetDlgItem(form, 7), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (powerOff != powerOffShown) SendMessageW(GetDlgItem(form, 7), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(form, 9), BM_CLICK, 0, 0);                // "変更する"
    return minutes;
  }
  RecdeskBench bench;
  HWND view = nullptr;
  size_t mark = 0;
  Lines expected;
  bool powerOffShown = false;
};

}  // namespace

TEST_F(ControlsBench, ChannelVolumeAndMuteSendTheirLinesAndTheMixersEchoesAreCountedOff) {
  start();
  scriptMixer();
  showView();
  // The first volume report moves the bar, which sends it back once; every notice is absorbed.
  ASSERT_TRUE(bench.waitForRequest("mix setVolume 20000"));
  markHere();
  const Lines muteOn = {"mix setMute ON"};
  step([&] { click(kUp); }, muteOn + Lines{"tune incChannel"});
  step([&] { click(kDown); }, muteOn + Lines{"tune decChannel"});
  step([&] { press({VK_RIGHT}); }, muteOn + Lines{"tune incChannel"});
  step([&] { press({VK_LEFT}); }, muteOn + Lines{"tune decChannel"});
  step([&] { click(kMute); }, muteOn);
  EXPECT_TRUE(down(kMute));
  step([&] { press({VK_DELETE}); }, {"mix setMute OFF"});
  EXPECT_FALSE(down(kMute));
  // Changes from elsewhere: one query each; the volume report leaves the bar where it was,
  // so the next move is the user's and is sent: one page up.
  step([&] { bench.engineRuns(Actions().post("mix", MM_MIXM_CONTROL_CHANGE, 0, kMuteId)); }, {"mix getMute"});
  step([&] { bench.engineRuns(Actions().post("mix", MM_MIXM_CONTROL_CHANGE, 0, kVolumeId)); }, {"mix getVolume"});
  step([&] { press({VK_UP}); }, {"mix setVolume 28192"});
  // The flip to a column keeps the volume, sent again; a report of 49151 puts the bar at 16384;
  // Down on a column is one page softer.
  step([&] { PostMessageW(view, WM_COMMAND, kPanelLeft, 0); }, {"mix setVolume 28192"});
  step([&] { bench.enginePosts(tvr::TVR_VOLUME, 49151, 0); }, {"mix setVolume 49151"});
  EXPECT_EQ(SendMessageW(child(kBar), TBM_GETPOS, 0, 0), 16384);
  step([&] { press({VK_DOWN}); }, {"mix setVolume 40959"});
}

TEST_F(ControlsBench, AManualStartConfirmedCancelledStartedAndStoppedFromTheTray) {
  const std::string tv = "\x82\x73\x82\x75";  // ＴＶ
  start(tv, true);
  showView();
  markHere();
  const Lines starting = manualStart("\"" + tv + "\"", "D:\\rec\\tv.avi", true);
  step([&] { click(kRecord); }, starting);
  HWND box = waitFor(L"#32770");
  ASSERT_NE(box, nullptr);
  // The set-up's stop of the preview's graph (its TVR_RECOFF) leaves the start recording.
  EXPECT_TRUE(down(kRecord));
  EXPECT_EQ(RecdeskBench::boxText(box), L"この設定で録画を開始しますか\n　記録品質 : ＴＶ\n　保存ファイル名 : D:\\rec\\tv.avi");
  wchar_t caption[32] = {};
  GetWindowTextW(box, caption, 32);
  EXPECT_EQ(std::wstring(caption), L"録画の待機中");
  EXPECT_EQ(GetWindow(box, GW_OWNER), view);
  step([&] { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); }, kCancelled);
  EXPECT_FALSE(down(kRecord));
  // Ctrl with Shift is no shortcut; Ctrl+R is the button.
  step([&] { press({VK_CONTROL, VK_SHIFT, 'R'}), press({VK_CONTROL, 'R'}); }, starting);
  ASSERT_NE(box = waitFor(L"#32770"), nullptr);
  step([&] { PostMessageW(box, WM_COMMAND, IDOK, 0); }, {"cCapBuild captureStream on"});
  EXPECT_TRUE(e2e::pollUntil([&] { return down(kRecord); }, 5000));
  step([&] { PostMessageW(bench.mainWindow(), WM_COMMAND, kStopRecording, 0); },
       Lines{"cFg stopGraph"} + kBackToPreview);
  EXPECT_FALSE(down(kRecord));
}

TEST_F(ControlsBench, AStartTheEngineDoesNotCaptureEndsAsNoRecordingWithQuotedNamesAndNoMixer) {
  start("my tv", false, true, true);
  bench.onRequest("mix create form", Actions().post("mix", tvr::TVR_NOMIXER, 0, 0));
  showView();
  EXPECT_TRUE(e2e::pollUntil([&] { return !IsWindowVisible(child(kBar)) && !IsWindowVisible(child(kMute)); }, 5000));
  EXPECT_TRUE(IsWindowVisible(child(kRecord)));
  markHere();
  // No TVR_RECON before the capture line's acknowledgement: the button goes up, the preview is
  // built anew (the engine's objects went with its error, the mixer's too, so no mixer answers),
  // and the tray's stop finds nothing to stop.
  step([&] { click(kRecord); }, manualStart("\"my tv\"", "D:\\rec\\tv.avi", false) +
                                    Lines{"cCapBuild captureStream on"} + kBuiltAnew);
  EXPECT_FALSE(down(kRecord));
  EXPECT_EQ(bench.engineBoxes(),
            Lines{"error " + winui::narrow(L"クラス「TCaptureGraphBuilder」の「captureStream()」で「ControlStream」に失敗しました。")});
  step([&] { PostMessageW(bench.mainWindow(), WM_COMMAND, kStopRecording, 0), click(kUp); },
       {"mix setMute ON", "tune incChannel"});
}

TEST_F(ControlsBench, AStopTimeOutlivesNoRecordingAndStopsItsOwnWithPowerOff) {
  recordingFromTheView();
  // A stop time for this recording, which is then stopped by hand: the next one runs on.
  EXPECT_EQ(setStopTime(3, false), L"30");
  markHere();
  step([&] { PostMessageW(bench.mainWindow(), WM_COMMAND, kStopRecording, 0); }, Lines{"cFg stopGraph"} + kBackToPreview);
  step([&] { click(kRecord); }, manualStart("\"q\"", "D:\\rec\\tv.avi", true) + Lines{"cCapBuild captureStream on"});
  Sleep(4000);
  // Its own stop time with power-off, shown armed when set again: no reservation follows, the
  // countdown runs out with Yes, and the marks end the recorder.
  setStopTime(600, true);
  EXPECT_FALSE(powerOffShown);
  EXPECT_TRUE(e2e::pollUntil([&] { return !bench.findWindow(bench.process(), L"TFormStopTime"); }, 5000));
  const double due = e2e::localNow() + 3 / tavora::kSecondsPerDay;
  step([&] { setStopTime(3, true); },
       Lines{"cFg stopGraph"} + kCleanUp + Lines{"mark 1"} + kCleanUp + Lines{"mark 2", "quit OFF"});
  EXPECT_TRUE(powerOffShown);
  EXPECT_GE(e2e::localNow(), due - 0.5 / tavora::kSecondsPerDay);
  DWORD code = 1;
  EXPECT_TRUE(bench.waitForExit(bench.process(), 10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(ControlsBench, TheRecordButtonIsRefusedWhileAReservationIsSetUpAndStopsItsRecordingLater) {
  start();
  const double at = e2e::localNow() + 7 / tavora::kSecondsPerDay;
  bench.writeFile(L"reserve.dat", reserveFile({reservation(at, at + 600 / tavora::kSecondsPerDay, 12, "news")}));
  bench.enginePosts(tvr::TVR_CHANGED, 0, 0);
  ASSERT_TRUE(bench.waitForRequest("tune setCh 12", 10000));
  markHere();
  click(kRecord);
  HWND box = waitFor(L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RecdeskBench::boxText(box), L"予約録画の準備中です。\n予約の録画が始まるまで、録画の開始と停止はできません。");
  EXPECT_FALSE(down(kRecord));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(bench.waitForRequest("cCapBuild captureStream on", 15000));
  ASSERT_TRUE(e2e::pollUntil([&] { return down(kRecord); }, 5000));
  Lines capture;  // the capture and its caption
  e2e::pollUntil([&] { return (capture = bench.requestsWithoutViewSizing()).size() >= mark + 2; }, 5000);
  ASSERT_EQ(capture.size(), mark + 2);
  // The button ends the scheduled recording early; the view stays with the preview.
  expected = Lines(capture.end() - 2, capture.end());
  step([&] { click(kRecord); }, Lines{"cFg stopGraph", "tune setCaption"} + kBackToPreview);
  EXPECT_TRUE(IsWindowVisible(view));
  EXPECT_FALSE(down(kRecord));
}

// "Tavora を終了" while recording: the recording stops and the view closes with its clean-up
// before mark 3, though the record button is still down until the engine reports the stop.
TEST_F(ControlsBench, ExitWhileRecordingStopsItAndClosesTheViewBeforeMarkThree) {
  recordingFromTheView();
  markHere();
  step([&] { PostMessageW(bench.mainWindow(), WM_COMMAND, kExit, 0); },
       Lines{"cFg stopGraph"} + kCleanUp + Lines{"mark 3", "quit"});
  EXPECT_TRUE(bench.waitForExit(bench.process(), 10000));
}

// After the engine has ended with the view shown, nothing is waited for: "TV表示" closes the
// view, the record button stays up, and "Tavora を終了" ends the program.
TEST_F(ControlsBench, AfterTheEngineEndedTheViewClosesAndTheProgramEnds) {
  start();
  showView();
  bench.killEngine();
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(e2e::pollUntil([&] { return bench.findBox(bench.process()) == nullptr; }, 5000));
  PostMessageW(bench.mainWindow(), WM_COMMAND, kTvView, 0);
  EXPECT_TRUE(e2e::pollUntil([&] { return !IsWindowVisible(view); }, 5000));
  PostMessageW(bench.mainWindow(), WM_COMMAND, kTvView, 0);  // shown again, its lines dropped
  EXPECT_TRUE(e2e::pollUntil([&] { return IsWindowVisible(view); }, 5000));
  SendMessageW(child(kRecord), BM_CLICK, 0, 0);
  EXPECT_FALSE(down(kRecord));
  PostMessageW(bench.mainWindow(), WM_COMMAND, kExit, 0);
  DWORD code = 1;
  EXPECT_TRUE(bench.waitForExit(bench.process(), 10000, &code));
  EXPECT_EQ(code, 0u);
}

// A failed start builds the preview anew, and the volume bar and mute button follow the engine's
// mixer: back with the rebuilt preview, gone when the rebuilt preview fails too (once).
TEST_F(ControlsBench, AFailedStartBuildsThePreviewAnewAndTheVolumeControlsShowWhatTheEngineHas) {
  start("q", false, false, true);
  showView();
  markHere();
  const Lines failed = manualStart("\"q\"", "D:\\rec\\tv.avi", true) + Lines{"cCapBuild captureStream on"} + kBuiltAnew;
  step([&] { click(kRecord); }, failed);
  EXPECT_FALSE(down(kRecord));
  EXPECT_TRUE(e2e::pollUntil([&] { return IsWindowEnabled(child(kBar)) && IsWindowEnabled(child(kMute)); }, 5000));
  EXPECT_EQ(bench.engineBoxes().size(), 1u);
  bench.engineFails(kCaptureStart, E_FAIL);
  bench.engineFails("cap.RenderStream(PIN_CATEGORY_PREVIEW", E_FAIL, -1);
  step([&] { click(kRecord); }, failed);
  EXPECT_TRUE(e2e::pollUntil([&] { return !IsWindowEnabled(child(kBar)) && !IsWindowEnabled(child(kMute)); }, 5000));
  EXPECT_FALSE(down(kRecord));
}

// A click while a reservation records, before its TVR_RECON (its capture line waits behind a
// request the engine has not answered yet): the reservation stops through the scheduler, and no
// manual set-up tears its graph down.
TEST_F(ControlsBench, ARecordClickBeforeTheReservationsReportStopsItThroughTheScheduler) {
  start();
  showView();
  const double at = e2e::localNow() + 7 / tavora::kSecondsPerDay;
  bench.writeFile(L"reserve.dat", reserveFile({reservation(at, at + 600 / tavora::kSecondsPerDay, 12, "news")}));
  bench.enginePosts(tvr::TVR_CHANGED, 0, 0);
  ASSERT_TRUE(bench.waitForRequest("tune setCh 12", 10000));
  ASSERT_TRUE(bench.waitForRequest("mix setSysVolMute", 5000));
  Sleep(500);
  bench.holdAcknowledgements();
  click(kUp);  // "mix setMute ON" stays unanswered
  ASSERT_TRUE(e2e::pollUntil([&] { return e2e::localNow() > at + 1 / tavora::kSecondsPerDay; }, 15000));
  markHere();
  EXPECT_FALSE(down(kRecord));
  click(kRecord);
  Sleep(500);
  bench.releaseAcknowledgements();
  ASSERT_TRUE(bench.waitForRequest("preView3.cmd", 10000));
  Sleep(500);
  Lines sent = bench.requestsWithoutViewSizing();
  sent.erase(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(std::min(mark, sent.size())));
  // The reservation's capture and caption lines (the caption's text cut), then its stop and the
  // preview; nothing else.
  if (sent.size() > 2 && sent[2].rfind("tune setCaption \"", 0) == 0) sent[2].resize(17);
  EXPECT_EQ(sent, (Lines{"tune incChannel", "cCapBuild captureStream on", "tune setCaption \"", "cFg stopGraph",
                         "tune setCaption"} + kBackToPreview));
  EXPECT_TRUE(e2e::pollUntil([&] { return !down(kRecord); }, 5000));
  EXPECT_TRUE(IsWindowVisible(view));
}
