#include "filter_lookup.h"

#include <wrl/client.h>

#include "grabcore/core/errors.h"
#include "grabcore/core/find_filter.h"
#include "winui/text.h"

using Microsoft::WRL::ComPtr;

namespace {

// One string property of a property bag, or false.
bool readString(IPropertyBag* bag, const wchar_t* name, std::wstring& out) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  HRESULT hr = bag->Read(name, &value, nullptr);
  bool ok = SUCCEEDED(hr) && value.vt == VT_BSTR;
  if (ok) out.assign(value.bstrVal ? value.bstrVal : L"");
  VariantClear(&value);
  return ok;
}

class SystemCategory : public DeviceCategory {
 public:
  SystemCategory(ComFactory& com, REFCLSID category, CLSID* clsid, IBaseFilter** filter)
      : com_(com), category_(category), clsid_(clsid), filter_(filter) {}

  bool createEnumerator() override {
    return SUCCEEDED(com_.createInstance(CLSID_SystemDeviceEnum, CLSCTX_INPROC, IID_ICreateDevEnum,
                                         reinterpret_cast<void**>(devices_.GetAddressOf()))) &&
           devices_;
  }
  bool openCategory(bool& empty) override {
    HRESULT hr = devices_->CreateClassEnumerator(category_, &monikers_, 0);
    if (FAILED(hr)) return false;
    empty = hr == S_FALSE || !monikers_;
    return true;
  }
  bool nextDevice() override {
    bag_.Reset();
    return monikers_->Next(1, moniker_.ReleaseAndGetAddressOf(), nullptr) == S_OK && moniker_;
  }
  bool bindStorage() override {
    return SUCCEEDED(moniker_->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                             reinterpret_cast<void**>(bag_.GetAddressOf()))) &&
           bag_;
  }
  bool readClsid() override { return readString(bag_.Get(), L"CLSID", clsidText_); }
  bool convertClsid() override {
    CLSID id;
    if (FAILED(CLSIDFromString(clsidText_.c_str(), &id))) return false;
    if (clsid_) *clsid_ = id;
    return true;
  }
  bool readFriendlyName(std::string& name) override {
    std::wstring wide;
    if (!readString(bag_.Get(), L"FriendlyName", wide)) return false;
    name = winui::narrow(wide);
    return true;
  }
  bool bindFilter() override {
    if (!filter_) return true;
    return SUCCEEDED(moniker_->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter_))) &&
           *filter_;
  }

 private:
  ComFactory& com_;
  const CLSID& category_;
  CLSID* clsid_;
  IBaseFilter** filter_;
  ComPtr<ICreateDevEnum> devices_;
  ComPtr<IEnumMoniker> monikers_;
  ComPtr<IMoniker> moniker_;
  ComPtr<IPropertyBag> bag_;
  std::wstring clsidText_;
};

}  // namespace

ComPtr<IEnumMoniker> openDeviceCategory(ComFactory& com, DWORD context, REFCLSID category, const char* createFailed,
                                        const char* categoryFailed) {
  ComPtr<ICreateDevEnum> devices;
  if (FAILED(com.createInstance(CLSID_SystemDeviceEnum, context, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(devices.GetAddressOf()))) ||
      !devices)
    throw DeviceError{createFailed};
  ComPtr<IEnumMoniker> monikers;
  const HRESULT hr = devices->CreateClassEnumerator(category, monikers.GetAddressOf(), 0);
  if (FAILED(hr)) throw DeviceError{categoryFailed};
  // An empty category gives S_FALSE and no enumerator.
  if (hr != S_OK) monikers.Reset();
  return monikers;
}

std::optional<std::string> bagFriendlyName(IPropertyBag* bag) {
  std::wstring name;
  if (!readString(bag, L"FriendlyName", name)) return std::nullopt;
  return winui::narrow(name);
}

std::optional<std::string> monikerFriendlyName(IMoniker* moniker) {
  ComPtr<IPropertyBag> bag;
  if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(bag.GetAddressOf()))) ||
      !bag)
    return std::nullopt;
  return bagFriendlyName(bag.Get());
}

bool findFilter(EngineHost& host, ComFactory& com, const std::string& friendlyName, REFCLSID category, CLSID* clsid,
                IBaseFilter** filter) {
  if (filter) *filter = nullptr;
  SystemCategory devices(com, category, clsid, filter);
  return findFilter(host, devices, friendlyName, filter != nullptr);
}
