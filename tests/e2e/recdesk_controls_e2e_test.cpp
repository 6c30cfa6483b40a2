// The TV view's controls end to end under Wine: the real recorder, the scripted engine stand-in
// answering as the engine and its mixer would, and the exact lines the engine receives.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/messages.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;
using enginestub::Actions;

namespace {

constexpr WPARAM kTvView = 1;
constexpr WPARAM kOnTop = 102;  // the view's "常に手前に表示"

struct ControlsBench : ::testing::Test {
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
