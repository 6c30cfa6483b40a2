// The TV view end to end under Wine: shown from the tray item, its caption from the engine,
// its sizes, and its close with the engine's clean-up and capForm.dat.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/messages.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;

namespace {

// Menu ids: the tray's "TV表示" and "Tavora を終了", the view's "640×480" and "左".
constexpr WPARAM kTvView = 1;
constexpr WPARAM kExit = 7;
constexpr WPARAM kSize640 = 104;
constexpr WPARAM kPanelLeft = 115;
constexpr WPARAM kBottomRight = 111;

const std::vector<std::string> kPreview = {
    "form", "new SoundMixer mix", "mix create form", "mix getMute", "mix getVolume", "label setMixer",
    "mix getSysVolMute", "mix setMute ON", "form", "width", "height", "chForm", "preView.cmd", "tune setCh",
    "mix setSysVolMute", "mark 5"};
const std::vector<std::string> kCleanUp = {"mix getSysVolMute", "mix setMute ON", "clean filterSet",
                                           "tune nukeWithoutNeeds cFg", "clean setMixer", "mix setSysVolMute",
                                           "clean"};

std::wstring captionOf(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

// Whether the requests hold the sequence without anything between, and where it ends.
bool holdsInOrder(const std::vector<std::string>& all, const std::vector<std::string>& sequence) {
  return std::search(all.begin(), all.end(), sequence.begin(), sequence.end()) != all.end();
}

std::vector<uint8_t> readFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int32_t i32At(const std::vector<uint8_t>& data, size_t at) {
  return static_cast<int32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 | uint32_t(data[at + 3]) << 24);
}

// A capForm.dat with a stored placement and panel position.
std::vector<uint8_t> capForm(int32_t left, int32_t top, int32_t width, int32_t height, uint8_t panel) {
  std::vector<uint8_t> data(44, 0);
  auto put = [&](size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) data[at + i] = static_cast<uint8_t>(uint32_t(v) >> (8 * i));
  };
  put(0, 1);
  put(8, left);
  put(12, top);
  put(16, width);
  put(20, height);
  data[26] = panel;
  for (char c : std::string("q\0f.avi\0", 8)) data.push_back(static_cast<uint8_t>(c));
  return data;
}

void writeCapForm(const RecdeskBench& bench, const std::vector<uint8_t>& data) {
  std::ofstream out(std::filesystem::path(bench.folder() + L"capForm.dat"), std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

struct ViewBench : ::testing::Test {
  void start() {
    ASSERT_NE(bench.start(), nullptr);
    ASSERT_TRUE(bench.waitForMainWindow());
    view = FindWindowW(L"TFormTVView", nullptr);
    ASSERT_NE(view, nullptr);
  }
  // Waits until the engine has been sent the request n times in all.
  bool waitForNth(const std::string& text, size_t n) {
    return e2e::pollUntil(
        [&] {
          const auto sent = bench.requestsWithoutViewSizing();
          return static_cast<size_t>(std::count(sent.begin(), sent.end(), text)) >= n;
        },
        10000);
  }
  void showView(size_t nth = 1) {
    bench.choose(bench.mainWindow(), kTvView);
    ASSERT_TRUE(waitForNth("mark 5", nth));
  }
  RECT normalRect() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(view, &placement);
    return placement.rcNormalPosition;
  }
  RecdeskBench bench;
  HWND view = nullptr;
};

}  // namespace

TEST_F(ViewBench, TheTrayItemShowsTheViewAndQueuesThePreviewInOrder) {
  start();
  EXPECT_FALSE(IsWindowVisible(view));
  EXPECT_EQ(captionOf(view), L"TV");
  showView();
  EXPECT_TRUE(IsWindowVisible(view));
  const auto sent = bench.requestsWithoutViewSizing();
  EXPECT_TRUE(holdsInOrder(sent, kPreview)) << ::testing::PrintToString(sent);
  EXPECT_EQ(sent.front(), "form");  // nothing of the preview was dropped or sent before
  // The engine is given the video panel inside the view.
  RECT client{};
  GetClientRect(view, &client);
  EXPECT_EQ(client.right, 323);
  EXPECT_EQ(client.bottom, 221);
}

TEST_F(ViewBench, TheEnginesCaptionBlockNamesTheViewAndAForeignOneDoesNot) {
  start();
  // "テレビ" in Shift-JIS, with its NUL.
  const std::vector<uint8_t> tv = {0x83, 0x65, 0x83, 0x8C, 0x83, 0x72, 0};
  bench.engineSends(tvr::CD_CAPTION, tv);
  EXPECT_EQ(captionOf(view), L"テレビ");
  // The same block from a window that is not the engine's.
  const char other[] = "X";
  COPYDATASTRUCT block{tvr::CD_CAPTION, sizeof other, const_cast<char*>(other)};
  SendMessageW(bench.mainWindow(), WM_COPYDATA, reinterpret_cast<WPARAM>(GetDesktopWindow()),
               reinterpret_cast<LPARAM>(&block));
  EXPECT_EQ(captionOf(view), L"テレビ");
  // A kind meant for the options dialog, which does not exist, changes nothing either.
  bench.engineSends(tvr::CD_CHNUMBERS, {1, 0, 0, 0, '1', 0});
  EXPECT_EQ(captionOf(view), L"テレビ");
}

TEST_F(ViewBench, ClosingSendsTheCleanUpAndWritesCapForm) {
  start();
  showView();
  PostMessageW(view, WM_CLOSE, 0, 0);
  ASSERT_TRUE(bench.waitForRequest("clean"));
  EXPECT_FALSE(IsWindowVisible(view));
  EXPECT_TRUE(holdsInOrder(bench.requestsWithoutViewSizing(), kCleanUp));
  const auto data = readFile(bench.folder() + L"capForm.dat");
  ASSERT_GE(data.size(), 44u);
  EXPECT_EQ(i32At(data, 0), 1);
  EXPECT_EQ(data[4], 0);   // the placement is stored now
  EXPECT_EQ(data[26], 1);  // the panel at the top
  const RECT r = normalRect();
  EXPECT_EQ(i32At(data, 16), r.right - r.left);
  EXPECT_EQ(i32At(data, 20), r.bottom - r.top);
  const std::vector<uint8_t> strings(data.begin() + 44, data.end());
  const std::string expected("\x82\x73\x82\x75\0C:\\AVCapture.AVI\0", 22);  // "ＴＶ"
  EXPECT_EQ(std::string(strings.begin(), strings.end()), expected);
}

TEST_F(ViewBench, TheTrayItemAndMarkFourCloseAShownView) {
  start();
  showView();
  bench.choose(bench.mainWindow(), kTvView);
  ASSERT_TRUE(bench.waitForRequest("clean"));
  EXPECT_FALSE(IsWindowVisible(view));
  showView(2);
  EXPECT_TRUE(IsWindowVisible(view));
  bench.enginePosts(tvr::TVR_MARK, 4, 0);
  ASSERT_TRUE(waitForNth("clean", 2));
  EXPECT_FALSE(IsWindowVisible(view));
}

TEST_F(ViewBench, ExitWithTheViewShownClosesItThenAsksForMarkThree) {
  start();
  showView();
  bench.choose(bench.mainWindow(), kExit);
  ASSERT_TRUE(bench.waitForRequest("mark 3"));
  auto sent = bench.requestsWithoutViewSizing();
  std::vector<std::string> expected = kCleanUp;
  expected.push_back("mark 3");
  EXPECT_TRUE(holdsInOrder(sent, expected)) << ::testing::PrintToString(sent);
  bench.enginePosts(tvr::TVR_MARK, 3, 0);
  EXPECT_TRUE(bench.waitForRequest("quit"));
  EXPECT_TRUE(bench.waitForExit(bench.process(), 10000));
}

TEST_F(ViewBench, VideoSizeAndPanelItemsSizeTheClientArea) {
  start();
  showView();
  bench.choose(view, kSize640);
  ASSERT_TRUE(bench.waitForRequest("cCapBuild setWinSize 640 480"));
  RECT client{};
  GetClientRect(view, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 520);
  // The panel moves to the left; the video keeps its size.
  bench.choose(view, kPanelLeft);
  ASSERT_TRUE(e2e::pollUntil(
      [&] {
        GetClientRect(view, &client);
        return client.right == 680;
      },
      10000));
  EXPECT_EQ(client.bottom, 480);
}

TEST_F(ViewBench, AStoredPlacementIsRestoredInTheCoordinatesItWasStoredIn) {
  writeCapForm(bench, capForm(100, 120, 400, 300, 3));
  start();
  RECT r = normalRect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 300);
  PostMessageW(bench.mainWindow(), tvr::TVR_MARK, 3, 0);
  ASSERT_TRUE(bench.waitForExit(bench.process(), 10000));
}

TEST_F(ViewBench, TheBottomRightCornerPutsTheViewAtTheWorkAreasCorner) {
  start();
  showView();
  bench.choose(view, kBottomRight);
  // The screen's work area, less the taskbar where it lies on the bottom edge (Wine's is a
  // one-pixel strip there).
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  APPBARDATA bar{};
  bar.cbSize = sizeof(bar);
  bar.hWnd = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (bar.hWnd && SHAppBarMessage(ABM_GETTASKBARPOS, &bar) && bar.uEdge == ABE_BOTTOM && bar.rc.bottom >= work.bottom)
    work.bottom = std::min(work.bottom, bar.rc.top);
  RECT r{};
  ASSERT_TRUE(e2e::pollUntil(
      [&] {
        GetWindowRect(view, &r);
        return r.right == work.right && r.bottom == work.bottom;
      },
      10000))
      << r.right << " " << r.bottom;
  // The video panel was made 4:3 on the way: 323 x 181 became 241 x 181.
  RECT video{};
  GetClientRect(GetDlgItem(view, 1), &video);
  EXPECT_EQ(video.right, 241);
  EXPECT_EQ(video.bottom, 181);
}

TEST_F(ViewBench, AStoredFloatingPanelFloatsBelowTheViewWithoutACloseBox) {
  writeCapForm(bench, capForm(100, 100, 400, 300, 5));
  start();
  showView();
  HWND host = FindWindowW(L"TCtrlPanel", nullptr);
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(IsWindowVisible(host));
  EXPECT_EQ(GetWindowLongPtrW(host, GWL_STYLE) & WS_SYSMENU, 0);
  RECT viewRect{}, hostRect{};
  GetWindowRect(view, &viewRect);
  GetWindowRect(host, &hostRect);
  EXPECT_EQ(hostRect.left, viewRect.left);
  EXPECT_EQ(hostRect.top, viewRect.bottom);
  EXPECT_EQ(hostRect.right - hostRect.left, 246);
  EXPECT_EQ(hostRect.bottom - hostRect.top, 40);
  // The video panel has the whole client area.
  RECT client{}, video{};
  GetClientRect(view, &client);
  GetClientRect(GetDlgItem(view, 1), &video);
  EXPECT_EQ(video.right, client.right);
  EXPECT_EQ(video.bottom, client.bottom);
  PostMessageW(view, WM_CLOSE, 0, 0);
  ASSERT_TRUE(bench.waitForRequest("clean"));
  EXPECT_FALSE(IsWindowVisible(host));
}

TEST_F(ViewBench, AStoredPlacementOffEveryScreenFallsBackToTheDefault) {
  writeCapForm(bench, capForm(5000, 4000, 400, 300, 1));
  start();
  RECT r{};
  GetWindowRect(view, &r);
  EXPECT_LT(r.left, 1024);
  EXPECT_LT(r.top, 768);
  EXPECT_NE(r.right - r.left, 400);
}

TEST_F(ViewBench, TheEnginesReportsReachTheControlPanel) {
  start();
  showView();
  HWND panel = FindWindowExW(view, nullptr, L"TavoraControlPanel", nullptr);
  ASSERT_NE(panel, nullptr);
  HWND label = GetDlgItem(panel, 1);
  bench.enginePosts(tvr::TVR_CHANNEL, 65535, 0);
  EXPECT_TRUE(e2e::pollUntil([&] { return captionOf(label) == L"C"; }, 10000));
  bench.enginePosts(tvr::TVR_CHANNEL, 12, 0);
  EXPECT_TRUE(e2e::pollUntil([&] { return captionOf(label) == L"12"; }, 10000));
  // A signal unmutes while the mute button is up, not while it is down.
  bench.enginePosts(tvr::TVR_SIGNAL, 1, 0);
  ASSERT_TRUE(bench.waitForRequest("mix setMute OFF"));
  bench.enginePosts(tvr::TVR_MUTE, 1, 0);
  bench.enginePosts(tvr::TVR_SIGNAL, 1, 0);
  bench.enginePosts(tvr::TVR_MARK, 99, 0);  // a mark that does nothing, then a request as the barrier
  bench.choose(view, kSize640);
  ASSERT_TRUE(bench.waitForRequest("cCapBuild setWinSize 640 480"));
  const auto sent = bench.requestsWithoutViewSizing();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "mix setMute OFF"), 1);
}

TEST_F(ViewBench, WhileRecordingACloseMinimisesAndAStopOfNoRecordingOfTheRecordersIsRefused) {
  start();
  showView();
  bench.choose(bench.mainWindow(), 2);  // nothing records yet
  bench.enginePosts(tvr::TVR_RECON, 0, 0);
  PostMessageW(view, WM_CLOSE, 0, 0);
  bench.enginePosts(tvr::TVR_SIGNAL, 1, 0);  // its "mix setMute OFF" is the barrier
  ASSERT_TRUE(bench.waitForRequest("mix setMute OFF"));
  EXPECT_TRUE(IsIconic(view));
  auto sent = bench.requestsWithoutViewSizing();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "clean filterSet"), 0);
  // The recorder started no recording (the engine's report alone put the button down), so
  // "録画停止" is off and a posted one is refused as a click would be.
  bench.choose(bench.mainWindow(), 2);
  bench.enginePosts(tvr::TVR_RECOFF, 0, 0);
  // Now the view closes.
  PostMessageW(view, WM_CLOSE, 0, 0);
  EXPECT_TRUE(bench.waitForRequest("clean"));
  sent = bench.requestsWithoutViewSizing();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "cFg stopGraph"), 0);
}

TEST(RecdeskView, ACapFormThatCannotBeReadIsToldAndTheDefaultsApply) {
  RecdeskBench bench;
  const std::wstring path = bench.folder() + L"capForm.dat";
  writeCapForm(bench, capForm(100, 100, 400, 300, 3));
  // Held open without sharing: there, but not readable.
  HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  HANDLE process = bench.start();
  ASSERT_NE(process, nullptr);
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(process)) != nullptr; }, 10000));
  EXPECT_EQ(RecdeskBench::boxText(box), L"Exceptionファイル " + path + L" が開けませんでした。");
  EXPECT_EQ(captionOf(box), L"Tavora");
  CloseHandle(lock);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(bench.waitForMainWindow());
  HWND view = FindWindowW(L"TFormTVView", nullptr);
  ASSERT_NE(view, nullptr);
  // The defaults: Windows' own place and the design's size, not the stored 400 x 300.
  RECT client{};
  GetClientRect(view, &client);
  EXPECT_EQ(client.right, 323);
  EXPECT_EQ(client.bottom, 221);
  PostMessageW(bench.mainWindow(), tvr::TVR_MARK, 3, 0);
  EXPECT_TRUE(bench.waitForExit(process, 10000));
}
