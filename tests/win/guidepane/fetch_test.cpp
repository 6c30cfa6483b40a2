// The online record source against the tests' own HTTP server.
#include <gtest/gtest.h>

#include <thread>

#include "guidepane/win/program_fetch.h"
#include "http/http_server.h"
#include "winui/text.h"

namespace {

std::wstring failureOf(const guide::FetchedRecord& fetched) {
  return fetched.failure ? winui::widen(fetched.failure) : L"";
}

TEST(ProgramFetch, ReadsTheWholeAnswerUpToTheLimitAndRefusesOtherStatuses) {
  testhttp::Server server;
  const std::string longRecord = "a" + std::string(5999, 'x');
  server.script("/long", {200, longRecord});
  server.script("/short", {200, std::string("end: 21:54\r\n\0tail", 18)});
  server.script("/error", {500, "end: 21:54\r\nprogram-title: not a record\r\n\r\n"});

  const auto full = guide::fetchProgramRecord(server.url("/long"));
  EXPECT_EQ(failureOf(full), L"");
  EXPECT_EQ(full.record, longRecord.substr(0, 4096));

  const auto toNul = guide::fetchProgramRecord(server.url("/short"));
  EXPECT_EQ(toNul.record, "end: 21:54\r\n");

  for (const char* path : {"/error", "/missing"}) {
    const auto refused = guide::fetchProgramRecord(server.url(path));
    EXPECT_EQ(failureOf(refused), L"指定したアドレスから情報の取得に失敗しました。") << path;
  }
  EXPECT_EQ(server.requests(), (std::vector<std::string>{"/long", "/short", "/error", "/missing"}));

  // Nothing listens on port 9 here.
  EXPECT_EQ(failureOf(guide::fetchProgramRecord("http://127.0.0.1:9/x")), L"指定したアドレスから情報の取得に失敗しました。");
}

TEST(ProgramFetch, AnAnswerCutShortGivesWhatCameAndTheServerCountsSimultaneousConnections) {
  testhttp::Server server;
  testhttp::Reply cut{200, "end: 21:54\r\nprogram-title: News\r\n\r\nBody of the record"};
  cut.cutAfter = 20;
  server.script("/cut", cut);
  const auto fetched = guide::fetchProgramRecord(server.url("/cut"));
  EXPECT_EQ(fetched.record, cut.body.substr(0, 20));

  server.resetCounts();
  server.script("/slow", {200, "slow", 400});
  std::thread other([&] { guide::fetchProgramRecord(server.url("/slow")); });
  const auto slow = guide::fetchProgramRecord(server.url("/slow"));
  other.join();
  EXPECT_EQ(slow.record, "slow");
  EXPECT_EQ(server.peakConnections(), 2);
}

}  // namespace
