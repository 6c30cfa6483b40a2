// The engine request queue: ids, one request in flight, acknowledgements, the engine's absence
// and the bound on the wait.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/messages.h"
#include "link_fixture.h"
#include "tests_common.h"

TEST(RequestQueue, FirstRequestCarriesIdOneInBothMessages) {
  LinkFixture f;
  f.link.execOneLine("tune setCh");
  ASSERT_EQ(f.transport.sent.size(), 1u);
  const Sent& s = f.transport.sent[0];
  EXPECT_EQ(s.id, 1);
  EXPECT_EQ(s.postedId, 1);
  EXPECT_EQ(s.msg, static_cast<int32_t>(tvr::TVR_EXECONELINE));
  EXPECT_EQ(s.value, 0u);
  EXPECT_EQ(std::string(s.bytes.data(), s.bytes.size()), std::string("tune setCh\0", 11));
  EXPECT_TRUE(f.link.busy());
}

TEST(RequestQueue, EmptyTextIsASingleNul) {
  LinkFixture f;
  f.link.execOneLine("");
  EXPECT_EQ(f.transport.sent.at(0).bytes, std::vector<char>{'\0'});
}

TEST(RequestQueue, EachKindPostsItsMessageAndValue) {
  LinkFixture f;
  f.link.addArg("chForm", 0x123456789ull);
  f.link.sendNext(1);
  f.link.addDWORD("width", 320);
  f.link.sendNext(2);
  f.link.execCmdFile("preView.cmd");
  ASSERT_EQ(f.transport.sent.size(), 3u);
  EXPECT_EQ(f.transport.sent[0].msg, static_cast<int32_t>(tvr::TVR_ADDARG));
  EXPECT_EQ(f.transport.sent[0].value, static_cast<uintptr_t>(0x123456789ull));
  EXPECT_EQ(f.transport.sent[1].msg, static_cast<int32_t>(tvr::TVR_ADDDWORD));
  EXPECT_EQ(f.transport.sent[1].value, 320u);
  EXPECT_EQ(f.transport.sent[2].msg, static_cast<int32_t>(tvr::TVR_EXECMDFILE));
  EXPECT_STREQ(f.transport.sent[2].bytes.data(), "preView.cmd");
}

TEST(RequestQueue, ThreeRequestsGoOutOneAfterTheOther) {
  LinkFixture f;
  f.link.execOneLine("a");
  f.link.execOneLine("b");
  f.link.execOneLine("c");
  EXPECT_EQ(f.transport.sent.size(), 1u);
  EXPECT_EQ(f.link.queue().size(), 3u);
  f.link.sendNext(1);
  ASSERT_EQ(f.transport.sent.size(), 2u);
  EXPECT_STREQ(f.transport.sent[1].bytes.data(), "b");
  EXPECT_EQ(f.transport.sent[1].id, 2);
  f.link.sendNext(2);
  ASSERT_EQ(f.transport.sent.size(), 3u);
  EXPECT_EQ(f.transport.sent[2].id, 3);
  f.link.sendNext(3);
  EXPECT_FALSE(f.link.busy());
  EXPECT_TRUE(f.link.queue().empty());
  // Ids go on counting; they are never reset.
  f.link.execOneLine("d");
  EXPECT_EQ(f.transport.sent.back().id, 4);
}

TEST(RequestQueue, AnAcknowledgementOfAnotherIdIsIgnoredNotResent) {
  LinkFixture f;
  f.link.execOneLine("a");
  f.link.execOneLine("b");
  f.link.sendNext(7);
  EXPECT_EQ(f.transport.sent.size(), 1u);  // the front is not run a second time
  EXPECT_EQ(f.link.queue().size(), 2u);
  EXPECT_TRUE(f.link.busy());
  f.link.sendNext(1);
  EXPECT_EQ(f.transport.sent.size(), 2u);
}

TEST(RequestQueue, AnAcknowledgementOnAnEmptyQueueIsAnError) {
  LinkFixture f;
  try {
    f.link.sendNext(1);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), sj("コマンドバッファの情報に矛盾があります。"));
  }
}

TEST(RequestQueue, RequestsBeforeTheEngineIsKnownWaitForItsAnnouncement) {
  LinkFixture f;
  f.transport.known = false;
  f.link.execOneLine("a");
  f.link.addDWORD("form", 5);
  EXPECT_TRUE(f.transport.sent.empty());
  EXPECT_TRUE(f.link.busy());
  f.link.engineAnnounced();  // a stray announcement while the engine is still unknown sends nothing
  EXPECT_TRUE(f.transport.sent.empty());
  f.transport.known = true;
  f.link.engineAnnounced();
  ASSERT_EQ(f.transport.sent.size(), 1u);
  EXPECT_EQ(f.transport.sent[0].id, 1);
  f.link.sendNext(1);
  ASSERT_EQ(f.transport.sent.size(), 2u);
  EXPECT_EQ(f.transport.sent[1].id, 2);
  f.link.sendNext(2);
  EXPECT_FALSE(f.link.busy());
  f.link.engineAnnounced();  // nothing waits: nothing more is sent
  EXPECT_EQ(f.transport.sent.size(), 2u);
}

TEST(RequestQueue, EachSentRequestArmsTheAcknowledgementTimerAndItsAnswerStopsIt) {
  LinkFixture f;
  f.link.execOneLine("a");
  EXPECT_TRUE(f.ackTimer.running);
  EXPECT_EQ(f.ackTimer.interval, 60000u);  // a minute
  f.link.sendNext(1);
  EXPECT_FALSE(f.ackTimer.running);
}

TEST(RequestQueue, WaitingOnAfterATimeoutKeepsTheRequestAndAsksAgainLater) {
  LinkFixture f;
  f.link.execOneLine("a");
  f.link.execOneLine("b");
  f.watch.giveUp = false;
  f.link.onAckTimeout();
  f.link.onAckTimeout();
  EXPECT_EQ(f.watch.asked, (std::vector<unsigned>{60, 120}));
  EXPECT_TRUE(f.ackTimer.running);
  EXPECT_EQ(f.link.queue().size(), 2u);
  f.link.sendNext(1);  // the engine was only slow
  EXPECT_EQ(f.transport.sent.size(), 2u);
}

TEST(RequestQueue, GivingUpDropsTheQueueAndTheLateAnswerIsIgnored) {
  LinkFixture f;
  f.link.execOneLine("a");
  f.link.execOneLine("b");
  f.watch.giveUp = true;
  f.link.onAckTimeout();
  EXPECT_FALSE(f.link.busy());
  EXPECT_TRUE(f.link.queue().empty());
  f.link.sendNext(1);  // the engine answers after all: no error, nothing sent
  EXPECT_EQ(f.transport.sent.size(), 1u);
  f.link.execOneLine("c");
  EXPECT_EQ(f.transport.sent.size(), 2u);
  EXPECT_EQ(f.transport.sent[1].id, 3);
  // Only that one late answer is forgiven.
  f.link.sendNext(3);
  EXPECT_THROW(f.link.sendNext(1), std::runtime_error);
}

TEST(RequestQueue, AnAnswerDuringTheQuestionWinsOverGivingUp) {
  LinkFixture f;
  f.link.execOneLine("a");
  f.link.execOneLine("b");
  f.watch.giveUp = true;
  f.watch.duringQuestion = [&] { f.link.sendNext(1); };
  f.link.onAckTimeout();
  EXPECT_TRUE(f.link.busy());
  ASSERT_EQ(f.link.queue().size(), 1u);
  EXPECT_EQ(f.link.queue().front().text, "b");
}

TEST(RequestQueue, ATimeoutWhileIdleAsksNothing) {
  LinkFixture f;
  f.link.onAckTimeout();
  EXPECT_TRUE(f.watch.asked.empty());
}

TEST(RequestQueue, TheEngineEndingEmptiesTheQueueAndStopsTheWait) {
  LinkFixture f;
  f.link.execOneLine("a");
  f.link.execOneLine("b");
  f.link.engineEnded();
  EXPECT_FALSE(f.link.busy());
  EXPECT_TRUE(f.link.queue().empty());
  EXPECT_FALSE(f.ackTimer.running);
  f.link.sendNext(1);  // an answer already on its way is no error
  EXPECT_EQ(f.transport.sent.size(), 1u);
  // Nothing would answer a later request: it is dropped unsent and the queue stays idle.
  f.link.execOneLine("c");
  EXPECT_FALSE(f.link.busy());
  EXPECT_TRUE(f.link.queue().empty());
  EXPECT_EQ(f.transport.sent.size(), 1u);
}
