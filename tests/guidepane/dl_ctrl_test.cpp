// The download pool under contention; built also with the thread sanitizer.
#include <gtest/gtest.h>

#include <thread>

#include "common/sj.h"
#include "download_fixture.h"

using namespace std::chrono_literals;

namespace {

std::string file(int i) { return "C:\\g\\prgTable\\img\\" + std::to_string(i) + ".gif"; }
std::string address(int i) { return "http://tv.example/img/" + std::to_string(i) + ".gif"; }

struct Pool : ::testing::Test {
  Pool() {
    for (int i = 0; i < 12; ++i) bench.site[address(i)] = {200, std::string(3000 + i, static_cast<char>('a' + i))};
  }
  void waitOpened(size_t n) {
    for (auto until = std::chrono::steady_clock::now() + 5s; bench.opened() < n && std::chrono::steady_clock::now() < until;)
      bench.serve(1);
  }
  DownloadBench bench;
  guide::dlCtrl queue{bench, bench.ports()};
};

TEST_F(Pool, TenJobsStartEightWorkersAndEveryFileArrivesOnce) {
  bench.hold(true);
  for (int i = 0; i < 10; ++i) queue.add(address(i), file(i));
  queue.add(address(3), file(3));  // queued already: not again
  queue.add("http://tv.example/img/4.GIF", "C:\\G\\PRGTABLE\\IMG\\4.GIF");  // one file on Windows
  waitOpened(8);
  EXPECT_EQ(queue.threadCount(), 8);
  EXPECT_EQ(bench.logged.back(), sj("スレッド生成－今のスレッド数：8"));
  bench.hold(false);
  bench.serveUntilIdle(queue);
  EXPECT_EQ(bench.peak, 8);
  EXPECT_EQ(bench.opened(), 10u);
  EXPECT_EQ(bench.doneMessages, 8);
  EXPECT_EQ(bench.logged.back(), sj("スレッド破棄－今のスレッド数：0"));
  EXPECT_EQ(bench.images, std::make_pair(10, 10));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(bench.files[file(i)].size(), 3000u + i);
  queue.add(address(1), file(1));  // fetched by an earlier run
  EXPECT_EQ(queue.threadCount(), 0);
}

TEST_F(Pool, AJobAddedWhileEveryWorkerIsLeavingStartsAnother) {
  bench.hold(true);
  for (int i = 0; i < 8; ++i) queue.add(address(i), file(i));
  waitOpened(8);
  bench.hold(false);
  // Serve the eight fetches' last calls, not the workers' unregistering: all have left their loops.
  bench.waitPending(8);
  bench.serve(8);
  bench.waitPending(8);
  EXPECT_EQ(queue.threadCount(), 8);
  queue.add(address(8), file(8));
  EXPECT_EQ(queue.threadCount(), 9);
  bench.serveUntilIdle(queue);
  EXPECT_EQ(bench.files.count(file(8)), 1u);
}

TEST_F(Pool, FailuresAreRetriedThriceAndLeaveNoFile) {
  bench.site[address(0)].status = 404;
  bench.site[address(1)].cutShort = true;
  queue.add(address(0), file(0));
  queue.add(address(1), file(1));
  queue.add(address(2), "C:\\g\\readonly\\2.gif");
  queue.add(address(3), "C:\\g\\full\\3.gif");
  bench.serveUntilIdle(queue);
  EXPECT_EQ(bench.opened(), 9u);
  EXPECT_EQ(bench.files.size(), 0u);
  EXPECT_EQ(queue.dropped(), 3);
  const std::vector<std::string> expected = {
      sj("スレッド生成－今のスレッド数：1"), sj("スレッド生成－今のスレッド数：2"),
      sj("指定されたファイルは読み込みに失敗しました。\n中断します。\n　STATUS CODE = 404"),
      sj("データが途中で切れました。\n中断します。")};
  for (const std::string& line : expected) EXPECT_NE(std::find(bench.logged.begin(), bench.logged.end(), line), bench.logged.end()) << line;
  EXPECT_EQ(std::count(bench.logged.begin(), bench.logged.end(), sj("3回失敗したため取得をやめました：") + address(0)), 1);
  EXPECT_EQ(std::count(bench.logged.begin(), bench.logged.end(), expected[2]), 3);
  EXPECT_EQ(std::count(bench.logged.begin(), bench.logged.end(), sj("ファイルの保存に失敗しました。\n中断します。")), 3);
}

TEST_F(Pool, AbortStopsTakingJobsAndTheNextAddTakesThemUp) {
  bench.hold(true);
  for (int i = 0; i < 10; ++i) queue.add(address(i), file(i));
  waitOpened(8);
  queue.abort();
  bench.hold(false);
  bench.serveUntilIdle(queue);
  EXPECT_EQ(bench.opened(), 8u);  // the two waiting jobs stay queued
  queue.beginDownload();  // a new download, its pages' images all on disk
  bench.serveUntilIdle(queue);
  EXPECT_EQ(bench.files.size(), 10u);
  queue.add(address(8), file(8));  // the same download again: one of those two
  bench.serveUntilIdle(queue);
  // Those cut by the abort are not finished either: all ten are fetched, each once.
  EXPECT_EQ(bench.files.size(), 10u);
  EXPECT_EQ(bench.opened(), 18u);
}

TEST_F(Pool, AnImageAbortedWhileItsTransferClosesIsFetchedWhenTheNextDownloadAsksAgain) {
  bench.hold(true);
  bench.holdClose(true);
  queue.add(address(0), file(0));
  waitOpened(1);
  queue.abort();
  bench.hold(false);
  bench.waitClosing();
  queue.add(address(0), file(0));
  bench.holdClose(false);
  bench.serveUntilIdle(queue);
  EXPECT_EQ(bench.opened(), 2u);
  EXPECT_EQ(bench.files.count(file(0)), 1u);
  EXPECT_EQ(bench.images, std::make_pair(1, 1));
}

TEST_F(Pool, ShutdownCancelsAStalledTransferAndWaits) {
  bench.hold(true);
  queue.add(address(0), file(0));
  waitOpened(1);
  EXPECT_TRUE(queue.shutdown([&] { bench.serve(1); }, 3s));
  EXPECT_EQ(bench.files.size(), 0u);
  EXPECT_EQ(bench.doneMessages, 1);
}

}  // namespace
