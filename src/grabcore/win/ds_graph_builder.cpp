#include "ds_graph_builder.h"

#include "grabcore/core/errors.h"
#include "grabcore/texts/engine_texts.h"
#include "winui/text.h"

using Microsoft::WRL::ComPtr;

void DsGraphBuilder::create() {
  release();  // a second create starts a fresh graph instead of leaking the first
  HRESULT hr = com_.createInstance(CLSID_FilterGraph, CLSCTX_INPROC, IID_IGraphBuilder,
                                   reinterpret_cast<void**>(graph_.ReleaseAndGetAddressOf()));
  if (FAILED(hr) || !graph_) {
    graph_.Reset();
    throw DeviceError{texts::kGraphCreateFailed};
  }
  // The event interface is taken here so that the abort poll has something to ask.
  graph_->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events_.GetAddressOf()));
}

void DsGraphBuilder::release() {
  events_.Reset();
  control_.Reset();
  graph_.Reset();
}

void DsGraphBuilder::add(dsMother* other) {
  IBaseFilter* filter = other ? other->getFilter() : nullptr;
  if (!filter || !graph_) return;
  if (FAILED(graph_->AddFilter(filter, nullptr))) throw DeviceError{texts::kGraphAddFailed};
}

void DsGraphBuilder::startView() {
  if (!graph_ ||
      FAILED(graph_->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control_.ReleaseAndGetAddressOf()))) ||
      !control_) {
    control_.Reset();
    throw DeviceError{texts::kGraphStartViewFailed};
  }
  if (FAILED(control_->Run())) {
    // A graph that cannot run is not a running preview or recording.
    control_->Stop();
    throw DeviceError{texts::kGraphRunFailed};
  }
}

void DsGraphBuilder::stopView() {
  if (control_) control_->Stop();
}

void DsGraphBuilder::showFilters() {
  std::string text;
  ComPtr<IEnumFilters> filters;
  if (graph_ && SUCCEEDED(graph_->EnumFilters(&filters)) && filters) {
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
      FILTER_INFO info{};
      if (SUCCEEDED(filter->QueryFilterInfo(&info))) {
        info.achName[MAX_FILTER_NAME - 1] = L'\0';
        text += winui::narrow(info.achName);
        text += "\n";
        if (info.pGraph) info.pGraph->Release();
      }
    }
  }
  host_.showMessage(text);
}

bool DsGraphBuilder::pollErrorAbort() {
  if (!events_) return false;
  long code = 0;
  LONG_PTR param1 = 0, param2 = 0;
  while (events_->GetEvent(&code, &param1, &param2, 0) == S_OK) {
    events_->FreeEventParams(code, param1, param2);
    if (code == EC_ERRORABORT) return true;
  }
  return false;
}
