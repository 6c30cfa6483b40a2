#include "fake_graph.h"

#include <algorithm>

#include "fake_enum.h"

namespace fakes {

// ---- FakeGraph ----

HRESULT FakeGraph::AddFilter(IBaseFilter* filter, LPCWSTR filterName) {
  HRESULT hr = record(L"AddFilter", {kit().nameOf(filter), text(filterName)});
  if (hr != S_OK) return hr;
  if (!filter) return E_POINTER;
  filter->AddRef();
  filters_.push_back(filter);
  if (auto* fake = kit().as<FakeFilter>(filter)) fake->graph = this;
  return S_OK;
}

HRESULT FakeGraph::RemoveFilter(IBaseFilter* filter) {
  HRESULT hr = record(L"RemoveFilter", {kit().nameOf(filter)});
  if (hr != S_OK) return hr;
  auto it = std::find(filters_.begin(), filters_.end(), filter);
  if (it == filters_.end()) return VFW_E_NOT_FOUND;
  filters_.erase(it);
  if (auto* fake = kit().as<FakeFilter>(filter)) fake->graph = nullptr;
  filter->Release();
  return S_OK;
}

HRESULT FakeGraph::EnumFilters(IEnumFilters** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"EnumFilters");
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  auto* enumerator = kit().make<FakeEnum<IEnumFilters, IBaseFilter>>(name() + L".filters", filters_);
  enumerator->AddRef();
  *result = enumerator;
  return S_OK;
}

HRESULT FakeGraph::Disconnect(IPin* pin) {
  HRESULT hr = record(L"Disconnect", {kit().nameOf(pin)});
  if (hr != S_OK) return hr;
  if (!pin) return E_POINTER;
  // Only the named pin lets go of its peer, as in DirectShow.
  auto* fake = kit().as<FakePin>(pin);
  return fake && fake->dropPeer() ? S_OK : S_FALSE;
}

HRESULT FakeGraph::Run() {
  HRESULT hr = record(L"Run");
  return hr != S_OK ? hr : runResult;
}

HRESULT FakeGraph::Pause() { return record(L"Pause"); }
HRESULT FakeGraph::Stop() { return record(L"Stop"); }

HRESULT FakeGraph::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeout) {
  HRESULT hr = record(L"GetEvent", {num(timeout)});
  if (hr != S_OK) return hr;
  if (!code || !param1 || !param2) return E_POINTER;
  if (events.empty()) return E_ABORT;
  *code = events.front().code;
  *param1 = events.front().param1;
  *param2 = events.front().param2;
  events.pop_front();
  return S_OK;
}

HRESULT FakeGraph::FreeEventParams(long code, LONG_PTR, LONG_PTR) { return record(L"FreeEventParams", {num(code)}); }

void FakeGraph::onFinalRelease() {
  std::vector<IBaseFilter*> held = std::move(filters_);
  filters_.clear();
  for (IBaseFilter* filter : held) filter->Release();
}

// ---- FakeVideoWindow ----

HRESULT FakeVideoWindow::put_WindowStyle(long value) { return setter(L"put_WindowStyle", style, value); }

HRESULT FakeVideoWindow::get_WindowStyle(long* value) { return getter(L"get_WindowStyle", value, style); }

HRESULT FakeVideoWindow::put_Visible(long value) { return setter(L"put_Visible", visible, value); }

HRESULT FakeVideoWindow::get_Visible(long* value) { return getter(L"get_Visible", value, visible); }

HRESULT FakeVideoWindow::put_Owner(OAHWND value) { return setter(L"put_Owner", owner, value); }

HRESULT FakeVideoWindow::get_Owner(OAHWND* value) { return getter(L"get_Owner", value, owner); }

HRESULT FakeVideoWindow::put_MessageDrain(OAHWND value) { return setter(L"put_MessageDrain", drain, value); }

HRESULT FakeVideoWindow::get_MessageDrain(OAHWND* value) { return getter(L"get_MessageDrain", value, drain); }

HRESULT FakeVideoWindow::SetWindowPosition(long x, long y, long w, long h) {
  HRESULT hr = record(L"SetWindowPosition", {num(x), num(y), num(w), num(h)});
  if (hr != S_OK) return hr;
  left = x;
  top = y;
  width = w;
  height = h;
  return S_OK;
}

HRESULT FakeVideoWindow::GetWindowPosition(long* x, long* y, long* w, long* h) {
  HRESULT hr = record(L"GetWindowPosition");
  if (hr != S_OK) return hr;
  if (!x || !y || !w || !h) return E_POINTER;
  *x = left;
  *y = top;
  *w = width;
  *h = height;
  return S_OK;
}

}  // namespace fakes
