// The endpoint: pairing of texts and posted requests, acknowledgements and command files.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "fake_engine.h"

using Tokens = std::vector<std::string>;

namespace {
std::string done(int64_t id) { return post(tvr::TVR_DONE, 0, id); }

void copyData(lex& e, uint64_t sender, uint64_t id, const void* data, uint32_t size) {
  CopyDataBlock block{id, data, size};
  EXPECT_EQ(e.onMessage(tvr::kWmCopyData, sender, 0, &block), 0);
}
}  // namespace

TEST(Endpoint, TextsAndRequestsArePairedInArrivalOrderWhateverTheirIds) {
  EngineFixture f;
  copyData(f.engine, f.engine.frontWnd, 9, "form\0", 5);
  copyData(f.engine, f.engine.frontWnd, 3, "width", 6);
  EXPECT_EQ(f.engine.onMessage(tvr::TVR_ADDDWORD, 77, 3), 0);
  EXPECT_EQ(f.engine.onMessage(tvr::TVR_ADDDWORD, 640, 9), 0);
  EXPECT_EQ(f.engine.namedNumber("form"), 77u);
  EXPECT_EQ(f.engine.namedNumber("width"), 640u);
  EXPECT_EQ(f.host.log, (Tokens{done(3), done(9)}));
  EXPECT_TRUE(f.engine.argTexts.empty());
  EXPECT_TRUE(f.engine.msgArgID.empty());
}

TEST(Endpoint, TextIsReadWithinItsBlockAndUpToItsNul) {
  EngineFixture f;
  copyData(f.engine, f.engine.frontWnd, 1, "abcdef", 3);  // no NUL inside cbData
  copyData(f.engine, f.engine.frontWnd, 2, "ab\0cd", 5);
  copyData(f.engine, f.engine.frontWnd, 3, nullptr, 10);
  copyData(f.engine, f.engine.frontWnd, 4, "x", 0);
  EXPECT_EQ(f.engine.argTexts, (std::deque<std::string>{"abc", "ab", "", ""}));
  EXPECT_EQ(f.engine.onMessage(tvr::kWmCopyData, f.engine.frontWnd, 0, nullptr), 0);
  EXPECT_EQ(f.engine.argTexts.size(), 5u);
}

TEST(Endpoint, ForeignSenderIsRefusedAndNothingIsQueued) {
  EngineFixture f;
  copyData(f.engine, 0x2000, 1, "mark 1", 7);
  EXPECT_EQ(f.host.log, (Tokens{"foreign"}));
  EXPECT_TRUE(f.engine.argTexts.empty());
  EXPECT_TRUE(f.engine.msgArgID.empty());
}

TEST(Endpoint, RequestWithoutTextRunsNothingButIsAnswered) {
  EngineFixture f;
  EXPECT_EQ(f.engine.onMessage(tvr::TVR_EXECONELINE, 0, 4), 0);
  EXPECT_EQ(f.host.log, Tokens{done(4)});
}

TEST(Endpoint, AddArgStoresTheValueAndOtherMessagesPassOn) {
  EngineFixture f;
  f.request(tvr::TVR_ADDARG, "obj", 1, 0xABCDEF12345ULL);
  EXPECT_EQ(f.engine.argObjects["obj"], 0xABCDEF12345ULL);
  EXPECT_EQ(f.engine.onMessage(tvr::TVR_CHADDED, 0, 0), 1);
  EXPECT_EQ(f.engine.onMessage(15, 0, 0), 1);
}

TEST(Endpoint, CommandFileRunsEveryLineAfterADeviceErrorAndIsAcknowledgedOnce) {
  EngineFixture f;
  f.engine.scriptDir = "S\\script\\";
  f.host.files["S\\script\\three.cmd"] = {"new GraphBuilder cFg", "cFg bogus", "new GraphBuilder g2"};
  f.request(tvr::TVR_EXECMDFILE, "three.cmd", 12);
  const std::string unexpected =
      "error " + sj("クラス「dsMan」の「func_GraphBuilder()」で予期しないサブコマンドを受け取りました。");
  EXPECT_EQ(f.host.log, (Tokens{"make obj1", "pump", unexpected, "destroy obj1", "pump", "make obj2", "pump",
                                done(12)}));
  EXPECT_EQ(f.engine.objectNames(), (Tokens{"g2"}));
}

TEST(Endpoint, MarkInACommandFileComesBeforeTheAcknowledgement) {
  EngineFixture f;
  f.host.files["m.cmd"] = {"mark 7"};
  f.request(tvr::TVR_EXECMDFILE, "m.cmd", 2);
  EXPECT_EQ(f.host.log, (Tokens{post(tvr::TVR_MARK, 7, 0), "pump", done(2)}));
}

TEST(Endpoint, LanguageErrorsShowTheBoxDropTheRequestAndStillAcknowledge) {
  EngineFixture f;
  f.request(tvr::TVR_EXECMDFILE, "missing.cmd", 1);
  f.request(tvr::TVR_EXECONELINE, "", 2);
  f.request(tvr::TVR_EXECONELINE, "mark x", 3);
  f.host.files["bad.cmd"] = {"mark 1", "label", "mark 2"};
  f.request(tvr::TVR_EXECMDFILE, "bad.cmd", 4);
  EXPECT_EQ(f.host.log, (Tokens{"framework Cannot open file \"missing.cmd\".", done(1), "framework Range check error",
                                done(2), "framework 'x' is not a valid integer value", done(3),
                                post(tvr::TVR_MARK, 1, 0), "pump", "framework List index out of bounds (1)",
                                done(4)}));
  EXPECT_TRUE(f.engine.argTexts.empty());
  // The link is still in step: the next request gets its own text.
  f.request(tvr::TVR_EXECONELINE, "mark 9", 5);
  EXPECT_EQ(f.host.log.back(), done(5));
}

TEST(Endpoint, AnyOtherExceptionIsShownAndTheLinkGoesOn) {
  EngineFixture f;
  f.factory.exhausting = {"create"};
  f.request(tvr::TVR_EXECONELINE, "new GraphBuilder cFg", 1);
  f.request(tvr::TVR_EXECONELINE, "cFg create", 2);
  f.request(tvr::TVR_EXECONELINE, "mark 5", 3);
  EXPECT_EQ(f.host.log, (Tokens{"make obj1", done(1), "obj1 create", "framework std::bad_alloc", done(2),
                                post(tvr::TVR_MARK, 5, 0), done(3)}));
}

TEST(Endpoint, ARequestArrivingThroughThePumpWaitsForTheCurrentOne) {
  EngineFixture f;
  f.host.files["a.cmd"] = {"mark 1", "mark 2"};
  f.host.onPump.push_back([&] { f.request(tvr::TVR_EXECONELINE, "mark 9", 8); });
  f.request(tvr::TVR_EXECMDFILE, "a.cmd", 7);
  EXPECT_EQ(f.host.log, (Tokens{post(tvr::TVR_MARK, 1, 0), "pump", post(tvr::TVR_MARK, 2, 0), "pump", done(7),
                                post(tvr::TVR_MARK, 9, 0), done(8)}));
}

TEST(Endpoint, QuitIsAcknowledgedAndTheRestOfTheFileRuns) {
  EngineFixture f;
  f.host.files["q.cmd"] = {"quit", "mark 3"};
  f.request(tvr::TVR_EXECMDFILE, "q.cmd", 1);
  EXPECT_EQ(f.host.log, (Tokens{"terminate", "pump", post(tvr::TVR_MARK, 3, 0), "pump", done(1)}));
}

TEST(Endpoint, GraphEventPollsOnlyAHeldGraph) {
  EngineFixture f;
  EXPECT_EQ(f.engine.onMessage(tvr::TVR_GRAPHEVENT, 0, 0), 0);
  EXPECT_TRUE(f.host.log.empty());
  f.engine.execLine("new GraphBuilder cFg");
  auto graph = std::dynamic_pointer_cast<FakeGraph>(f.engine.object("cFg"));
  graph->abortPending = true;
  f.host.log.clear();
  f.engine.onMessage(tvr::TVR_GRAPHEVENT, 0, 0);
  EXPECT_EQ(f.host.log, (Tokens{"obj1 poll", post(tvr::TVR_GRAPHABORT, 0, 0)}));
  graph.reset();
  f.engine.execLine("delete cFg");
  f.host.log.clear();
  f.engine.onMessage(tvr::TVR_GRAPHEVENT, 0, 0);
  EXPECT_TRUE(f.host.log.empty());
}
