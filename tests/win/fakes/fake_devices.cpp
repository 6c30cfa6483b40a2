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

VideoDevice addVideoDevice(FakeDeviceEnum& devices, const std::wstring& id, const std::wstring& friendlyName, bool wdm,
                           bool vfw) {
  ComKit& kit = devices.kit();
  VideoDevice device;
  device.filter = kit.make<FakeFilter>(id);
  device.filter->friendlyName = friendlyName;
  if (wdm) device.filter->offer(IID_IAMVideoProcAmp);
  if (vfw) device.filter->offer(IID_IAMVfwCaptureDialogs);
  device.filter->addPin(L"in", PINDIR_INPUT);
  FakePin* preview = device.filter->addPin(L"preview", PINDIR_OUTPUT);
  for (const IID* iid : {&IID_IKsPropertySet, &IID_IAMStreamConfig}) preview->offer(*iid);
  preview->category = PIN_CATEGORY_PREVIEW;
  device.capture = device.filter->addPin(L"capture", PINDIR_OUTPUT);
  for (const IID* iid : {&IID_IKsPropertySet, &IID_IAMStreamConfig, &IID_IAMBufferNegotiation,
                         &IID_ISpecifyPropertyPages})
    device.capture->offer(*iid);
  device.capture->category = PIN_CATEGORY_CAPTURE;
  std::vector<BYTE> block;
  device.capture->setFormat(videoFormat(640, 480, 333667, block));
  device.moniker = devices.addDevice(CLSID_VideoInputDeviceCategory, id, friendlyName, device.filter);
  return device;
}

AudioDevice addAudioDevice(FakeDeviceEnum& devices, const std::wstring& id) {
  ComKit& kit = devices.kit();
  AudioDevice device;
  device.filter = kit.make<FakeFilter>(id);
  device.capture = device.filter->addPin(L"capture", PINDIR_OUTPUT);
  for (const IID* iid : {&IID_IKsPropertySet, &IID_IAMStreamConfig}) device.capture->offer(*iid);
  device.capture->category = PIN_CATEGORY_CAPTURE;
  WAVEFORMATEX wave{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
  AM_MEDIA_TYPE type{};
  type.majortype = MEDIATYPE_Audio;
  type.subtype = MEDIASUBTYPE_PCM;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = wave.nBlockAlign;
  type.formattype = FORMAT_WaveFormatEx;
  type.cbFormat = sizeof wave;
  type.pbFormat = reinterpret_cast<BYTE*>(&wave);
  device.capture->setFormat(type);
  devices.addDevice(CLSID_AudioInputDeviceCategory, id, L"In: " + id, device.filter);
  return device;
}

}  // namespace fakes
