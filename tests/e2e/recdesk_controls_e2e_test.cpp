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
#include "recdesk/core/cap_form_file.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;
using enginestub::Actions;
using Lines = std::vector<std::string>;

namespace {

constexpr WPARAM kTvView = 1;
constexpr WPARAM kStopRecording = 2;
constexpr WPARAM kOnTop = 102;      // the view's "常に手前に表示"
constexpr WPARAM kPanelLeft = 115;  // the view's panel position "左"
// The control panel's children.
constexpr int kUp = 2, kDown = 3, kRecord = 4, kBar = 5, kMute = 6;
// The mixer's control ids the stand-in names.
constexpr LPARAM kVolumeId = 7, kMuteId = 8;

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

struct ControlsBench : ::testing::Test {
  // Scripts go to the stand-in, so they follow the start.
  void start() {
    ASSERT_NE(bench.start(), nullptr);
    ASSERT_TRUE(bench.waitForMainWindow());
    view = FindWindowW(L"TFormTVView", nullptr);
    ASSERT_NE(view, nullptr);
  }
  size_t count(const std::string& text) const {
    const auto sent = bench.requestsWithoutViewSizing();
    return static_cast<size_t>(std::count(sent.begin(), sent.end(), text));
  }
  bool waitForNth(const std::string& text, size_t n) {
    return e2e::pollUntil([&] { return count(text) >= n; }, 10000);
  }
  void showView() {
    PostMessageW(bench.mainWindow(), WM_COMMAND, kTvView, 0);
    ASSERT_TRUE(waitForNth("mark 5", 1));
  }
  std::wstring caption() const {
    wchar_t text[64] = {};
    GetWindowTextW(view, text, 64);
    return text;
  }
  HWND child(int id) const { return GetDlgItem(FindWindowExW(view, nullptr, L"TavoraControlPanel", nullptr), id); }
  // Posted, so that a box the click opens does not hold the test.
  void click(int id) const { PostMessageW(child(id), BM_CLICK, 0, 0); }
  bool down(int id) const { return SendMessageW(child(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void press(const std::vector<WORD>& keys) const {
    SetForegroundWindow(view);
    std::vector<INPUT> input;
    for (WORD key : keys) input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
      input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  }
  // The lines after the first n, once there are at least n + want of them.
  Lines after(size_t n, size_t want) const {
    Lines sent;
    e2e::pollUntil([&] { return (sent = bench.requestsWithoutViewSizing()).size() >= n + want; }, 10000);
    return sent.size() < n ? Lines{} : Lines(sent.begin() + static_cast<std::ptrdiff_t>(n), sent.end());
  }
  size_t sentCount() const { return bench.requestsWithoutViewSizing().size(); }
  void writeCapForm(const std::string& quality, bool confirm, bool noPreview) {
    CapFormFile file;
    file.qualityName = quality;
    file.recordFileName = "D:\\rec\\tv.avi";
    file.viewSettings.preallocMB = 5;
    file.viewSettings.confirmBeforeRecording = confirm;
    file.viewSettings.noPreviewWhileRecording = noPreview;
    bench.writeFile(L"capForm.dat", file.encode());
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
  HWND waitForBox() const {
    HWND box = nullptr;
    e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000);
    return box;
  }
  RecdeskBench bench;
  HWND view = nullptr;
};

}  // namespace

TEST_F(ControlsBench, ScriptedRepliesRunBeforeTheAcknowledgementToTheFrontAndToNamedWindows) {
  start();
  // The caption block comes to the front; the command to the window the mixer was made with.
  bench.onRequest("label setMixer", Actions().send(tvr::CD_CAPTION, {'A', 'B', 0}));
  bench.onRequest("mix create form", Actions().post("mix", WM_COMMAND, kOnTop, 0));
  showView();
  EXPECT_EQ(caption(), L"AB");
  EXPECT_TRUE(e2e::pollUntil([&] { return (GetWindowLongW(view, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 5000));
}

TEST_F(ControlsBench, ChannelVolumeAndMuteSendTheirLinesAndTheMixersEchoesAreCountedOff) {
  start();
  scriptMixer();
  showView();
  // The first volume report moves the bar, which sends it back once; every notice is absorbed.
  ASSERT_TRUE(bench.waitForRequest("mix setVolume 20000"));
  size_t n = sentCount();
  Lines expected;
  auto step = [&](const std::function<void()>& act, const Lines& lines) {
    act();
    expected = expected + lines;
    EXPECT_EQ(after(n, expected.size()), expected);
  };
  const Lines muteOn = {"mix setMute ON"};
  step([&] { click(kUp); }, muteOn + Lines{"tune incChannel"});
  step([&] { click(kDown); }, muteOn + Lines{"tune decChannel"});
  step([&] { press({VK_RIGHT}); }, muteOn + Lines{"tune incChannel"});
  step([&] { press({VK_LEFT}); }, muteOn + Lines{"tune decChannel"});
  step([&] { click(kMute); }, muteOn);
  EXPECT_TRUE(down(kMute));
  step([&] { press({VK_DELETE}); }, {"mix setMute OFF"});
  EXPECT_FALSE(down(kMute));
  // Changes from elsewhere: one query each; the volume report leaves the bar where it was.
  step([&] { bench.engineRuns(Actions().post("mix", MM_MIXM_CONTROL_CHANGE, 0, kMuteId)); }, {"mix getMute"});
  step([&] { bench.engineRuns(Actions().post("mix", MM_MIXM_CONTROL_CHANGE, 0, kVolumeId)); }, {"mix getVolume"});
  // So the next move is the user's and is sent: one page up.
  step([&] { press({VK_UP}); }, {"mix setVolume 28192"});
  // The flip to a column keeps the volume, sent again; a report of 49151 puts the bar at 16384.
  step([&] { PostMessageW(view, WM_COMMAND, kPanelLeft, 0); }, {"mix setVolume 28192"});
  step([&] { bench.enginePosts(tvr::TVR_VOLUME, 49151, 0); }, {"mix setVolume 49151"});
  EXPECT_EQ(SendMessageW(child(kBar), TBM_GETPOS, 0, 0), 16384);
  // Down on a column is one page softer.
  step([&] { press({VK_DOWN}); }, {"mix setVolume 40959"});
  const Lines all = bench.requestsWithoutViewSizing();
  EXPECT_EQ(std::count(all.begin(), all.end(), "mix getVolume"), 2);
  EXPECT_EQ(std::count(all.begin(), all.end(), "mix getMute"), 2);
}

TEST_F(ControlsBench, AManualStartConfirmedCancelledStartedAndStoppedFromTheTray) {
  const std::string tv = "\x82\x73\x82\x75";  // ＴＶ
  writeCapForm(tv, true, false);
  start();
  bench.onRequest("cCapBuild captureStream on", Actions().post("", tvr::TVR_RECON, 0, 0));
  showView();
  const size_t n = sentCount();
  const Lines starting = manualStart("\"" + tv + "\"", "D:\\rec\\tv.avi", true);
  click(kRecord);
  HWND box = waitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RecdeskBench::boxText(box), L"この設定で録画を開始しますか\n　記録品質 : ＴＶ\n　保存ファイル名 : D:\\rec\\tv.avi");
  wchar_t caption[32] = {};
  GetWindowTextW(box, caption, 32);
  EXPECT_EQ(std::wstring(caption), L"録画の待機中");
  EXPECT_EQ(GetWindow(box, GW_OWNER), view);
  EXPECT_EQ(after(n, starting.size()), starting);
  PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  Lines expected = starting + Lines{"cFg stopGraph"} + kBackToPreview;
  EXPECT_EQ(after(n, expected.size()), expected);
  EXPECT_FALSE(down(kRecord));
  // Ctrl with Shift is no shortcut; Ctrl+R is the button.
  press({VK_CONTROL, VK_SHIFT, 'R'});
  press({VK_CONTROL, 'R'});
  ASSERT_NE(box = waitForBox(), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  expected = expected + starting + Lines{"cCapBuild captureStream on"};
  EXPECT_EQ(after(n, expected.size()), expected);
  EXPECT_TRUE(e2e::pollUntil([&] { return down(kRecord); }, 5000));
  // The tray's "録画停止" stops it and the preview comes back.
  PostMessageW(bench.mainWindow(), WM_COMMAND, kStopRecording, 0);
  expected = expected + Lines{"cFg stopGraph"} + kBackToPreview;
  EXPECT_EQ(after(n, expected.size()), expected);
  EXPECT_FALSE(down(kRecord));
}

TEST_F(ControlsBench, AStartTheEngineDoesNotCaptureEndsAsNoRecordingWithQuotedNamesAndNoMixer) {
  writeCapForm("my tv", false, true);
  start();
  bench.onRequest("mix create form", Actions().post("mix", tvr::TVR_NOMIXER, 0, 0));
  showView();
  EXPECT_TRUE(e2e::pollUntil([&] { return !IsWindowVisible(child(kBar)) && !IsWindowVisible(child(kMute)); }, 5000));
  EXPECT_TRUE(IsWindowVisible(child(kRecord)));
  const size_t n = sentCount();
  // A click on the button itself starts the recording; no TVR_RECON comes before the capture
  // line's acknowledgement, so the button goes up and the preview is built again.
  click(kRecord);
  Lines expected = manualStart("\"my tv\"", "D:\\rec\\tv.avi", false) +
                   Lines{"cCapBuild captureStream on", "cFg stopGraph"} + kBackToPreview;
  EXPECT_EQ(after(n, expected.size()), expected);
  EXPECT_FALSE(down(kRecord));
  // Nothing records, so the tray's stop does nothing; the channel buttons still work.
  PostMessageW(bench.mainWindow(), WM_COMMAND, kStopRecording, 0);
  click(kUp);
  expected = expected + Lines{"mix setMute ON", "tune incChannel"};
  EXPECT_EQ(after(n, expected.size()), expected);
}
