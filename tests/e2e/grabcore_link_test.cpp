// The engine end to end: grabcore.exe driven by the stand-in front end.
#include <gtest/gtest.h>

#include <thread>

#include "common/messages.h"
#include "harness.h"

using e2e::FrontEnd;
using e2e::ScriptFile;

namespace {

void startEngine(FrontEnd& front) {
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
}

// The messages that came back after TVR_ENGINEWND.
std::vector<unsigned> replies(const FrontEnd& front) {
  std::vector<unsigned> all = front.messages();
  if (!all.empty() && all.front() == tvr::TVR_ENGINEWND) all.erase(all.begin());
  return all;
}

const wchar_t kUnexpectedGraph[] = L"クラス「dsMan」の「func_GraphBuilder()」で予期しないサブコマンドを受け取りました。";

}  // namespace

TEST(EngineStartup, WithoutArgumentShowsTheStartupErrorAndEnds) {
  FrontEnd front;
  ASSERT_TRUE(front.startWithArguments(L""));
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, L"Tavoraの起動エラー");
  EXPECT_EQ(box->text, L"このプログラムの起動方法に誤りがあります。");
  front.press(*box);
  EXPECT_TRUE(front.waitForExit());
  EXPECT_TRUE(front.received.empty());
}

TEST(EngineStartup, ArgumentThatIsNoNumberIsShownAndTheEngineEndsUnannounced) {
  FrontEnd front;
  ASSERT_TRUE(front.startWithArguments(L"12x"));
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find(L"'12x'"), std::wstring::npos);
  front.press(*box);
  EXPECT_TRUE(front.waitForExit());
  EXPECT_TRUE(front.received.empty());
}

TEST(EngineStartup, AnnouncesItsWindowToTheFrontEnd) {
  FrontEnd front;
  startEngine(front);
  ASSERT_FALSE(front.received.empty());
  EXPECT_EQ(front.received[0].msg, tvr::TVR_ENGINEWND);
  EXPECT_NE(front.engine(), nullptr);
  wchar_t name[32] = {};
  GetClassNameW(front.engine(), name, 32);
  EXPECT_STREQ(name, L"TFormGRC");
}

TEST(EngineLink, TwoTextsThenTwoRequestsArePairedFirstWithFirst) {
  FrontEnd front;
  startEngine(front);
  front.sendText(11, "mark 1");
  front.sendText(12, "mark 2");
  front.postRequest(tvr::TVR_EXECONELINE, 0, 12);
  front.postRequest(tvr::TVR_EXECONELINE, 0, 11);
  ASSERT_TRUE(front.waitForDone(11));
  const std::vector<e2e::Received>& r = front.received;
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[1].msg, tvr::TVR_MARK);
  EXPECT_EQ(r[1].wParam, 1u);
  EXPECT_EQ(r[2].msg, tvr::TVR_DONE);
  EXPECT_EQ(r[2].lParam, 12);
  EXPECT_EQ(r[3].msg, tvr::TVR_MARK);
  EXPECT_EQ(r[3].wParam, 2u);
  EXPECT_EQ(r[4].lParam, 11);
}

TEST(EngineLink, ForeignWindowsTextIsRefusedWithItsBoxAndNothingIsQueued) {
  FrontEnd front;
  FrontEnd stranger;
  startEngine(front);
  // The send waits while the engine shows its box, so it runs beside the test.
  std::thread sender([&] {
    COPYDATASTRUCT data{1, 7, const_cast<char*>("mark 3")};
    SendMessageW(front.engine(), WM_COPYDATA, reinterpret_cast<WPARAM>(stranger.window()),
                 reinterpret_cast<LPARAM>(&data));
  });
  auto box = front.waitForBox();
  if (!box) {
    // Without its box the engine never answers the send: end it so the sender comes back.
    front.kill();
    sender.join();
    FAIL() << "no box for the foreign sender";
  }
  EXPECT_EQ(box->text, L"メインスレッド以外からメッセージを受けました。");
  front.press(*box);
  sender.join();
  int64_t id = front.request(tvr::TVR_EXECONELINE, "mark 4");
  ASSERT_TRUE(front.waitForDone(id));
  EXPECT_EQ(replies(front), (std::vector<unsigned>{tvr::TVR_MARK, tvr::TVR_DONE}));
  EXPECT_EQ(front.received[1].wParam, 4u);
}

TEST(EngineLink, CommandFileGoesOnAfterAFailingLineAndIsAcknowledgedOnce) {
  FrontEnd front;
  startEngine(front);
  ScriptFile file(e2e::uniqueName("three") + ".cmd", {"new GraphBuilder cFg", "cFg bogus", "mark 3"});
  int64_t id = front.request(tvr::TVR_EXECMDFILE, file.name());
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kUnexpectedGraph);
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(id));
  EXPECT_EQ(replies(front), (std::vector<unsigned>{tvr::TVR_MARK, tvr::TVR_DONE}));
  // The full undo deleted cFg: a line addressed to it does nothing now.
  int64_t next = front.request(tvr::TVR_EXECONELINE, "cFg stopGraph");
  ASSERT_TRUE(front.waitForDone(next));
  EXPECT_EQ(front.count(tvr::TVR_RECOFF), 0u);
  EXPECT_EQ(front.count(tvr::TVR_DONE), 2u);
}

TEST(EngineLink, MarkInACommandFileArrivesBeforeItsAcknowledgement) {
  FrontEnd front;
  startEngine(front);
  ScriptFile file(e2e::uniqueName("mark") + ".cmd", {"# barrier", "mark 7"});
  int64_t id = front.request(tvr::TVR_EXECMDFILE, file.name());
  ASSERT_TRUE(front.waitForDone(id));
  EXPECT_EQ(replies(front), (std::vector<unsigned>{tvr::TVR_MARK, tvr::TVR_DONE}));
  EXPECT_EQ(front.received[1].wParam, 7u);
}

TEST(EngineLink, MissingCommandFileShowsTheBoxAndIsStillAcknowledged) {
  FrontEnd front;
  startEngine(front);
  int64_t id = front.request(tvr::TVR_EXECMDFILE, "no-such-file.cmd");
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find(L"no-such-file.cmd"), std::wstring::npos);
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(id));
  int64_t next = front.request(tvr::TVR_EXECONELINE, "mark 8");
  ASSERT_TRUE(front.waitForDone(next));
  EXPECT_EQ(replies(front), (std::vector<unsigned>{tvr::TVR_DONE, tvr::TVR_MARK, tvr::TVR_DONE}));
}

TEST(FilterGraph, CreateStartAndStopAgainstTheRealGraph) {
  FrontEnd front;
  startEngine(front);
  int64_t last = 0;
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "cFg startGraph", "cFg stopGraph"})
    last = front.request(tvr::TVR_EXECONELINE, line);
  ASSERT_EQ(front.waitForDoneWithoutBox(last), L"");
  std::vector<unsigned> got = replies(front);
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[3], tvr::TVR_RECOFF);
  EXPECT_EQ(got[4], tvr::TVR_DONE);
  EXPECT_EQ(front.received.back().lParam, last);
}

TEST(FilterGraph, EnumFiltersOnAnEmptyGraphShowsAnEmptyBox) {
  FrontEnd front;
  startEngine(front);
  front.request(tvr::TVR_EXECONELINE, "new GraphBuilder cFg");
  front.request(tvr::TVR_EXECONELINE, "cFg create");
  int64_t id = front.request(tvr::TVR_EXECONELINE, "cFg EnumFilters");
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, L"grabcore");
  EXPECT_EQ(box->text, L"");
  EXPECT_EQ(front.count(tvr::TVR_DONE), 2u);  // the third waits for the box
  front.press(*box);
  EXPECT_TRUE(front.waitForDone(id));
}

TEST(FilterGraph, MisspeltSubcommandReportsAndUndoesEverything) {
  FrontEnd front;
  startEngine(front);
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "cFg startGraph"})
    front.request(tvr::TVR_EXECONELINE, line);
  int64_t id = front.request(tvr::TVR_EXECONELINE, "cFg stopGrph");
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kUnexpectedGraph);
  EXPECT_EQ(front.count(tvr::TVR_RECOFF), 0u);
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(id));
  // The undo ran "cFg stopGraph" (its TVR_RECOFF) and deleted the graph.
  EXPECT_EQ(front.count(tvr::TVR_RECOFF), 1u);
  int64_t next = front.request(tvr::TVR_EXECONELINE, "cFg stopGraph");
  ASSERT_TRUE(front.waitForDone(next));
  EXPECT_EQ(front.count(tvr::TVR_RECOFF), 1u);
}

TEST(EngineLink, QuitIsAcknowledgedThenTheEngineEnds) {
  FrontEnd front;
  startEngine(front);
  int64_t id = front.request(tvr::TVR_EXECONELINE, "quit");
  ASSERT_TRUE(front.waitForDone(id));
  EXPECT_TRUE(front.waitForExit());
}
