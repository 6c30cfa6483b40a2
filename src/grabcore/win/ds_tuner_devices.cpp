#include "ds_tuner_devices.h"

#include <vector>

#include "grabcore/core/graph_builder.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring graphName(IBaseFilter* filter) {
  FILTER_INFO info{};
  if (FAILED(filter->QueryFilterInfo(&info))) return {};
  if (info.pGraph) info.pGraph->Release();
  return info.achName;
}

// The filter of each downstream connection of filter, with the two pins of the connection.
struct Connection {
  ComPtr<IPin> out;
  ComPtr<IPin> in;
  ComPtr<IBaseFilter> next;
};

std::vector<Connection> downstreamOf(IBaseFilter* filter) {
  std::vector<Connection> found;
  ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins)) || !pins) return found;
  ComPtr<IPin> pin;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    Connection c;
    c.out = pin;
    pin.Reset();
    PIN_INFO info{};
    if (FAILED(c.out->ConnectedTo(&c.in)) || !c.in || FAILED(c.in->QueryPinInfo(&info))) continue;
    // Takes over the reference that QueryPinInfo added (MinGW's ComPtr::Attach adds one more).
    c.next = info.pFilter;
    if (info.pFilter) info.pFilter->Release();
    if (info.dir == PINDIR_INPUT && c.next) found.push_back(std::move(c));
  }
  return found;
}

// Depth first: what lies further downstream goes first, then the connection itself.
void disconnectDownstream(IGraphBuilder* graph, IBaseFilter* filter, bool removeFilters) {
  for (Connection& c : downstreamOf(filter)) {
    disconnectDownstream(graph, c.next.Get(), removeFilters);
    graph->Disconnect(c.in.Get());
    graph->Disconnect(c.out.Get());
    if (removeFilters) graph->RemoveFilter(c.next.Get());
  }
}

// Takes filter out of the graph with everything downstream of it.
void removeWithDownstream(IGraphBuilder* graph, IBaseFilter* filter) {
  disconnectDownstream(graph, filter, true);
  graph->RemoveFilter(filter);
}

}  // namespace

template <class I>
bool DsTunerDevices::FilterIndex<I>::take(IUnknown* found) {
  ComPtr<I> c;
  ComPtr<IBaseFilter> f;
  if (!found || FAILED(found->QueryInterface(__uuidof(I), &c)) || FAILED(found->QueryInterface(IID_IBaseFilter, &f)))
    return false;
  control = std::move(c);
  filter = std::move(f);
  name = graphName(filter.Get());
  return true;
}

ComPtr<IBaseFilter> DsTunerDevices::findCaptureFilter() {
  ComPtr<ICreateDevEnum> devices;
  ComPtr<IEnumMoniker> monikers;
  if (FAILED(com_.createInstance(CLSID_SystemDeviceEnum, CLSCTX_INPROC, IID_ICreateDevEnum, &devices)) ||
      devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0) != S_OK || !monikers)
    return nullptr;
  ComPtr<IMoniker> moniker;
  while (monikers->Next(1, &moniker, nullptr) == S_OK) {
    ComPtr<IBaseFilter> filter;
    const bool bound = SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, &filter)) && filter;
    moniker.Reset();
    ComPtr<IAMVideoProcAmp> picture;
    if (bound && SUCCEEDED(filter.As(&picture))) return filter;
  }
  return nullptr;
}

bool DsTunerDevices::discover(TGraphBuilder* graphObject) {
  IGraphBuilder* graph = graphObject ? graphObject->getGraph() : nullptr;
  if (!graph) return false;
  ComPtr<ICaptureGraphBuilder2> builder;
  if (FAILED(com_.createInstance(CLSID_CaptureGraphBuilder2, CLSCTX_INPROC, IID_ICaptureGraphBuilder2, &builder)) ||
      FAILED(builder->SetFiltergraph(graph)))
    return false;
  ComPtr<IBaseFilter> capture = findCaptureFilter();
  if (!capture) return false;
  if (FAILED(graph->AddFilter(capture.Get(), L"Video Capture"))) return false;
  // Rendering the preview brings the card's tuner and crossbars in upstream of the capture filter.
  if (FAILED(builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, capture.Get(), nullptr, nullptr))) {
    removeWithDownstream(graph, capture.Get());
    return false;
  }
  ComPtr<IUnknown> found;
  builder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, capture.Get(), IID_IAMTVTuner, &found);
  tuner_.take(found.Get());
  found.Reset();
  builder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, capture.Get(), IID_IAMCrossbar, &found);
  downstream_.take(found.Get());
  found.Reset();
  if (downstream_.filter)
    builder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, downstream_.filter.Get(), IID_IAMCrossbar, &found);
  upstream_.take(found.Get());
  if (!held()) {
    // Not a tuner card: what the preview rendered goes; the capture filter stays, the video
    // source's preview runs through it.
    disconnectDownstream(graph, capture.Get(), true);
    release();
    return false;
  }
  disconnectDownstream(graph, capture.Get(), false);
  removeOthers(graphObject);
  return true;
}

bool DsTunerDevices::held() const { return tuner_.control && downstream_.control && upstream_.control; }

bool DsTunerDevices::putModeTv() { return SUCCEEDED(tuner_.control->put_Mode(AMTUNER_MODE_TV)); }

bool DsTunerDevices::putInputType(uint8_t type) {
  return SUCCEEDED(tuner_.control->put_InputType(0, type == 1 ? TunerInputAntenna : TunerInputCable));
}

bool DsTunerDevices::putChannel(uint16_t channel) {
  return SUCCEEDED(tuner_.control->put_Channel(channel, AMTUNER_SUBCHAN_DEFAULT, AMTUNER_SUBCHAN_DEFAULT));
}

bool DsTunerDevices::channelMinMax(int32_t& min, int32_t& max) {
  LONG low = 0, high = 0;
  if (FAILED(tuner_.control->ChannelMinMax(&low, &high))) return false;
  min = low;
  max = high;
  return true;
}

bool DsTunerDevices::autoTune(int32_t channel) {
  LONG found = 0;
  return SUCCEEDED(tuner_.control->AutoTune(channel, &found)) && found != 0;
}

bool DsTunerDevices::route(bool upstream, int32_t output, int32_t input) {
  return SUCCEEDED((upstream ? upstream_ : downstream_).control->Route(output, input));
}

void DsTunerDevices::removeOthers(TGraphBuilder* graphObject) {
  IGraphBuilder* graph = graphObject ? graphObject->getGraph() : nullptr;
  if (!graph) return;
  std::vector<ComPtr<IBaseFilter>> others;
  ComPtr<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(&filters)) || !filters) return;
  ComPtr<IBaseFilter> filter;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    const std::wstring name = graphName(filter.Get());
    if (name != tuner_.name && name != upstream_.name && name != downstream_.name) others.push_back(filter);
    filter.Reset();
  }
  filters.Reset();
  for (const ComPtr<IBaseFilter>& other : others) graph->RemoveFilter(other.Get());
}

void DsTunerDevices::release() {
  tuner_ = {};
  downstream_ = {};
  upstream_ = {};
}
