// The options dialog end to end under Wine: opened from the TV view, the exact engine lines
// of its frame and of its pages 0 and 1, replies routed into it, and its close.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/messages.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;

namespace {

constexpr WPARAM kTvView = 1;
constexpr WPARAM kOptions = 101;
// Control ids of the dialog and of page 0.
constexpr int kClose = 2;
constexpr int kSaturation = 1, kBrightness = 2, kContrast = 3, kHue = 4;
constexpr int kReset = 10, kMixerLine = 11, kVfw = 13, kWdm = 14;

const std::vector<std::string> kQueries = {"cVCap getQuality Saturation", "cVCap getQuality Brightness",
                                           "cVCap getQuality Contrast",   "cVCap getQuality Hue",
                                           "mix getDevList",              "mix getNowMixerDev"};

std::vector<uint8_t> nameBlock(const std::vector<std::string>& names) {
  std::vector<uint8_t> out(4);
  out[0] = static_cast<uint8_t>(names.size());
  for (const std::string& n : names) {
    out.insert(out.end(), n.begin(), n.end());
    out.push_back(0);
  }
  return out;
}

struct OptionsBench : ::testing::Test {
  void SetUp() override {
    ASSERT_NE(bench.start(), nullptr);
    ASSERT_TRUE(bench.waitForMainWindow());
    view = FindWindowW(L"TFormTVView", nullptr);
    ASSERT_NE(view, nullptr);
    PostMessageW(bench.mainWindow(), WM_COMMAND, kTvView, 0);
    ASSERT_TRUE(bench.waitForRequest("mark 5"));
  }
  // The requests from now on.
  void mark() { seen = bench.requestsWithoutViewSizing().size(); }
  std::vector<std::string> since() const {
    auto all = bench.requestsWithoutViewSizing();
    return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(std::min(seen, all.size())), all.end());
  }
  // Waits until the requests since the mark are exactly these (and stay so a moment).
  ::testing::AssertionResult sentSince(const std::vector<std::string>& expected) {
    e2e::pollUntil([&] { return since().size() >= expected.size(); }, 10000);
    Sleep(150);
    const auto got = since();
    if (got == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "sent " << ::testing::PrintToString(got);
  }
  void open() {
    mark();
    PostMessageW(view, WM_COMMAND, kOptions, 0);
    ASSERT_TRUE(e2e::pollUntil([&] { return (dialog = bench.findWindow(bench.process(), L"TForm3")) != nullptr; },
                               10000));
    page0 = FindWindowExW(dialog, nullptr, L"TForm3TabSheet1", nullptr);
    ASSERT_NE(page0, nullptr);
    ASSERT_TRUE(sentSince(kQueries));
  }
  void close() {
    SendMessageW(GetDlgItem(dialog, kClose), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::pollUntil([&] { return !IsWindow(dialog); }, 10000));
  }
  HWND control(int id) const { return GetDlgItem(page0, id); }
  int position(int id) const { return static_cast<int>(SendMessageW(control(id), TBM_GETPOS, 0, 0)); }

  RecdeskBench bench;
  HWND view = nullptr;
  HWND dialog = nullptr;
  HWND page0 = nullptr;
  size_t seen = 0;
};

}  // namespace

TEST_F(OptionsBench, OpensOnPageZeroWithItsQueriesEveryTimeAndClosesWithNothingMore) {
  open();
  wchar_t caption[32] = {};
  GetWindowTextW(dialog, caption, 32);
  EXPECT_STREQ(caption, L"設定");
  HWND tabs = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_FALSE(IsWindowEnabled(view));  // modal
  mark();
  close();
  EXPECT_TRUE(sentSince({}));
  EXPECT_TRUE(IsWindowEnabled(view));
  open();  // the queries again
  close();
}

TEST_F(OptionsBench, RepliesReachThePageAndADroppedOneWithoutADialog) {
  // Before any dialog the replies go nowhere and nothing breaks.
  bench.enginePosts(tvr::TVR_VIDEOPROP, 0, 10);
  bench.engineSends(tvr::CD_MIXERLINES, nameBlock({"Line"}));
  open();
  mark();
  bench.engineSends(tvr::CD_MIXERLINES, nameBlock({"Line In", "CD"}));
  bench.enginePosts(tvr::TVR_MIXDEVINDEX, 1, 0);
  std::vector<uint8_t> bad = nameBlock({"X"});
  bad[0] = 3;  // says three names, holds one
  bench.engineSends(tvr::CD_MIXERLINES, bad);
  ASSERT_TRUE(e2e::pollUntil([&] { return SendMessageW(control(kMixerLine), CB_GETCURSEL, 0, 0) == 1; }, 5000));
  EXPECT_EQ(SendMessageW(control(kMixerLine), CB_GETCOUNT, 0, 0), 2);
  // A reported value moves its bar, which sends it back once; one already there sends nothing;
  // one outside the bar is shown clamped and never sent.
  bench.enginePosts(tvr::TVR_VIDEOPROP, 0, 200);  // brightness
  bench.enginePosts(tvr::TVR_VIDEOPROP, 1, 127);  // contrast, unchanged
  bench.enginePosts(tvr::TVR_VIDEOPROP, 2, 300);  // hue
  bench.enginePosts(tvr::TVR_VIDEOPROP, 9, 5);    // no such property
  EXPECT_TRUE(sentSince({"cVCap setQuality Brightness 200"}));
  EXPECT_EQ(position(kBrightness), 200);
  EXPECT_EQ(position(kHue), 255);
  // The reset sends only the bars it moves.
  mark();
  SendMessageW(control(kReset), BM_CLICK, 0, 0);
  EXPECT_TRUE(sentSince({"cVCap setQuality Brightness 127", "cVCap setQuality Hue 127"}));
  mark();
  SendMessageW(control(kReset), BM_CLICK, 0, 0);
  EXPECT_TRUE(sentSince({}));
  // The sound line chosen by the user.
  mark();
  SendMessageW(control(kMixerLine), CB_SETCURSEL, 0, 0);
  SendMessageW(page0, WM_COMMAND, MAKEWPARAM(kMixerLine, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control(kMixerLine)));
  EXPECT_TRUE(sentSince({"mix setCurrentMixDev 0"}));
  (void)kSaturation, (void)kContrast, (void)kVfw, (void)kWdm;
  close();
}

TEST_F(OptionsBench, RefusedWhileTheRecordButtonIsDown) {
  bench.enginePosts(tvr::TVR_RECON, 0, 0);
  Sleep(200);
  mark();
  PostMessageW(view, WM_COMMAND, kOptions, 0);
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000));
  EXPECT_EQ(RecdeskBench::boxText(box), L"録画中と予約録画の準備中は、設定を開けません。");
  EXPECT_EQ(bench.findWindow(bench.process(), L"TForm3"), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(sentSince({}));
}
