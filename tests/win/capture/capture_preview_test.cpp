// The capture graph builder over the COM fakes: making it, binding it to the graph, the
// preview into the front end's panel with its 4:3 fit, taking the preview down, the streams.
#include "capture_fixture.h"
#include "common/messages.h"

namespace capturetest {
namespace {

using fakes::FakeFilter;

const std::wstring kPost_RECON = L"post " + std::to_wstring(tvr::TVR_RECON) + L" 0 0";

class CapturePreview : public CaptureOverFakes {};

TEST_F(CapturePreview, CreateAndSetFiltergraphBindTheBuilderToTheGraphsManager) {
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild",
                           "cCapBuild create", "cCapBuild SetFiltergraph cFg"})
    EXPECT_TRUE(run(std::string(line))) << line;
  EXPECT_EQ(kit.calls(L"com.CoCreateInstance(CLSID_CaptureGraphBuilder2"),
            (Log{L"com.CoCreateInstance(CLSID_CaptureGraphBuilder2, 3, IID_ICaptureGraphBuilder2)"}));
  EXPECT_EQ(kit.calls(L"cap."), (Log{L"cap.SetFiltergraph(graph)"}));
  EXPECT_EQ(engine->undoList,
            (std::vector<std::string>{"delete cFg", "cFg remove", "delete cCapBuild", "cCapBuild remove"}));
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CapturePreview, FailuresOfMakeAndSetFiltergraphAreReportedAndUndoEverything) {
  kit.fail(L"com.CoCreateInstance(CLSID_CaptureGraphBuilder2", E_OUTOFMEMORY, 1);
  runAll({"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild"});
  EXPECT_FALSE(run(std::string("cCapBuild create")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「make()」で「CoCreateInstance」に失敗しました。")});
  EXPECT_EQ(engine->objectNames(), std::vector<std::string>{});
  EXPECT_EQ(engine->undoList, std::vector<std::string>{});

  forget();
  kit.fail(L"cap.SetFiltergraph", E_FAIL, 1);
  runAll({"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild", "cCapBuild create"});
  EXPECT_FALSE(run(std::string("cCapBuild SetFiltergraph cFg")));
  const std::wstring setFgFailed =
      errorReply(L"クラス「TCaptureGraphBuilder」の「setFg()」で「SetFiltergraph」に失敗しました。");
  EXPECT_EQ(host.replies, Log{setFgFailed});

  // A name that is no graph object attaches nothing and says so.
  forget();
  runAll({"new CaptureGraphBuilder cCapBuild", "cCapBuild create"});
  EXPECT_FALSE(run(std::string("cCapBuild SetFiltergraph nothing")));
  EXPECT_EQ(host.replies, Log{setFgFailed});
  EXPECT_EQ(kit.calls(L"cap.SetFiltergraph"), Log{});
}

TEST_F(CapturePreview, RenderPreviewMakesTheVideoAChildOfThePanelThenFitsIt) {
  build();
  setPanel(0x1234, 640, 600);
  EXPECT_TRUE(run(std::string("cCapBuild setViewWin form width height")));
  EXPECT_EQ(kit.log, Log{});  // the values wait for the preview
  EXPECT_TRUE(run(std::string("cCapBuild renderPreview cVCap")));
  EXPECT_EQ(kit.calls(L"cap."),
            (Log{L"cap.RenderStream(PIN_CATEGORY_PREVIEW, MEDIATYPE_Video, vsrc, null, null)",
                 L"cap.FindInterface(PIN_CATEGORY_PREVIEW, MEDIATYPE_Video, vsrc, IID_IVideoWindow)",
                 L"cap.window.put_Owner(4660)", L"cap.window.put_WindowStyle(1073741824)",
                 L"cap.window.put_MessageDrain(4660)", L"cap.window.SetWindowPosition(0, 0, 640, 600)",
                 L"cap.window.put_Visible(-1)", L"cap.window.SetWindowPosition(0, 60, 640, 480)"}));
  EXPECT_EQ(engine->undoList.back(), "cCapBuild release");
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CapturePreview, SetWinSizeFitsFourToThreeAndLeavesTheStoredPanelSize) {
  build();
  setPanel(0x1234, 640, 600);
  runAll({"cCapBuild setViewWin form width height", "cCapBuild renderPreview cVCap"});
  forget();
  runAll({"cCapBuild setWinSize 800 480", "cCapBuild setWinSize 640 480", "cCapBuild setWinSize 640 600"});
  EXPECT_EQ(kit.calls(L"cap.window."),
            (Log{L"cap.window.SetWindowPosition(80, 0, 640, 480)", L"cap.window.SetWindowPosition(0, 0, 640, 480)",
                 L"cap.window.SetWindowPosition(0, 60, 640, 480)"}));
  // A second preview uses the panel of setViewWin again, and lets go of the first window.
  forget();
  EXPECT_TRUE(run(std::string("cCapBuild renderPreview cVCap")));
  EXPECT_EQ(kit.calls(L"cap.window.SetWindowPosition"),
            (Log{L"cap.window.SetWindowPosition(0, 0, 640, 600)", L"cap.window.SetWindowPosition(0, 60, 640, 480)"}));
  EXPECT_EQ(window->refs(), 1);
}

TEST_F(CapturePreview, SetWinSizeBeforeAnyPreviewDoesNothing) {
  build();
  EXPECT_TRUE(run(std::string("cCapBuild setWinSize 640 600")));
  EXPECT_EQ(kit.log, Log{});
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CapturePreview, PanelZeroLeavesTheRenderersOwnWindowAlone) {
  build();
  setPanel(0, 640, 480);
  runAll({"cCapBuild setViewWin form width height", "cCapBuild renderPreview cVCap"});
  EXPECT_EQ(kit.calls(L"cap."),
            (Log{L"cap.RenderStream(PIN_CATEGORY_PREVIEW, MEDIATYPE_Video, vsrc, null, null)",
                 L"cap.FindInterface(PIN_CATEGORY_PREVIEW, MEDIATYPE_Video, vsrc, IID_IVideoWindow)"}));
  // The window is held all the same: a later fit still moves it.
  EXPECT_TRUE(run(std::string("cCapBuild setWinSize 800 480")));
  EXPECT_EQ(kit.calls(L"cap.window."), (Log{L"cap.window.SetWindowPosition(80, 0, 640, 480)"}));
}

TEST_F(CapturePreview, NamesNeverSetReadAsZero) {
  build();
  EXPECT_TRUE(run(std::string("cCapBuild setViewWin panel w h")));
  EXPECT_TRUE(run(std::string("cCapBuild renderPreview cVCap")));
  EXPECT_EQ(kit.calls(L"cap.window."), Log{});
}

TEST_F(CapturePreview, RenderPreviewFailuresNameTheFailedCallAndPushNoRelease) {
  build();
  kit.fail(L"cap.RenderStream(PIN_CATEGORY_PREVIEW", E_FAIL, 1);
  EXPECT_FALSE(run(std::string("cCapBuild renderPreview cVCap")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「renderPreview()」で「RenderStream」に失敗しました。")});
  EXPECT_EQ(engine->undoList, std::vector<std::string>{});

  build();
  kit.fail(L"cap.FindInterface", E_NOINTERFACE, 1);
  EXPECT_FALSE(run(std::string("cCapBuild renderPreview cVCap")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「render()」で「FindInterface」に失敗しました。")});

  // A name that is no object renders nothing.
  build();
  EXPECT_FALSE(run(std::string("cCapBuild renderPreview nothing")));
  EXPECT_EQ(kit.calls(L"cap.RenderStream"), Log{});
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「renderPreview()」で「RenderStream」に失敗しました。")});
}

TEST_F(CapturePreview, ReleaseAfterPreviewOnlyDetachesTheWindowAndRemovesNoFilter) {
  build();
  setPanel(0x1234, 640, 480);
  runAll({"cCapBuild setViewWin form width height", "cCapBuild renderPreview cVCap"});
  wireCaptureGraph();
  EXPECT_TRUE(run(std::string("cCapBuild release")));
  EXPECT_EQ(kit.callsWithoutQueries(), (Log{L"cap.window.put_Owner(0)", L"cap.window.put_Visible(0)"}));
  EXPECT_EQ(window->refs(), 1);  // still held until remove
}

TEST_F(CapturePreview, CleanTakesAPreviewSetUpDownWithoutLeavingAReference) {
  setPanel(0x1234, 320, 240);
  for (const char* line :
       {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild", "cCapBuild create",
        "cCapBuild SetFiltergraph cFg", "new VCapSorce cVCap", "cFg add cVCap", "label filterSet",
        "cCapBuild setViewWin form width height", "cCapBuild renderPreview cVCap", "cFg startGraph"})
    ASSERT_TRUE(run(std::string(line))) << line;
  forget();
  EXPECT_TRUE(run(std::string("clean filterSet")));
  EXPECT_EQ(kit.callsWithoutQueries(),
            (Log{L"graph.Stop()", L"cap.window.put_Owner(0)", L"cap.window.put_Visible(0)"}));
  EXPECT_TRUE(run(std::string("clean")));
  EXPECT_EQ(engine->objectNames(), std::vector<std::string>{});
  EXPECT_EQ(kit.leaks(), Log{});
}

TEST_F(CapturePreview, RemoveLetsGoOfBuilderWindowMultiplexerAndSink) {
  build();
  runAll({"cCapBuild renderPreview cVCap", "cCapBuild setFName C:\\a.avi 0"});
  EXPECT_TRUE(run(std::string("cCapBuild remove")));
  EXPECT_EQ(window->refs(), 0);
  EXPECT_EQ(com.builder->mux->refs(), 0);
  EXPECT_EQ(com.builder->sink->refs(), 0);
  EXPECT_EQ(com.builder->refs(), 0);
  // Without a builder the operations fail cleanly or do nothing.
  forget();
  EXPECT_TRUE(run(std::string("cCapBuild setWinSize 640 480")));
  EXPECT_TRUE(run(std::string("cCapBuild release")));
  EXPECT_EQ(kit.log, Log{});
}

TEST_F(CapturePreview, CaptureStreamOnStartsNowUntilNeverAndAnnouncesTheRecording) {
  build();
  EXPECT_TRUE(run(std::string("cCapBuild captureStream on")));
  EXPECT_EQ(kit.log, (Log{L"cap.ControlStream(PIN_CATEGORY_CAPTURE, null, null, null, &9223372036854775807, 0, 0)"}));
  EXPECT_EQ(host.replies, Log{kPost_RECON});
}

TEST_F(CapturePreview, CaptureStreamWithAnyOtherWordStopsAndAnnouncesNothing) {
  build();
  runAll({"cCapBuild captureStream ON", "cCapBuild captureStream off", "cCapBuild captureStream"});
  const std::wstring stop = L"cap.ControlStream(PIN_CATEGORY_CAPTURE, null, null, &9223372036854775807, null, 0, 0)";
  EXPECT_EQ(kit.log, (Log{stop, stop, stop}));
  EXPECT_EQ(host.replies, Log{});
}

TEST_F(CapturePreview, FailingCaptureStreamReportsAndDoesNotAnnounce) {
  build();
  kit.fail(L"cap.ControlStream", E_FAIL);
  EXPECT_FALSE(run(std::string("cCapBuild captureStream on")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「captureStream()」で「ControlStream」に失敗しました。")});
}

TEST_F(CapturePreview, PreViewStreamSwitchesEveryPreviewStream) {
  build();
  runAll({"cCapBuild preViewStream on", "cCapBuild preViewStream On"});
  EXPECT_EQ(kit.log, (Log{L"cap.ControlStream(PIN_CATEGORY_PREVIEW, null, null, null, &9223372036854775807, 0, 0)",
                          L"cap.ControlStream(PIN_CATEGORY_PREVIEW, null, null, &9223372036854775807, null, 0, 0)"}));
  EXPECT_EQ(host.replies, Log{});
  kit.fail(L"cap.ControlStream", E_FAIL);
  EXPECT_FALSE(run(std::string("cCapBuild preViewStream on")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「preViewStream()」で「ControlStream」に失敗しました。")});
}

TEST_F(CapturePreview, StreamsBeforeCreateFailWithTheirText) {
  runAll({"new CaptureGraphBuilder cCapBuild"});
  EXPECT_FALSE(run(std::string("cCapBuild captureStream on")));
  EXPECT_EQ(host.replies,
            Log{errorReply(L"クラス「TCaptureGraphBuilder」の「captureStream()」で「ControlStream」に失敗しました。")});
}

TEST_F(CapturePreview, WordsOfOtherKindsAreUnexpected) {
  const std::wstring unexpected =
      errorReply(L"クラス「dsMan」の「func_CaptureGraphBuilder()」で予期しないサブコマンドを受け取りました。");
  for (const char* line : {"cCapBuild add cVCap", "cCapBuild RenderPreview cVCap", "cCapBuild setQuality Hue 1"}) {
    build();
    EXPECT_FALSE(run(std::string(line))) << line;
    EXPECT_EQ(host.replies, Log{unexpected}) << line;
    EXPECT_EQ(engine->objectNames(), std::vector<std::string>{}) << line;
  }
  EXPECT_EQ(kit.calls(L"cap.RenderStream"), Log{});
}

}  // namespace
}  // namespace capturetest
