// The capture graph builder against Wine's own filter graph and capture graph builder, in
// process with the real COM factory. Wine has no capture hardware and no AVI capture, so the
// preview and recording paths are covered only over the fakes.
#include "fakes/engine_on_wine.h"

namespace capturetest {
namespace {

using Log = std::vector<std::wstring>;

class CaptureOnWine : public fakes::EngineOnWine {};

TEST_F(CaptureOnWine, BuilderBindsToARealFilterGraph) {
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild",
                           "cCapBuild create", "cCapBuild SetFiltergraph cFg"})
    EXPECT_TRUE(run(line)) << line;
  EXPECT_EQ(host.replies, Log{});
  EXPECT_EQ(engine->undoList,
            (std::vector<std::string>{"delete cFg", "cFg remove", "delete cCapBuild", "cCapBuild remove"}));
  // Nothing rendered yet: fitting and taking down have nothing to act on.
  EXPECT_TRUE(run("cCapBuild setWinSize 640 600"));
  EXPECT_TRUE(run("cCapBuild release"));
  EXPECT_TRUE(run("clean"));
  EXPECT_EQ(engine->objectNames(), std::vector<std::string>{});
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureOnWine, ControllingStreamsOfAGraphWithoutCaptureStreamsIsReported) {
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild",
                           "cCapBuild create", "cCapBuild SetFiltergraph cFg"})
    ASSERT_TRUE(run(line)) << line;
  EXPECT_FALSE(run("cCapBuild captureStream on"));
  // The report undid everything, and no recording was announced.
  EXPECT_EQ(host.replies,
            Log{L"error クラス「TCaptureGraphBuilder」の「captureStream()」で「ControlStream」に失敗しました。"});
  EXPECT_EQ(engine->objectNames(), std::vector<std::string>{});
}

TEST_F(CaptureOnWine, AnOutputFileThatCannotBeSetIsReported) {
  // Wine has no AVI capture: SetOutputFileName answers E_NOTIMPL.
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild",
                           "cCapBuild create", "cCapBuild SetFiltergraph cFg"})
    ASSERT_TRUE(run(line)) << line;
  EXPECT_FALSE(run("cCapBuild setFName C:\\wine.avi 0"));
  EXPECT_EQ(host.replies,
            Log{L"error クラス「TCaptureGraphBuilder」の「setOutputFile()」で「SetOutputFileName」に失敗しました。"});
}

}  // namespace
}  // namespace capturetest
