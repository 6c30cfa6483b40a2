// The fake filter graph manager (IGraphBuilder with IFilterGraph, IMediaControl, IMediaEventEx)
// and the fake video window a preview renderer offers.
#pragma once

#include <deque>
#include <vector>

#include "fake_com.h"
#include "fake_filter.h"

namespace fakes {

// IDispatch of the automation interfaces: logged, not implemented.
#define FAKES_DISPATCH_NOT_IMPLEMENTED                                           \
  FAKES_NOT_IMPLEMENTED(GetTypeInfoCount, (UINT*))                               \
  FAKES_NOT_IMPLEMENTED(GetTypeInfo, (UINT, LCID, ITypeInfo**))                  \
  FAKES_NOT_IMPLEMENTED(GetIDsOfNames, (REFIID, LPOLESTR*, UINT, LCID, DISPID*)) \
  FAKES_NOT_IMPLEMENTED(Invoke, (DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*))

class FakeGraph : public FakeCom<IGraphBuilder, IMediaControl, IMediaEventEx> {
 public:
  using FakeCom::FakeCom;

  IGraphBuilder* graph() { return this; }
  // The filters added, each holding one reference of the graph until removed or released.
  const std::vector<IBaseFilter*>& filters() const { return filters_; }
  // Events that GetEvent hands out, oldest first.
  struct Event {
    long code;
    LONG_PTR param1, param2;
  };
  std::deque<Event> events;
  HRESULT runResult = S_OK;  // what Run answers after logging

  // IFilterGraph
  HRESULT STDMETHODCALLTYPE AddFilter(IBaseFilter* filter, LPCWSTR name) override;
  HRESULT STDMETHODCALLTYPE RemoveFilter(IBaseFilter* filter) override;
  HRESULT STDMETHODCALLTYPE EnumFilters(IEnumFilters** result) override;
  FAKES_NOT_IMPLEMENTED(FindFilterByName, (LPCWSTR, IBaseFilter**))
  FAKES_NOT_IMPLEMENTED(ConnectDirect, (IPin*, IPin*, const AM_MEDIA_TYPE*))
  FAKES_NOT_IMPLEMENTED(Reconnect, (IPin*))
  HRESULT STDMETHODCALLTYPE Disconnect(IPin* pin) override;
  FAKES_NOT_IMPLEMENTED(SetDefaultSyncSource, ())
  // IGraphBuilder
  FAKES_NOT_IMPLEMENTED(Connect, (IPin*, IPin*))
  FAKES_NOT_IMPLEMENTED(Render, (IPin*))
  FAKES_NOT_IMPLEMENTED(RenderFile, (LPCWSTR, LPCWSTR))
  FAKES_NOT_IMPLEMENTED(AddSourceFilter, (LPCWSTR, LPCWSTR, IBaseFilter**))
  FAKES_NOT_IMPLEMENTED(SetLogFile, (DWORD_PTR))
  FAKES_NOT_IMPLEMENTED(Abort, ())
  FAKES_NOT_IMPLEMENTED(ShouldOperationContinue, ())
  // IDispatch (IMediaControl, IMediaEventEx)
  FAKES_DISPATCH_NOT_IMPLEMENTED
  // IMediaControl
  HRESULT STDMETHODCALLTYPE Run() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  FAKES_NOT_IMPLEMENTED(GetState, (long, OAFilterState*))
  FAKES_NOT_IMPLEMENTED(RenderFile, (BSTR))
  FAKES_NOT_IMPLEMENTED(AddSourceFilter, (BSTR, IDispatch**))
  FAKES_NOT_IMPLEMENTED(get_FilterCollection, (IDispatch**))
  FAKES_NOT_IMPLEMENTED(get_RegFilterCollection, (IDispatch**))
  FAKES_NOT_IMPLEMENTED(StopWhenReady, ())
  // IMediaEvent, IMediaEventEx
  FAKES_NOT_IMPLEMENTED(GetEventHandle, (OAEVENT*))
  HRESULT STDMETHODCALLTYPE GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeout) override;
  FAKES_NOT_IMPLEMENTED(WaitForCompletion, (long, long*))
  FAKES_NOT_IMPLEMENTED(CancelDefaultHandling, (long))
  FAKES_NOT_IMPLEMENTED(RestoreDefaultHandling, (long))
  HRESULT STDMETHODCALLTYPE FreeEventParams(long code, LONG_PTR param1, LONG_PTR param2) override;
  FAKES_NOT_IMPLEMENTED(SetNotifyWindow, (OAHWND, long, LONG_PTR))
  FAKES_NOT_IMPLEMENTED(SetNotifyFlags, (long))
  FAKES_NOT_IMPLEMENTED(GetNotifyFlags, (long*))

 protected:
  // A graph lets go of its filters when it goes.
  void onFinalRelease() override;

 private:
  std::vector<IBaseFilter*> filters_;
};

class FakeVideoWindow : public FakeCom<IVideoWindow> {
 public:
  using FakeCom::FakeCom;

  IVideoWindow* window() { return this; }
  OAHWND owner = 0;
  OAHWND drain = 0;
  long style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  long visible = OAFALSE;
  long left = 0, top = 0, width = 320, height = 240;

  FAKES_DISPATCH_NOT_IMPLEMENTED
  FAKES_NOT_IMPLEMENTED(put_Caption, (BSTR))
  FAKES_NOT_IMPLEMENTED(get_Caption, (BSTR*))
  HRESULT STDMETHODCALLTYPE put_WindowStyle(long value) override;
  HRESULT STDMETHODCALLTYPE get_WindowStyle(long* value) override;
  FAKES_NOT_IMPLEMENTED(put_WindowStyleEx, (long))
  FAKES_NOT_IMPLEMENTED(get_WindowStyleEx, (long*))
  FAKES_NOT_IMPLEMENTED(put_AutoShow, (long))
  FAKES_NOT_IMPLEMENTED(get_AutoShow, (long*))
  FAKES_NOT_IMPLEMENTED(put_WindowState, (long))
  FAKES_NOT_IMPLEMENTED(get_WindowState, (long*))
  FAKES_NOT_IMPLEMENTED(put_BackgroundPalette, (long))
  FAKES_NOT_IMPLEMENTED(get_BackgroundPalette, (long*))
  HRESULT STDMETHODCALLTYPE put_Visible(long value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(long* value) override;
  FAKES_NOT_IMPLEMENTED(put_Left, (long))
  FAKES_NOT_IMPLEMENTED(get_Left, (long*))
  FAKES_NOT_IMPLEMENTED(put_Width, (long))
  FAKES_NOT_IMPLEMENTED(get_Width, (long*))
  FAKES_NOT_IMPLEMENTED(put_Top, (long))
  FAKES_NOT_IMPLEMENTED(get_Top, (long*))
  FAKES_NOT_IMPLEMENTED(put_Height, (long))
  FAKES_NOT_IMPLEMENTED(get_Height, (long*))
  HRESULT STDMETHODCALLTYPE put_Owner(OAHWND value) override;
  HRESULT STDMETHODCALLTYPE get_Owner(OAHWND* value) override;
  HRESULT STDMETHODCALLTYPE put_MessageDrain(OAHWND value) override;
  HRESULT STDMETHODCALLTYPE get_MessageDrain(OAHWND* value) override;
  FAKES_NOT_IMPLEMENTED(get_BorderColor, (long*))
  FAKES_NOT_IMPLEMENTED(put_BorderColor, (long))
  FAKES_NOT_IMPLEMENTED(get_FullScreenMode, (long*))
  FAKES_NOT_IMPLEMENTED(put_FullScreenMode, (long))
  FAKES_NOT_IMPLEMENTED(SetWindowForeground, (long))
  FAKES_NOT_IMPLEMENTED(NotifyOwnerMessage, (OAHWND, long, LONG_PTR, LONG_PTR))
  HRESULT STDMETHODCALLTYPE SetWindowPosition(long left, long top, long width, long height) override;
  HRESULT STDMETHODCALLTYPE GetWindowPosition(long* left, long* top, long* width, long* height) override;
  FAKES_NOT_IMPLEMENTED(GetMinIdealImageSize, (long*, long*))
  FAKES_NOT_IMPLEMENTED(GetMaxIdealImageSize, (long*, long*))
  FAKES_NOT_IMPLEMENTED(GetRestorePosition, (long*, long*, long*, long*))
  FAKES_NOT_IMPLEMENTED(HideCursor, (long))
  FAKES_NOT_IMPLEMENTED(IsCursorHidden, (long*))
};

}  // namespace fakes
