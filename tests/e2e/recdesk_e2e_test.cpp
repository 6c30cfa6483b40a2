// The recorder end to end under Wine, with the engine and launch stand-ins.
#include <gtest/gtest.h>

#include <string>

#include "common/messages.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;

namespace {

std::wstring captionOf(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

struct StartedRecdesk : ::testing::Test {
  void SetUp() override {
    ASSERT_NE(bench.start(), nullptr);
    ASSERT_TRUE(bench.waitForMainWindow());
  }
  RecdeskBench bench;
};

}  // namespace

TEST_F(StartedRecdesk, StartsTheEngineWithItsHiddenMainWindow) {
  EXPECT_EQ(captionOf(bench.mainWindow()), L"Tavora");
  EXPECT_FALSE(IsWindowVisible(bench.mainWindow()));
  const auto log = bench.engineLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "start " + std::to_string(reinterpret_cast<uintptr_t>(bench.mainWindow())));
}

TEST_F(StartedRecdesk, ASecondCopyEndsAtOnceAndLeavesTheFirstAlone) {
  HANDLE second = bench.start();
  ASSERT_NE(second, nullptr);
  DWORD code = 1;
  ASSERT_TRUE(bench.waitForExit(second, 10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(IsWindow(bench.mainWindow()));
  EXPECT_EQ(bench.engineLog().size(), 1u);  // one engine, started once
}

TEST_F(StartedRecdesk, MarkThreeSendsQuitAndEnds) {
  bench.enginePosts(tvr::TVR_MARK, 3, 0);
  EXPECT_TRUE(bench.waitForRequest("quit"));
  DWORD code = 1;
  ASSERT_TRUE(bench.waitForExit(bench.process(), 10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(StartedRecdesk, MarkTwoWaitsForItsOwnAcknowledgementThenQuitsWithoutPowerOff) {
  // mark 1 asks the engine for mark 2; its acknowledgement sends the queued "quit OFF".
  bench.enginePosts(tvr::TVR_MARK, 1, 0);
  ASSERT_TRUE(bench.waitForRequest("mark 2"));
  bench.holdAcknowledgements();
  bench.enginePosts(tvr::TVR_MARK, 2, 0);
  // Ending at once would lose the "quit OFF" queued behind the held acknowledgement.
  bench.releaseAcknowledgements();
  EXPECT_TRUE(bench.waitForRequest("quit OFF"));
  EXPECT_TRUE(bench.waitForExit(bench.process(), 10000));
}

TEST(Recdesk, WithoutItsSettingsFileShowsTheBoxAndEnds) {
  RecdeskBench bench(false);
  HANDLE process = bench.start();
  ASSERT_NE(process, nullptr);
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil(
      [&] {
        box = bench.findBox(process);
        return box != nullptr;
      },
      10000));
  EXPECT_EQ(RecdeskBench::boxText(box),
            L"起動に必要なファイルが見つかりません。\n正常にインストールされていない可能性があります。");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(bench.waitForExit(process, 10000));
  EXPECT_TRUE(bench.engineLog().empty());  // no engine was started
}

TEST_F(StartedRecdesk, TheEngineEndingIsToldOnceAndTheProgramCanStillEnd) {
  bench.holdAcknowledgements();
  bench.enginePosts(tvr::TVR_SIGNAL, 1, 0);  // the unmute stays unacknowledged: the queue is busy
  ASSERT_TRUE(bench.waitForRequest("mix setMute OFF"));
  bench.killEngine();
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000));
  EXPECT_EQ(RecdeskBench::boxText(box), L"grabcore.exe が終了しました。\n送信を待っているコマンドを取り消しました。");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  // The queue was cleared, so "quit" is not waited for.
  PostMessageW(bench.mainWindow(), tvr::TVR_MARK, 3, 0);
  DWORD code = 1;
  ASSERT_TRUE(bench.waitForExit(bench.process(), 10000, &code));
  EXPECT_EQ(code, 0u);
}
