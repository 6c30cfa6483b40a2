#include "fake_capture_builder.h"

namespace fakes {

HRESULT FakeFileSink::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*) {
  HRESULT hr = record(L"SetFileName", {text(name)});
  if (hr != S_OK) return hr;
  fileName = name ? name : L"";
  return S_OK;
}

FakeCaptureBuilder::FakeCaptureBuilder(ComKit& kit, std::wstring name)
    : FakeCom(kit, name),
      window(kit.make<FakeVideoWindow>(name + L".window")),
      mux(kit.make<FakeFilter>(L"mux")),
      sink(kit.make<FakeFileSink>(L"sink")) {
  mux->offer(IID_IConfigAviMux);
  mux->offer(IID_IConfigInterleaving);
  mux->addPin(L"in0", PINDIR_INPUT);
  mux->addPin(L"in1", PINDIR_INPUT);
  mux->addPin(L"out", PINDIR_OUTPUT);
}

HRESULT FakeCaptureBuilder::SetFiltergraph(IGraphBuilder* newGraph) {
  HRESULT hr = record(L"SetFiltergraph", {kit().nameOf(newGraph)});
  if (hr != S_OK) return hr;
  if (!newGraph) return E_POINTER;
  newGraph->AddRef();
  if (graph) graph->Release();
  graph = newGraph;
  return S_OK;
}

HRESULT FakeCaptureBuilder::GetFiltergraph(IGraphBuilder** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"GetFiltergraph");
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  if (!graph) return E_UNEXPECTED;
  graph->AddRef();
  *result = graph;
  return S_OK;
}

HRESULT FakeCaptureBuilder::SetOutputFileName(const GUID* type, LPCOLESTR file, IBaseFilter** multiplexer,
                                              IFileSinkFilter** fileSink) {
  if (multiplexer) *multiplexer = nullptr;
  if (fileSink) *fileSink = nullptr;
  HRESULT hr = record(L"SetOutputFileName", {kit().guidName(type), text(file), out(multiplexer), out(fileSink)});
  if (hr != S_OK) return hr;
  if (!type || !file || !multiplexer) return E_POINTER;
  outputFile = file;
  mux->AddRef();
  *multiplexer = mux;
  if (fileSink) {
    sink->AddRef();
    *fileSink = sink;
  }
  return S_OK;
}

HRESULT FakeCaptureBuilder::FindInterface(const GUID* category, const GUID* type, IBaseFilter* filter, REFIID iid,
                                          void** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"FindInterface",
                      {kit().guidName(category), kit().guidName(type), kit().nameOf(filter), kit().guidName(iid)});
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  if (iid == IID_IVideoWindow) return window->queryQuietly(iid, result);
  for (const Found& f : found)
    if (f.from == filter && f.iid == iid) return f.object->queryQuietly(iid, result);
  FakeObject* object = kit().objectOf(filter);
  return object ? object->queryQuietly(iid, result) : E_NOINTERFACE;
}

HRESULT FakeCaptureBuilder::RenderStream(const GUID* category, const GUID* type, IUnknown* source,
                                         IBaseFilter* intermediate, IBaseFilter* sinkFilter) {
  HRESULT hr = record(L"RenderStream", {kit().guidName(category), kit().guidName(type), kit().nameOf(source),
                                        kit().nameOf(intermediate), kit().nameOf(sinkFilter)});
  if (hr == S_OK && onRender) onRender(source);
  return hr;
}

HRESULT FakeCaptureBuilder::ControlStream(const GUID* category, const GUID* type, IBaseFilter* filter,
                                          REFERENCE_TIME* start, REFERENCE_TIME* stop, WORD startCookie,
                                          WORD stopCookie) {
  return record(L"ControlStream", {kit().guidName(category), kit().guidName(type), kit().nameOf(filter), refTime(start),
                                   refTime(stop), num(startCookie), num(stopCookie)});
}

HRESULT FakeCaptureBuilder::AllocCapFile(LPCOLESTR file, DWORDLONG size) {
  return record(L"AllocCapFile", {text(file), std::to_wstring(size)});
}

void FakeCaptureBuilder::onFinalRelease() {
  if (graph) graph->Release();
  graph = nullptr;
}

}  // namespace fakes
