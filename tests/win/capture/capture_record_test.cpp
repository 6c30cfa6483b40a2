// The capture graph builder over the COM fakes: the output file, the capture branches, start
// delays, the multiplexer's settings, and taking the capture branch down again.
#include "capture_fixture.h"

namespace capturetest {
namespace {

using fakes::FakeFilter;

class CaptureRecord : public CaptureOverFakes {};

const std::wstring kRenderVideo = L"cap.RenderStream(PIN_CATEGORY_CAPTURE, MEDIATYPE_Video, vsrc, ";

TEST_F(CaptureRecord, SetFNameConvertsShiftJisAndPreallocatesMegabytesIn64Bits) {
  build();
  // 表 ends in the byte 0x5C: a conversion that is not CP932 would break the path there.
  EXPECT_TRUE(run(std::wstring(L"cCapBuild setFName \"C:\\録画 フォルダ\\表.avi\" 4096")));
  EXPECT_EQ(kit.log, (Log{L"cap.SetOutputFileName(MEDIASUBTYPE_Avi, \"C:\\録画 フォルダ\\表.avi\", out, out)",
                          L"cap.AllocCapFile(\"C:\\録画 フォルダ\\表.avi\", 4294967296)"}));
  EXPECT_EQ(com.builder->outputFile, L"C:\\録画 フォルダ\\表.avi");
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, SetFNameWithZeroOrNegativeMegabytesAllocatesNothing) {
  build();
  EXPECT_TRUE(run(std::string("cCapBuild setFName C:\\zero.avi 0")));
  EXPECT_TRUE(run(std::string("cCapBuild setFName C:\\minus.avi -5")));
  EXPECT_EQ(kit.log, (Log{L"cap.SetOutputFileName(MEDIASUBTYPE_Avi, \"C:\\zero.avi\", out, out)",
                          L"cap.SetOutputFileName(MEDIASUBTYPE_Avi, \"C:\\minus.avi\", out, out)"}));
  // The second file's multiplexer replaced the first: one reference, not two.
  EXPECT_EQ(com.builder->mux->refs(), 1);
  EXPECT_EQ(com.builder->sink->refs(), 1);
}

TEST_F(CaptureRecord, FailingSetOutputFileNameIsReportedAndLeavesNoMultiplexer) {
  build();
  kit.fail(L"cap.SetOutputFileName", E_NOTIMPL);
  EXPECT_FALSE(run(std::string("cCapBuild setFName C:\\a.avi 10")));
  EXPECT_EQ(
      host.replies,
      Log{errorReply(L"クラス「TCaptureGraphBuilder」の「setOutputFile()」で「SetOutputFileName」に失敗しました。")});
  EXPECT_EQ(kit.calls(L"cap.AllocCapFile"), Log{});
  EXPECT_EQ(engine->objectNames(), std::vector<std::string>{});
}

TEST_F(CaptureRecord, CaptureRendersNeedTheMultiplexerOfAnOutputFile) {
  build();
  EXPECT_FALSE(run(std::string("cCapBuild renderVCapture cVCap")));
  EXPECT_EQ(host.replies, Log{renderVCaptureError(L"「NULL ポインタ引数」")});
  build();
  EXPECT_FALSE(run(std::string("cCapBuild renderACapture cACap")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「renderACapture()」で「RenderStream」に失敗しました。")});
  EXPECT_EQ(kit.calls(L"cap.RenderStream"), Log{});
}

TEST_F(CaptureRecord, OnlyALineOfExactlyFourTokensNamesTheCompressor) {
  build();
  run(std::string("cCapBuild setFName C:\\a.avi 0"));
  forget();
  runAll({"cCapBuild renderVCapture cVCap", "cCapBuild renderVCapture cVCap cComp",
          "cCapBuild renderVCapture cVCap cComp ", "cCapBuild renderVCapture cVCap nothing"});
  EXPECT_EQ(kit.log, (Log{kRenderVideo + L"null, mux)", kRenderVideo + L"comp, mux)", kRenderVideo + L"null, mux)",
                          kRenderVideo + L"null, mux)"}));
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, FailedVideoCaptureRenderNamesTheCodeAfterTwoLineFeeds) {
  const std::pair<HRESULT, std::wstring> cases[] = {{E_POINTER, L"「NULL ポインタ引数」"},
                                                    {E_FAIL, L"「失敗」"},
                                                    {E_INVALIDARG, L"「無効な引数」"},
                                                    {VFW_E_CANNOT_CONNECT, L"「未定義」"}};
  for (const auto& [code, name] : cases) {
    build();
    run(std::string("cCapBuild setFName C:\\a.avi 0"));
    forget();
    kit.fail(L"cap.RenderStream", code, 1);
    EXPECT_FALSE(run(std::string("cCapBuild renderVCapture cVCap cComp")));
    EXPECT_EQ(host.replies, Log{renderVCaptureError(name)});
  }
}

TEST_F(CaptureRecord, AudioCaptureRendersIntoTheMultiplexer) {
  build();
  run(std::string("cCapBuild setFName C:\\a.avi 0"));
  forget();
  EXPECT_TRUE(run(std::string("cCapBuild renderACapture cACap")));
  EXPECT_EQ(kit.log, (Log{L"cap.RenderStream(PIN_CATEGORY_CAPTURE, MEDIATYPE_Audio, asrc, null, mux)"}));
  kit.fail(L"cap.RenderStream", E_FAIL);
  EXPECT_FALSE(run(std::string("cCapBuild renderACapture cACap")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「renderACapture()」で「RenderStream」に失敗しました。")});
}

TEST_F(CaptureRecord, StartDelaysAddressAllStreamsOrTheRememberedSource) {
  build();
  // No source rendered yet: a null filter would delay every stream, so nothing happens.
  runAll({"cCapBuild videoStartDelay 100", "cCapBuild audioStartDelay 200"});
  EXPECT_EQ(kit.log, Log{});
  runAll({"cCapBuild setFName C:\\a.avi 0", "cCapBuild renderVCapture cVCap", "cCapBuild renderACapture cACap"});
  forget();
  runAll({"cCapBuild capStartDelay -1", "cCapBuild videoStartDelay 5000000", "cCapBuild audioStartDelay 2147483647"});
  EXPECT_EQ(kit.log, (Log{L"cap.ControlStream(PIN_CATEGORY_CAPTURE, null, null, &-1, null, 0, 0)",
                          L"cap.ControlStream(PIN_CATEGORY_CAPTURE, null, vsrc, &5000000, null, 0, 0)",
                          L"cap.ControlStream(PIN_CATEGORY_CAPTURE, null, asrc, &2147483647, null, 0, 0)"}));
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, FailingStartDelaysNameTheirOperation) {
  const std::pair<const char*, std::wstring> cases[] = {
      {"cCapBuild capStartDelay 1",
       L"クラス「TCaptureGraphBuilder」の「capStartDelay()」で「ControlStream」に失敗しました。"},
      {"cCapBuild videoStartDelay 1",
       L"クラス「TCaptureGraphBuilder」の「videoStartDelay()」で「ControlStream」に失敗しました。"},
      {"cCapBuild audioStartDelay 1",
       L"クラス「TCaptureGraphBuilder」の「audioStartDelay()」で「ControlStream」に失敗しました。"}};
  for (const auto& [line, text] : cases) {
    build();
    runAll({"cCapBuild setFName C:\\a.avi 0", "cCapBuild renderVCapture cVCap", "cCapBuild renderACapture cACap"});
    forget();
    kit.fail(L"cap.ControlStream", E_FAIL, 1);
    EXPECT_FALSE(run(std::string(line)));
    EXPECT_EQ(host.replies, Log{errorReply(text)});
  }
}

TEST_F(CaptureRecord, MasterStreamSetsTheOldIndexThenTheStream) {
  build();
  run(std::string("cCapBuild setFName C:\\a.avi 0"));
  forget();
  runAll({"cCapBuild masterStream NONE", "cCapBuild masterStream AUDIO", "cCapBuild masterStream VIDEO"});
  const Log expected = {
      L"mux.QueryInterface(IID_IConfigAviMux)", L"mux.SetOutputCompatibilityIndex(1)", L"mux.SetMasterStream(-1)",
      L"mux.QueryInterface(IID_IConfigAviMux)", L"mux.SetOutputCompatibilityIndex(1)", L"mux.SetMasterStream(1)",
      L"mux.QueryInterface(IID_IConfigAviMux)", L"mux.SetOutputCompatibilityIndex(1)", L"mux.SetMasterStream(0)"};
  EXPECT_EQ(kit.log, expected);
  forget();
  EXPECT_TRUE(run(std::string("cCapBuild masterStream audio")));
  EXPECT_TRUE(run(std::string("cCapBuild masterStream")));
  EXPECT_EQ(kit.log, Log{});
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, SetILeaveSetsTheInterleavingMode) {
  build();
  run(std::string("cCapBuild setFName C:\\a.avi 0"));
  forget();
  runAll({"cCapBuild setILeave NONE", "cCapBuild setILeave CAPTURE", "cCapBuild setILeave FULL",
          "cCapBuild setILeave Full"});
  EXPECT_EQ(kit.callsWithoutQueries(), (Log{L"mux.put_Mode(0)", L"mux.put_Mode(1)", L"mux.put_Mode(2)"}));
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, MultiplexerSettingsWithoutAnOutputFileDoNothing) {
  build();
  EXPECT_TRUE(run(std::string("cCapBuild masterStream NONE")));
  EXPECT_TRUE(run(std::string("cCapBuild setILeave FULL")));
  EXPECT_EQ(kit.log, Log{});
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, AMultiplexerWithoutTheConfigurationInterfacesIsReported) {
  com.builder->mux->withhold(IID_IConfigAviMux);
  com.builder->mux->withhold(IID_IConfigInterleaving);
  build();
  run(std::string("cCapBuild setFName C:\\a.avi 0"));
  EXPECT_FALSE(run(std::string("cCapBuild masterStream VIDEO")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「masterStream()」で「QueryInterface」に失敗しました。")});
  build();
  run(std::string("cCapBuild setFName C:\\a.avi 0"));
  EXPECT_FALSE(run(std::string("cCapBuild setILeave CAPTURE")));
  EXPECT_EQ(host.replies, Log{errorReply(L"テスト用に検索したインターフェースIConfigInterleavingが見つからない")});
}

TEST_F(CaptureRecord, ReleaseAfterCaptureRemovesEverythingDownstreamDepthFirst) {
  build();
  setPanel(0x1234, 640, 480);
  runAll({"cCapBuild setViewWin form width height", "cCapBuild renderPreview cVCap", "cCapBuild setFName C:\\a.avi 0",
          "cCapBuild renderVCapture cVCap cComp"});
  wireCaptureGraph();
  EXPECT_TRUE(run(std::string("cCapBuild release")));
  EXPECT_EQ(kit.calls(L"cap."), (Log{L"cap.window.put_Owner(0)", L"cap.window.put_Visible(0)"}));
  EXPECT_EQ(kit.calls(L"graph."),
            (Log{L"graph.Disconnect(renderer.in)", L"graph.Disconnect(vsrc.preview)", L"graph.RemoveFilter(renderer)",
                 L"graph.Disconnect(writer.in)", L"graph.Disconnect(mux.out)", L"graph.RemoveFilter(writer)",
                 L"graph.Disconnect(mux.in0)", L"graph.Disconnect(comp.out)", L"graph.RemoveFilter(mux)",
                 L"graph.Disconnect(comp.in)", L"graph.Disconnect(vsrc.capture)", L"graph.RemoveFilter(comp)"}));
  EXPECT_EQ(com.graph->filters(), std::vector<IBaseFilter*>{video->filter()});
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, APeerThatCannotDescribeItselfEndsTheWalkOfThatFilter) {
  build();
  runAll({"cCapBuild setFName C:\\a.avi 0", "cCapBuild renderVCapture cVCap cComp"});
  wireCaptureGraph();
  kit.fail(L"renderer.in.QueryPinInfo", E_FAIL, 1);
  EXPECT_TRUE(run(std::string("cCapBuild release")));
  EXPECT_EQ(kit.calls(L"graph."), Log{});
}

TEST_F(CaptureRecord, DeletedSourceReadsAsAbsentForReleaseAndDelays) {
  build();
  runAll({"cCapBuild setFName C:\\a.avi 0", "cCapBuild renderVCapture cVCap", "cCapBuild renderACapture cACap"});
  wireCaptureGraph();
  runAll({"delete cVCap", "delete cACap"});
  EXPECT_TRUE(run(std::string("cCapBuild release")));
  EXPECT_TRUE(run(std::string("cCapBuild videoStartDelay 10")));
  EXPECT_TRUE(run(std::string("cCapBuild audioStartDelay 10")));
  EXPECT_EQ(kit.callsWithoutQueries(), Log{});
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CaptureRecord, DeletedGraphLeavesTheCaptureBranchToTheGraphsOwnEnd) {
  build();
  runAll({"cCapBuild setFName C:\\a.avi 0", "cCapBuild renderVCapture cVCap"});
  wireCaptureGraph();
  runAll({"delete cFg"});
  EXPECT_TRUE(run(std::string("cCapBuild release")));
  EXPECT_EQ(kit.calls(L"graph."), Log{});
}

TEST_F(CaptureRecord, ARecordingSetUpCleansUpWithoutLeavingAReference) {
  setPanel(0x1234, 640, 480);
  for (const char* line : {"new GraphBuilder cFg",
                           "cFg create",
                           "new CaptureGraphBuilder cCapBuild",
                           "cCapBuild create",
                           "cCapBuild SetFiltergraph cFg",
                           "new VCapSorce cVCap",
                           "new ACapSorce cACap",
                           "new Compress cComp",
                           "cFg add cVCap",
                           "cFg add cACap",
                           "cFg add cComp",
                           "label filterSet",
                           "cCapBuild setFName C:\\rec.avi 100",
                           "cCapBuild renderVCapture cVCap cComp",
                           "cCapBuild renderACapture cACap",
                           "cCapBuild masterStream AUDIO",
                           "cCapBuild setILeave CAPTURE",
                           "cCapBuild setViewWin form width height",
                           "cCapBuild renderPreview cVCap",
                           "cFg startGraph",
                           "cCapBuild captureStream on"})
    ASSERT_TRUE(run(std::string(line))) << line;
  wireCaptureGraph();
  EXPECT_TRUE(run(std::string("clean")));
  EXPECT_EQ(engine->objectNames(), std::vector<std::string>{});
  EXPECT_EQ(kit.leaks(), Log{});
}

}  // namespace
}  // namespace capturetest
