#include "capture_fixture.h"

namespace capturetest {

using namespace fakes;

CaptureOverFakes::CaptureOverFakes()
    : video(kit.make<FakeFilter>(L"vsrc")),
      audio(kit.make<FakeFilter>(L"asrc")),
      compressor(kit.make<FakeFilter>(L"comp")),
      window(com.builder->window) {
  video->addPin(L"preview", PINDIR_OUTPUT);
  video->addPin(L"capture", PINDIR_OUTPUT);
  audio->addPin(L"capture", PINDIR_OUTPUT);
  compressor->addPin(L"in", PINDIR_INPUT);
  compressor->addPin(L"out", PINDIR_OUTPUT);
  standIn(WaitId::VCapSorce, video);
  standIn(WaitId::ACapSorce, audio);
  standIn(WaitId::Compress, compressor);
}

void CaptureOverFakes::build() {
  for (const char* line :
       {"new GraphBuilder cFg", "cFg create", "new CaptureGraphBuilder cCapBuild", "cCapBuild create",
        "cCapBuild SetFiltergraph cFg", "new VCapSorce cVCap", "new ACapSorce cACap", "new Compress cComp"})
    ASSERT_TRUE(run(std::string(line))) << line;
  forget();
}

void CaptureOverFakes::setPanel(uint32_t panel, uint32_t width, uint32_t height) {
  engine->argDwords["form"] = panel;
  engine->argDwords["width"] = width;
  engine->argDwords["height"] = height;
}

void CaptureOverFakes::wireCaptureGraph() {
  FakeFilter* renderer = kit.make<FakeFilter>(L"renderer");
  FakeFilter* writer = kit.make<FakeFilter>(L"writer");
  FakePin* rendererIn = renderer->addPin(L"in", PINDIR_INPUT);
  FakePin* writerIn = writer->addPin(L"in", PINDIR_INPUT);
  FakeFilter* mux = com.builder->mux;
  video->pins()[0]->connect(rendererIn);
  video->pins()[1]->connect(compressor->pins()[0]);
  compressor->pins()[1]->connect(mux->pins()[0]);
  mux->pins()[2]->connect(writerIn);
  for (FakeFilter* filter : {video, renderer, compressor, mux, writer}) com.graph->AddFilter(filter->filter(), nullptr);
  forget();
}

void CaptureOverFakes::forget() {
  kit.log.clear();
  host.replies.clear();
}

std::wstring errorReply(const std::wstring& text) { return L"error " + text; }

std::wstring renderVCaptureError(const std::wstring& code) {
  return errorReply(L"TCaptureGraphBuilder::renderVCapture()のRenderStream()で次のエラーが発生しました。\n\n" + code);
}

}  // namespace capturetest
