// A fake COM object's IUnknown: reference counting and QueryInterface over the interfaces
// the class lists, each answering its own IID and those of its bases.
#pragma once

#include <dshow.h>
#include <ocidl.h>

#include <vector>

#include "com_kit.h"

namespace fakes {

// The IIDs an interface answers, its own first (MinGW lacks __uuidof for several of them).
template <class I>
struct Iids;

#define FAKES_IIDS(I, ...)                                         \
  template <>                                                      \
  struct Iids<I> {                                                 \
    static std::vector<const IID*> get() { return {__VA_ARGS__}; } \
  };

FAKES_IIDS(ICreateDevEnum, &IID_ICreateDevEnum)
FAKES_IIDS(IEnumMoniker, &IID_IEnumMoniker)
FAKES_IIDS(IMoniker, &IID_IMoniker, &IID_IPersistStream, &IID_IPersist)
FAKES_IIDS(IPropertyBag, &IID_IPropertyBag)
FAKES_IIDS(IBaseFilter, &IID_IBaseFilter, &IID_IMediaFilter, &IID_IPersist)
FAKES_IIDS(IEnumPins, &IID_IEnumPins)
FAKES_IIDS(IEnumFilters, &IID_IEnumFilters)
FAKES_IIDS(IPin, &IID_IPin)
FAKES_IIDS(IKsPropertySet, &IID_IKsPropertySet)
FAKES_IIDS(IAMStreamConfig, &IID_IAMStreamConfig)
FAKES_IIDS(IAMBufferNegotiation, &IID_IAMBufferNegotiation)
FAKES_IIDS(IAMVideoProcAmp, &IID_IAMVideoProcAmp)
FAKES_IIDS(IAMVfwCaptureDialogs, &IID_IAMVfwCaptureDialogs)
FAKES_IIDS(IAMVfwCompressDialogs, &IID_IAMVfwCompressDialogs)
FAKES_IIDS(ISpecifyPropertyPages, &IID_ISpecifyPropertyPages)
FAKES_IIDS(ICaptureGraphBuilder2, &IID_ICaptureGraphBuilder2)
FAKES_IIDS(IGraphBuilder, &IID_IGraphBuilder, &IID_IFilterGraph)
FAKES_IIDS(IMediaControl, &IID_IMediaControl)
FAKES_IIDS(IMediaEventEx, &IID_IMediaEventEx, &IID_IMediaEvent)
FAKES_IIDS(IVideoWindow, &IID_IVideoWindow)
FAKES_IIDS(IConfigAviMux, &IID_IConfigAviMux)
FAKES_IIDS(IConfigInterleaving, &IID_IConfigInterleaving)
FAKES_IIDS(IFileSinkFilter, &IID_IFileSinkFilter)

#undef FAKES_IIDS

// Logs the call, answers E_NOTIMPL (or the result a failure rule chooses).
#define FAKES_NOT_IMPLEMENTED(method, params) \
  HRESULT STDMETHODCALLTYPE method params override { return notImplemented(L"" #method); }

template <class First, class... Rest>
class FakeCom : public FakeObject, public First, public Rest... {
 public:
  using FakeObject::FakeObject;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    if (!result) return E_POINTER;
    *result = nullptr;
    HRESULT hr = record(L"QueryInterface", {kit().guidName(iid)});
    if (hr != S_OK) return hr;
    return queryQuietly(iid, result);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return addRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return release(); }

  HRESULT queryQuietly(REFIID iid, void** result) override {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (iid == IID_IUnknown) {
      *result = static_cast<IUnknown*>(static_cast<First*>(this));
    } else {
      find<First, Rest...>(iid, result);
      if (!*result) return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }

  bool holds(const void* p) const override {
    return p == static_cast<const First*>(this) || ((p == static_cast<const Rest*>(this)) || ...);
  }

  IUnknown* unknown() { return static_cast<First*>(this); }

 private:
  template <class I, class... More>
  void find(REFIID iid, void** result) {
    const std::vector<const IID*> ids = Iids<I>::get();
    for (const IID* id : ids) {
      if (*id == iid) {
        if (offers(*ids.front())) *result = static_cast<I*>(this);
        return;
      }
    }
    if constexpr (sizeof...(More) > 0) find<More...>(iid, result);
  }
};

}  // namespace fakes
