// The capture graph builder end to end: grabcore.exe, driven by the stand-in front end,
// against Wine's own filter graph and capture graph builder.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "harness.h"

using e2e::FrontEnd;

TEST(CaptureGraphBuilder, BindsToTheGraphWithoutAnyReport) {
  FrontEnd front;
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  int64_t last = 0;
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild",
                           "cCapBuild create", "cCapBuild SetFiltergraph cFg", "cCapBuild setWinSize 640 600"})
    last = front.request(tvr::TVR_EXECONELINE, line);
  ASSERT_EQ(front.waitForDoneWithoutBox(last), L"");
  EXPECT_EQ(front.count(tvr::TVR_DONE), 6u);
  EXPECT_EQ(front.messages().size(), 7u);  // TVR_ENGINEWND and the six acknowledgements
}

TEST(CaptureGraphBuilder, CaptureStreamWithoutACaptureBranchIsReportedAndNotAnnounced) {
  FrontEnd front;
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild",
                           "cCapBuild create", "cCapBuild SetFiltergraph cFg"})
    front.request(tvr::TVR_EXECONELINE, line);
  int64_t id = front.request(tvr::TVR_EXECONELINE, "cCapBuild captureStream on");
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"クラス「TCaptureGraphBuilder」の「captureStream()」で「ControlStream」に失敗しました。");
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(id));
  EXPECT_EQ(front.count(tvr::TVR_RECON), 0u);
}
