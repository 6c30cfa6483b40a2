// The TV tuner through engine lines over the COM fakes: discovery in the graph, the first run,
// tuning through the tuner and the crossbars, a card without a tuner, and the graph's clean-up.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "common/tuner_file.h"
#include "fakes/engine_over_fakes.h"
#include "fakes/fake_tuner.h"
#include "grabcore/core/channel_table.h"
#include "grabcore/win/form_tuner.h"

using namespace fakes;
using Log = std::vector<std::wstring>;
using Bytes = std::vector<uint8_t>;

namespace {

class TunerOverFakes : public EngineOverFakesInFolder, public TunerDialogs {
 protected:
  TunerOverFakes() {
    setTunerDialogSeam(this);
    kit.nameGuid(LOOK_UPSTREAM_ONLY, L"LOOK_UPSTREAM_ONLY");
  }
  ~TunerOverFakes() override { setTunerDialogSeam(nullptr); }

  // The scan windows answer from the script and write into the replies.
  struct Progress : ScanProgress {
    explicit Progress(Log& log) : log(log) {}
    ~Progress() override { log.push_back(L"progress close"); }
    void setCaption(const std::string&) override {}
    void setMaximum(int32_t) override {}
    void setPosition(int32_t c) override { log.push_back(L"progress " + std::to_wstring(c)); }
    void pump() override {}
    Log& log;
  };
  int askScan() override {
    host.replies.push_back(L"ask");
    return answer;
  }
  std::unique_ptr<ScanProgress> openProgress(const std::string&) override {
    host.replies.push_back(L"progress open");
    return std::make_unique<Progress>(host.replies);
  }

  // A webcam without a tuner first, then the card: its capture filter has a picture control
  // and a preview pin; rendering that pin brings in a renderer, the tuner and two crossbars.
  void addCard(bool withTuner) {
    FakeFilter* webcam = kit.make<FakeFilter>(L"webcam");
    com.devices->addDevice(CLSID_VideoInputDeviceCategory, L"webcam", L"Webcam", webcam);
    capture = kit.make<FakeFilter>(L"card");
    capture->offer(IID_IAMVideoProcAmp);
    FakePin* preview = capture->addPin(L"preview", PINDIR_OUTPUT);
    com.devices->addDevice(CLSID_VideoInputDeviceCategory, L"card", L"Card", capture);
    tuner = kit.make<FakeTuner>(L"TV Tuner");
    down = kit.make<FakeCrossbar>(L"Crossbar Down");
    up = kit.make<FakeCrossbar>(L"Crossbar Up");
    FakeFilter* renderer = kit.make<FakeFilter>(L"renderer");
    FakePin* rendererIn = renderer->addPin(L"in", PINDIR_INPUT);
    com.builder->onRender = [=, this](IUnknown*) {
      for (FakeFilter* f : {tuner->filter, down->filter, up->filter, renderer})
        com.graph->AddFilter(f, f->friendlyName.empty() ? f->name().c_str() : f->friendlyName.c_str());
      preview->connect(rendererIn);
    };
    if (withTuner) com.builder->found.push_back({capture, IID_IAMTVTuner, tuner});
    com.builder->found.push_back({capture, IID_IAMCrossbar, down});
    com.builder->found.push_back({down->filter, IID_IAMCrossbar, up});
  }
  bool create() {
    runAll({"new GraphBuilder cFg", "cFg create", "new TvTuner tune"});
    return run(std::string("tune create cFg"));
  }
  std::vector<std::wstring> graphFilters() const {
    std::vector<std::wstring> names;
    for (IBaseFilter* f : com.graph->filters()) names.push_back(kit.nameOf(f));
    return names;
  }
  Log tunerCalls() const {
    Log calls;
    for (const std::wstring& c : kit.calls(L"TV Tuner."))
      if (c.find(L"QueryInterface") == std::wstring::npos && c.rfind(L"TV Tuner.filter", 0) != 0) calls.push_back(c);
    return calls;
  }
  void writeTable(const ChannelTable& table) const {
    write("TvTuner.dat", tavora::buildTunerDat(table.toFile()));
    write("TvTuner.dat2", tavora::buildTunerDat2(table.typeRecords()));
  }

  int answer = kScanAntenna;
  FakeFilter* capture = nullptr;
  FakeTuner* tuner = nullptr;
  FakeCrossbar* down = nullptr;
  FakeCrossbar* up = nullptr;
};

// Composite (current), then 5CH.
ChannelTable compositeFirst() {
  ChannelTable t;
  t.channels = {{65535, -1, "Composit", 1}, {5, 5, "5CH", 1}};
  t.setCurrent(0);
  return t;
}

}  // namespace

TEST_F(TunerOverFakes, FirstRunFindsTheCardScansTunesAndKeepsOnlyTunerAndCrossbarsInTheGraph) {
  addCard(true);
  tuner->signals = {2};
  ASSERT_TRUE(create());
  EXPECT_EQ(graphFilters(), (Log{L"TV Tuner.filter", L"Crossbar Down.filter", L"Crossbar Up.filter"}));
  EXPECT_EQ(kit.calls(L"graph.AddFilter(card"), (Log{L"graph.AddFilter(card, \"Video Capture\")"}));
  EXPECT_EQ(kit.calls(L"cap.RenderStream"), (Log{L"cap.RenderStream(PIN_CATEGORY_PREVIEW, MEDIATYPE_Video, card, null, null)"}));
  EXPECT_EQ(kit.calls(L"cap.FindInterface"),
            (Log{L"cap.FindInterface(PIN_CATEGORY_CAPTURE, null, card, IID_IAMTVTuner)",
                 L"cap.FindInterface(PIN_CATEGORY_CAPTURE, null, card, IID_IAMCrossbar)",
                 L"cap.FindInterface(LOOK_UPSTREAM_ONLY, null, Crossbar Down.filter, IID_IAMCrossbar)"}));
  EXPECT_EQ(kit.calls(L"graph.Disconnect"), (Log{L"graph.Disconnect(renderer.in)", L"graph.Disconnect(card.preview)"}));
  EXPECT_EQ(tunerCalls(),
            (Log{L"TV Tuner.put_Mode(1)", L"TV Tuner.put_InputType(0, 1)", L"TV Tuner.put_Channel(1, -1, -1)",
                 L"TV Tuner.ChannelMinMax()", L"TV Tuner.put_Mode(1)", L"TV Tuner.put_InputType(0, 0)",
                 L"TV Tuner.put_Channel(1, -1, -1)", L"TV Tuner.ChannelMinMax()",
                 L"TV Tuner.put_Mode(1)", L"TV Tuner.put_InputType(0, 1)",
                 L"TV Tuner.AutoTune(1)", L"TV Tuner.AutoTune(2)", L"TV Tuner.AutoTune(3)",
                 L"TV Tuner.put_Mode(1)", L"TV Tuner.put_InputType(0, 1)", L"TV Tuner.put_Channel(2, -1, -1)",
                 L"TV Tuner.AutoTune(2)"}));
  EXPECT_EQ(down->routes, (std::vector<std::pair<long, long>>{{0, 1}, {0, 1}}));
  EXPECT_EQ(up->routes, (std::vector<std::pair<long, long>>{{3, 4}}));
  EXPECT_EQ(takeReplies(), (Log{L"ask", L"progress open", L"progress 1", L"progress 2", L"progress 3",
                                L"progress close", post(tvr::TVR_ANTRANGE, 1, 3), post(tvr::TVR_CBLRANGE, 1, 4),
                                L"copydata 1 4", post(tvr::TVR_SIGNAL, 1), post(tvr::TVR_CHANNEL, 2),
                                post(tvr::TVR_ISANTENNA, 1)}));
  const std::optional<tavora::TunerFile> saved = tavora::parseTunerDat(*read("TvTuner.dat"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->entries, (std::vector<tavora::TunerFileEntry>{
                                {2, 2, "2CH"}, {65535, -1, "Composit"}, {65534, -2, "S-Video"}}));
}

TEST_F(TunerOverFakes, InputsRouteThroughTheCrossbarsAndAFailedAutoTuneIsNoSignal) {
  addCard(true);
  writeTable(compositeFirst());
  ASSERT_TRUE(create());
  EXPECT_TRUE(tunerCalls().empty());
  EXPECT_EQ(up->routes, (std::vector<std::pair<long, long>>{{3, 4}, {3, 3}}));
  EXPECT_EQ(down->routes, (std::vector<std::pair<long, long>>{{0, 0}}));
  takeReplies();

  tuner->signals = {5};
  kit.fail(L"TV Tuner.AutoTune", E_FAIL);  // the fake still writes a signal
  ASSERT_TRUE(run(std::string("tune incChannel")));
  EXPECT_EQ(takeReplies(), (Log{L"copydata 1 4", post(tvr::TVR_SIGNAL, 0), post(tvr::TVR_CHANNEL, 5)}));
  EXPECT_EQ(tuner->channel, 5);

  kit.fail(L"Crossbar Up.Route", E_FAIL, 1);
  EXPECT_FALSE(run(std::string("tune setCh 65535")));
  const Log replies = takeReplies();
  ASSERT_GE(replies.size(), 3u);
  EXPECT_EQ(Log(replies.begin(), replies.begin() + 3),
            (Log{L"copydata 1 9", post(tvr::TVR_SIGNAL, 1), L"error クラス「TTvTuner」で「Route」に失敗しました。"}));
}

TEST_F(TunerOverFakes, ACardWithoutTunerKeepsItsCaptureFilterAndTheFilesAsTheyWere) {
  addCard(false);
  writeTable(compositeFirst());
  const Bytes dat = *read("TvTuner.dat"), dat2 = *read("TvTuner.dat2");
  ASSERT_TRUE(create());
  EXPECT_TRUE(takeReplies().empty());
  // Only what the preview rendered goes; the capture filter stays for the video source.
  EXPECT_EQ(kit.calls(L"graph.RemoveFilter"), (Log{L"graph.RemoveFilter(renderer)"}));
  EXPECT_EQ(graphFilters(), (Log{L"card", L"TV Tuner.filter", L"Crossbar Down.filter", L"Crossbar Up.filter"}));
  ASSERT_TRUE(run(std::string("tune saveTunerDat")));
  EXPECT_FALSE(run(std::string("tune nukeWithoutNeeds cFg")));
  EXPECT_EQ(takeReplies().at(0), L"error クラス「TTvTuner」で「nukeWithoutNeeds」に失敗しました。");
  EXPECT_EQ(kit.calls(L"graph.RemoveFilter").size(), 1u);
  EXPECT_EQ(*read("TvTuner.dat"), dat);
  EXPECT_EQ(*read("TvTuner.dat2"), dat2);
}

TEST_F(TunerOverFakes, NukeWithoutNeedsRemovesEveryOtherFilter) {
  addCard(true);
  writeTable(compositeFirst());
  ASSERT_TRUE(create());
  FakeFilter* mux = kit.make<FakeFilter>(L"avimux");
  com.graph->AddFilter(mux, L"AVI Mux");
  ASSERT_TRUE(run(std::string("tune nukeWithoutNeeds cFg")));
  EXPECT_EQ(graphFilters(), (Log{L"TV Tuner.filter", L"Crossbar Down.filter", L"Crossbar Up.filter"}));
}

TEST_F(TunerOverFakes, EveryFailingDiscoveryStepIsSilentAndLeavesTheGraphEmpty) {
  addCard(true);
  runAll({"new GraphBuilder cFg", "cFg create"});
  for (const wchar_t* step : {L"com.CoCreateInstance(CLSID_CaptureGraphBuilder2", L"cap.SetFiltergraph",
                              L"com.CoCreateInstance(CLSID_SystemDeviceEnum", L"devenum.CreateClassEnumerator",
                              L"card.moniker.BindToObject", L"graph.AddFilter(card", L"cap.RenderStream"}) {
    kit.fail(step, E_FAIL, 1);
    run(std::string("new TvTuner tune"));
    EXPECT_TRUE(run(std::string("tune create cFg")));
    EXPECT_EQ(takeReplies(), Log{}) << step;
    EXPECT_EQ(graphFilters(), Log{}) << step;
  }
  // The program ending during the first run's question saves nothing, so the next start asks.
  answer = kScanEnded;
  runAll({"new TvTuner tune", "tune create cFg", "tune saveTunerDat", "tune remove"});
  EXPECT_EQ(takeReplies(), Log{L"ask"});
  EXPECT_FALSE(tavora::fileExists(file("TvTuner.dat")));
}
