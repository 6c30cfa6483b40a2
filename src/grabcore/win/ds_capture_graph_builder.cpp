#include "ds_capture_graph_builder.h"

#include "grabcore/core/errors.h"
#include "grabcore/texts/capture_texts.h"
#include "winui/text.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr DWORDLONG kBytesPerMegabyte = 1048576;

// The filter of a remembered object, or none when the object is gone or has no filter.
IBaseFilter* filterOf(const std::weak_ptr<dsMother>& object) {
  std::shared_ptr<dsMother> alive = object.lock();
  return alive ? alive->getFilter() : nullptr;
}

// Removes every filter downstream of filter from the graph, deepest first.
void removeDownstream(IBaseFilter* filter, IFilterGraph* graph) {
  ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins)) || !pins) return;
  pins->Reset();
  ComPtr<IPin> pin;
  while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK && pin) {
    ComPtr<IPin> peer;
    if (FAILED(pin->ConnectedTo(&peer)) || !peer) continue;
    PIN_INFO info{};
    if (FAILED(peer->QueryPinInfo(&info))) break;
    // Takes over the reference QueryPinInfo gave (MinGW's ComPtr::Attach would add another).
    ComPtr<IBaseFilter> peerFilter;
    *peerFilter.GetAddressOf() = info.pFilter;
    if (info.dir == PINDIR_INPUT && peerFilter) {
      removeDownstream(peerFilter.Get(), graph);
      graph->Disconnect(peer.Get());
      graph->Disconnect(pin.Get());
      graph->RemoveFilter(peerFilter.Get());
    }
  }
}

}  // namespace

void DsCaptureGraphBuilder::make() {
  HRESULT hr = com_.createInstance(CLSID_CaptureGraphBuilder2, CLSCTX_INPROC, IID_ICaptureGraphBuilder2,
                                   reinterpret_cast<void**>(builder_.ReleaseAndGetAddressOf()));
  if (FAILED(hr) || !builder_) {
    builder_.Reset();
    throw DeviceError{texts::kCapMakeFailed};
  }
}

void DsCaptureGraphBuilder::release() {
  fileName_.clear();
  videoWindow_.Reset();
  sink_.Reset();
  mux_.Reset();
  builder_.Reset();
}

void DsCaptureGraphBuilder::setFg(const std::shared_ptr<TGraphBuilder>& graph) {
  graph_ = graph;
  IGraphBuilder* filterGraph = graph ? graph->getGraph() : nullptr;
  if (!builder_ || !filterGraph || FAILED(builder_->SetFiltergraph(filterGraph)))
    throw DeviceError{texts::kCapSetFgFailed};
}

void DsCaptureGraphBuilder::setPreviewWindow(uint32_t owner, int32_t width, int32_t height) {
  owner_ = owner;
  width_ = width;
  height_ = height;
}

void DsCaptureGraphBuilder::renderPreview(dsMother* video) {
  IBaseFilter* source = video ? video->getFilter() : nullptr;
  if (!builder_ || !source ||
      FAILED(builder_->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, source, nullptr, nullptr)))
    throw DeviceError{texts::kCapRenderPreviewFailed};
  ComPtr<IVideoWindow> window;
  if (FAILED(builder_->FindInterface(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, source, IID_IVideoWindow,
                                     reinterpret_cast<void**>(window.GetAddressOf()))) ||
      !window)
    throw DeviceError{texts::kCapFindInterfaceFailed};
  videoWindow_ = window;    // lets go of the window of an earlier preview
  if (owner_ == 0) return;  // the renderer keeps its own top-level window
  // Window handles cross processes as 32-bit values; they widen with their sign.
  const OAHWND owner = static_cast<OAHWND>(static_cast<int32_t>(owner_));
  videoWindow_->put_Owner(owner);
  videoWindow_->put_WindowStyle(WS_CHILD);
  videoWindow_->put_MessageDrain(owner);
  videoWindow_->SetWindowPosition(0, 0, width_, height_);
  videoWindow_->put_Visible(OATRUE);
  fitVideoWindow(width_, height_);
}

void DsCaptureGraphBuilder::fitVideoWindow(int32_t width, int32_t height) {
  if (!videoWindow_) return;
  const VideoRect area = fitVideo43(width, height);
  videoWindow_->SetWindowPosition(area.left, area.top, area.width, area.height);
}

void DsCaptureGraphBuilder::stopPreview() {
  if (videoWindow_) {
    videoWindow_->put_Owner(0);
    videoWindow_->put_Visible(OAFALSE);
  }
  IBaseFilter* source = filterOf(videoSource_);
  std::shared_ptr<TGraphBuilder> graph = graph_.lock();
  IGraphBuilder* filterGraph = graph ? graph->getGraph() : nullptr;
  if (source && filterGraph) removeDownstream(source, filterGraph);
}

void DsCaptureGraphBuilder::setOutputFile(const std::string& file, int32_t megabytes) {
  // A new file gets a new multiplexer: the old one is let go, never overwritten.
  sink_.Reset();
  mux_.Reset();
  fileName_ = winui::widen(file);
  if (!builder_ || FAILED(builder_->SetOutputFileName(&MEDIASUBTYPE_Avi, fileName_.c_str(), &mux_, &sink_)) || !mux_) {
    // Without a multiplexer the capture would go to default renderers and record nothing.
    sink_.Reset();
    mux_.Reset();
    throw DeviceError{texts::kCapSetOutputFileFailed};
  }
  if (megabytes > 0) builder_->AllocCapFile(fileName_.c_str(), static_cast<DWORDLONG>(megabytes) * kBytesPerMegabyte);
}

void DsCaptureGraphBuilder::renderVCapture(const std::shared_ptr<dsMother>& video, IBaseFilter* compressor) {
  videoSource_ = video;
  IBaseFilter* source = video ? video->getFilter() : nullptr;
  HRESULT hr = E_POINTER;
  if (builder_ && source && mux_)
    hr = builder_->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, source, compressor, mux_.Get());
  if (FAILED(hr)) throw DeviceError{renderVCaptureErrorText(hr)};
}

void DsCaptureGraphBuilder::renderACapture(const std::shared_ptr<dsMother>& audio) {
  audioSource_ = audio;
  IBaseFilter* source = audio ? audio->getFilter() : nullptr;
  if (!builder_ || !source || !mux_ ||
      FAILED(builder_->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, source, nullptr, mux_.Get())))
    throw DeviceError{texts::kCapRenderACaptureFailed};
}

void DsCaptureGraphBuilder::switchStreams(const GUID& category, bool on, const char* failure) {
  REFERENCE_TIME never = MAXLONGLONG;
  if (!builder_ ||
      FAILED(builder_->ControlStream(&category, nullptr, nullptr, on ? nullptr : &never, on ? &never : nullptr, 0, 0)))
    throw DeviceError{failure};
}

void DsCaptureGraphBuilder::preViewStream(bool on) {
  switchStreams(PIN_CATEGORY_PREVIEW, on, texts::kCapPreViewStreamFailed);
}

void DsCaptureGraphBuilder::captureStream(bool on) {
  switchStreams(PIN_CATEGORY_CAPTURE, on, texts::kCapCaptureStreamFailed);
}

void DsCaptureGraphBuilder::delayStart(IBaseFilter* filter, int64_t start, const char* failure) {
  REFERENCE_TIME at = start;
  if (!builder_ || FAILED(builder_->ControlStream(&PIN_CATEGORY_CAPTURE, nullptr, filter, &at, nullptr, 0, 0)))
    throw DeviceError{failure};
}

void DsCaptureGraphBuilder::capStartDelay(int64_t start) { delayStart(nullptr, start, texts::kCapCapStartDelayFailed); }

void DsCaptureGraphBuilder::videoStartDelay(int64_t start) {
  // Without a source a null filter would delay every capture stream instead.
  if (IBaseFilter* source = filterOf(videoSource_)) delayStart(source, start, texts::kCapVideoStartDelayFailed);
}

void DsCaptureGraphBuilder::audioStartDelay(int64_t start) {
  if (IBaseFilter* source = filterOf(audioSource_)) delayStart(source, start, texts::kCapAudioStartDelayFailed);
}

void DsCaptureGraphBuilder::masterStream(int32_t stream) {
  if (!mux_) return;  // no output file yet: nothing to configure
  ComPtr<IConfigAviMux> config;
  if (FAILED(mux_->QueryInterface(IID_IConfigAviMux, reinterpret_cast<void**>(config.GetAddressOf()))) || !config)
    throw DeviceError{texts::kCapMasterStreamFailed};
  config->SetOutputCompatibilityIndex(TRUE);
  config->SetMasterStream(stream);
}

void DsCaptureGraphBuilder::setInterleaving(int32_t mode) {
  if (!mux_) return;
  ComPtr<IConfigInterleaving> config;
  if (FAILED(mux_->QueryInterface(IID_IConfigInterleaving, reinterpret_cast<void**>(config.GetAddressOf()))) || !config)
    throw DeviceError{texts::kCapInterleavingMissing};
  config->put_Mode(static_cast<InterleavingMode>(mode));
}
