// The filter graph object over the fake graph manager: failures, events and references.
#include <algorithm>

#include "common/messages.h"
#include "fakes/engine_over_fakes.h"

using fakes::EngineOverFakes;
using Calls = std::vector<std::wstring>;

namespace {
const std::wstring kRecOff = L"post " + std::to_wstring(tvr::TVR_RECOFF) + L" 0 0";
}

class GraphOverFakes : public EngineOverFakes {};

TEST_F(GraphOverFakes, RunThatFailsStopsTheGraphAndIsReportedNotCountedAsSuccess) {
  com.graph->runResult = E_FAIL;
  runAll({"new GraphBuilder cFg", "cFg create"});
  EXPECT_FALSE(run("cFg startGraph"));
  EXPECT_EQ(kit.calls(L"graph.Run"), Calls{L"graph.Run()"});
  const Calls calls = kit.callsWithoutQueries();
  auto run = std::find(calls.begin(), calls.end(), L"graph.Run()");
  ASSERT_NE(run, calls.end());
  ASSERT_NE(run + 1, calls.end());
  EXPECT_EQ(*(run + 1), L"graph.Stop()");
  EXPECT_EQ(host.replies, Calls{L"error クラス「TGraphBuilder」の「startView()」で「Run」に失敗しました。"});
  // Everything was undone and no "stopGraph" undo line was left behind.
  EXPECT_TRUE(engine->objectNames().empty());
  EXPECT_TRUE(engine->undoList.empty());
}

TEST_F(GraphOverFakes, StartingTwiceHoldsOneControlReference) {
  runAll({"new GraphBuilder cFg", "cFg create", "cFg startGraph", "cFg startGraph", "cFg stopGraph"});
  EXPECT_EQ(kit.calls(L"graph.Run"), (Calls{L"graph.Run()", L"graph.Run()"}));
  EXPECT_EQ(host.replies, Calls{kRecOff});
  EXPECT_EQ(kit.calls(L"com."), Calls{L"com.CoCreateInstance(CLSID_FilterGraph, 3, IID_IGraphBuilder)"});
  run("delete cFg");
  EXPECT_EQ(kit.leaks(), Calls{});  // the first control reference was let go, too
}

TEST_F(GraphOverFakes, CreateThatFailsIsReported) {
  kit.fail(L"com.CoCreateInstance", E_OUTOFMEMORY);
  runAll({"new GraphBuilder cFg"});
  EXPECT_FALSE(run("cFg create"));
  EXPECT_EQ(host.replies,
            Calls{L"error クラス「TGraphBuilder」の「create()」でIGraphBuilderインターフェースの「CoCreateInstance」に失敗しました。"});
  EXPECT_TRUE(engine->objectNames().empty());
}

TEST_F(GraphOverFakes, AbortPollTakesEventsUpToTheAbortAndLeavesTheRest) {
  runAll({"new GraphBuilder cFg", "cFg create"});
  com.graph->events = {{EC_COMPLETE, 1, 2}, {EC_ERRORABORT, 3, 4}, {EC_COMPLETE, 5, 6}};
  EXPECT_EQ(engine->onMessage(tvr::TVR_GRAPHEVENT, 0, 0), 0);
  EXPECT_EQ(host.replies, Calls{L"post " + std::to_wstring(tvr::TVR_GRAPHABORT) + L" 0 0"});
  EXPECT_EQ(kit.calls(L"graph.FreeEventParams"),
            (Calls{L"graph.FreeEventParams(" + std::to_wstring(EC_COMPLETE) + L")",
                   L"graph.FreeEventParams(" + std::to_wstring(EC_ERRORABORT) + L")"}));
  ASSERT_EQ(com.graph->events.size(), 1u);
  // The remaining event is no abort: the next poll answers nothing.
  engine->onMessage(tvr::TVR_GRAPHEVENT, 0, 0);
  EXPECT_EQ(host.replies.size(), 1u);
  EXPECT_TRUE(com.graph->events.empty());
}
