#include "fake_devices.h"

#include "fake_enum.h"

namespace fakes {

HRESULT FakePropertyBag::Read(LPCOLESTR property, VARIANT* value, IErrorLog*) {
  HRESULT hr = record(L"Read", {text(property)});
  if (hr != S_OK) return hr;
  if (!property || !value) return E_POINTER;
  auto it = values.find(property);
  if (it == values.end()) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  VariantClear(value);
  value->vt = VT_BSTR;
  value->bstrVal = SysAllocString(it->second.c_str());
  return S_OK;
}

HRESULT FakeMoniker::BindToObject(IBindCtx* context, IMoniker* left, REFIID iid, void** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"BindToObject", {kit().nameOf(context), kit().nameOf(left), kit().guidName(iid)});
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  if (!filter) return E_FAIL;
  return filter->queryQuietly(iid, result);
}

HRESULT FakeMoniker::BindToStorage(IBindCtx* context, IMoniker* left, REFIID iid, void** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"BindToStorage", {kit().nameOf(context), kit().nameOf(left), kit().guidName(iid)});
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  if (!bag) return E_FAIL;
  return bag->queryQuietly(iid, result);
}

FakeMoniker* FakeDeviceEnum::addDevice(REFCLSID category, const std::wstring& id, const std::wstring& friendlyName,
                                       FakeFilter* filter, const std::wstring& clsid) {
  auto* bag = kit().make<FakePropertyBag>(id + L".bag");
  bag->values[L"FriendlyName"] = friendlyName;
  bag->values[L"CLSID"] = clsid;
  auto* moniker = kit().make<FakeMoniker>(id + L".moniker", bag, filter);
  devices_.emplace_back(category, moniker);
  return moniker;
}

std::vector<FakeMoniker*> FakeDeviceEnum::devices(REFCLSID category) const {
  std::vector<FakeMoniker*> result;
  for (const auto& device : devices_)
    if (device.first == category) result.push_back(device.second);
  return result;
}

HRESULT FakeDeviceEnum::CreateClassEnumerator(REFCLSID category, IEnumMoniker** result, DWORD flags) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"CreateClassEnumerator", {kit().guidName(category), num(flags)});
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  std::vector<IMoniker*> items;
  for (FakeMoniker* moniker : devices(category)) items.push_back(moniker);
  if (items.empty()) return S_FALSE;
  auto* enumerator = kit().make<FakeEnum<IEnumMoniker, IMoniker>>(name() + L".monikers", items);
  enumerator->AddRef();
  *result = enumerator;
  return S_OK;
}

}  // namespace fakes
