// The capture graph builder against Wine's own filter graph and capture graph builder, in
// process with the real COM factory. Wine has no capture hardware and no AVI capture, so the
// preview and recording paths are covered only over the fakes.
#include <gtest/gtest.h>
#include <objbase.h>

#include "fakes/engine_over_fakes.h"
#include "grabcore/win/com_seam.h"

namespace capturetest {
namespace {

using Log = std::vector<std::wstring>;

class CaptureOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    engine = std::make_unique<lex>(host, devices);
    engine->frontWnd = 0x1000;
  }
  void TearDown() override {
    engine->destroyAllObjects();
    engine.reset();
    CoUninitialize();
  }
  bool run(const std::string& line) { return engine->execLine(line); }

  SystemComFactory com;
  fakes::RecordingEngineHost host;
  WinDeviceFactory devices{com};
  std::unique_ptr<lex> engine;
};

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
