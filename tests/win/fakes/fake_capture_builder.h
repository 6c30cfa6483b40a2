// The fake capture graph builder. It keeps the graph it is given (one reference), hands out
// the fake video window from FindInterface and the fake AVI multiplexer and file sink from
// SetOutputFileName; rendering and stream control are only logged.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fake_com.h"
#include "fake_filter.h"
#include "fake_graph.h"

namespace fakes {

class FakeFileSink : public FakeCom<IFileSinkFilter> {
 public:
  using FakeCom::FakeCom;
  std::wstring fileName;
  HRESULT STDMETHODCALLTYPE SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
  FAKES_NOT_IMPLEMENTED(GetCurFile, (LPOLESTR*, AM_MEDIA_TYPE*))
};

class FakeCaptureBuilder : public FakeCom<ICaptureGraphBuilder2> {
 public:
  // Makes its window ("<name>.window"), multiplexer ("mux", answering IConfigAviMux and
  // IConfigInterleaving) and file sink ("sink").
  FakeCaptureBuilder(ComKit& kit, std::wstring name);

  FakeVideoWindow* window;
  FakeFilter* mux;
  FakeFileSink* sink;
  IGraphBuilder* graph = nullptr;  // the graph it was given, referenced
  std::wstring outputFile;         // the last name given to SetOutputFileName
  // Interfaces that FindInterface finds from a filter elsewhere in the graph (a card's tuner
  // and crossbars), searched before the filter itself.
  struct Found {
    IBaseFilter* from;
    IID iid;
    FakeObject* object;
  };
  std::vector<Found> found;
  // Runs after a RenderStream that succeeds (what rendering brings into the graph).
  std::function<void(IUnknown* source)> onRender;

  HRESULT STDMETHODCALLTYPE SetFiltergraph(IGraphBuilder* graph) override;
  HRESULT STDMETHODCALLTYPE GetFiltergraph(IGraphBuilder** result) override;
  HRESULT STDMETHODCALLTYPE SetOutputFileName(const GUID* type, LPCOLESTR file, IBaseFilter** multiplexer,
                                              IFileSinkFilter** fileSink) override;
  HRESULT STDMETHODCALLTYPE FindInterface(const GUID* category, const GUID* type, IBaseFilter* filter, REFIID iid,
                                          void** result) override;
  HRESULT STDMETHODCALLTYPE RenderStream(const GUID* category, const GUID* type, IUnknown* source,
                                         IBaseFilter* intermediate, IBaseFilter* sinkFilter) override;
  HRESULT STDMETHODCALLTYPE ControlStream(const GUID* category, const GUID* type, IBaseFilter* filter,
                                          REFERENCE_TIME* start, REFERENCE_TIME* stop, WORD startCookie,
                                          WORD stopCookie) override;
  HRESULT STDMETHODCALLTYPE AllocCapFile(LPCOLESTR file, DWORDLONG size) override;
  FAKES_NOT_IMPLEMENTED(CopyCaptureFile, (LPOLESTR, LPOLESTR, int, IAMCopyCaptureFileProgress*))
  FAKES_NOT_IMPLEMENTED(FindPin, (IUnknown*, PIN_DIRECTION, const GUID*, const GUID*, BOOL, int, IPin**))

 protected:
  void onFinalRelease() override;
};

}  // namespace fakes
