#include "fake_filter.h"

#include <cstring>

#include "fake_enum.h"

namespace fakes {

namespace {

HRESULT emptyPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  return S_OK;
}

}  // namespace

// ---- FakeFilter ----

FakeFilter::FakeFilter(ComKit& kit, std::wstring name) : FakeCom(kit, std::move(name)) {
  for (const IID* iid : {&IID_IAMVideoProcAmp, &IID_IAMVfwCaptureDialogs, &IID_IConfigAviMux, &IID_IConfigInterleaving,
                         &IID_ISpecifyPropertyPages})
    withhold(*iid);
}

HRESULT FakeFilter::queryQuietly(REFIID iid, void** result) {
  for (const auto& [id, other] : delegates_)
    if (id == iid) return other->queryQuietly(iid, result);
  return FakeCom::queryQuietly(iid, result);
}

FakePin* FakeFilter::addPin(const std::wstring& pinName, PIN_DIRECTION direction) {
  FakePin* pin = kit().make<FakePin>(name() + L"." + pinName, this, direction);
  pins_.push_back(pin);
  return pin;
}

HRESULT FakeFilter::GetClassID(CLSID* id) { return getter(L"GetClassID", id, classId); }

HRESULT FakeFilter::Stop() { return record(L"Stop"); }
HRESULT FakeFilter::Pause() { return record(L"Pause"); }
HRESULT FakeFilter::Run(REFERENCE_TIME start) { return record(L"Run", {num(start)}); }

HRESULT FakeFilter::EnumPins(IEnumPins** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"EnumPins");
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  std::vector<IPin*> items;
  for (FakePin* pin : pins_) items.push_back(pin);
  auto* enumerator = kit().make<FakeEnum<IEnumPins, IPin>>(name() + L".pins", items);
  enumerator->AddRef();
  *result = enumerator;
  return S_OK;
}

HRESULT FakeFilter::FindPin(LPCWSTR id, IPin** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"FindPin", {text(id)});
  if (hr != S_OK) return hr;
  if (!result || !id) return E_POINTER;
  for (FakePin* pin : pins_) {
    if (pin->name() == name() + L"." + id) {
      pin->AddRef();
      *result = pin;
      return S_OK;
    }
  }
  return VFW_E_NOT_FOUND;
}

HRESULT FakeFilter::QueryFilterInfo(FILTER_INFO* info) {
  HRESULT hr = record(L"QueryFilterInfo");
  if (hr != S_OK) return hr;
  if (!info) return E_POINTER;
  const std::wstring& shown = friendlyName.empty() ? name() : friendlyName;
  wcsncpy(info->achName, shown.c_str(), MAX_FILTER_NAME - 1);
  info->achName[MAX_FILTER_NAME - 1] = L'\0';
  info->pGraph = graph;
  if (graph) graph->AddRef();
  return S_OK;
}

HRESULT FakeFilter::JoinFilterGraph(IFilterGraph* newGraph, LPCWSTR filterName) {
  HRESULT hr = record(L"JoinFilterGraph", {kit().nameOf(newGraph), text(filterName)});
  if (hr != S_OK) return hr;
  graph = newGraph;
  return S_OK;
}

HRESULT FakeFilter::GetRange(long property, long* min, long* max, long* step, long* defaultValue, long* flags) {
  HRESULT hr = record(L"GetRange", {num(property)});
  if (hr != S_OK) return hr;
  if (!min || !max || !step || !defaultValue || !flags) return E_POINTER;
  *min = 0;
  *max = 255;
  *step = 1;
  *defaultValue = 128;
  *flags = VideoProcAmp_Flags_Manual;
  return S_OK;
}

HRESULT FakeFilter::Set(long property, long value, long flags) {
  HRESULT hr = record(L"Set", {num(property), num(value), num(flags)});
  if (hr != S_OK) return hr;
  procAmp[property] = value;
  return S_OK;
}

HRESULT FakeFilter::Get(long property, long* value, long* flags) {
  HRESULT hr = record(L"Get", {num(property), out(value), out(flags)});
  if (hr != S_OK) return hr;
  if (!value || !flags) return E_POINTER;
  auto it = procAmp.find(property);
  if (it == procAmp.end()) return E_PROP_ID_UNSUPPORTED;
  *value = it->second;
  *flags = VideoProcAmp_Flags_Manual;
  return S_OK;
}

HRESULT FakeFilter::HasDialog(int dialog) {
  HRESULT hr = record(L"HasDialog", {num(dialog)});
  if (hr != S_OK) return hr;
  for (int known : dialogs)
    if (known == dialog) return S_OK;
  return S_FALSE;
}

HRESULT FakeFilter::ShowDialog(int dialog, HWND owner) {
  return record(L"ShowDialog", {num(dialog), num(reinterpret_cast<intptr_t>(owner))});
}

HRESULT FakeFilter::SetMasterStream(long stream) { return setter(L"SetMasterStream", masterStream, stream); }

HRESULT FakeFilter::GetMasterStream(long* stream) { return getter(L"GetMasterStream", stream, masterStream); }

HRESULT FakeFilter::SetOutputCompatibilityIndex(BOOL old) {
  return setter(L"SetOutputCompatibilityIndex", oldIndex, old);
}

HRESULT FakeFilter::GetOutputCompatibilityIndex(BOOL* old) {
  return getter(L"GetOutputCompatibilityIndex", old, oldIndex);
}

HRESULT FakeFilter::put_Mode(InterleavingMode mode) { return setter(L"put_Mode", interleaving, mode); }

HRESULT FakeFilter::get_Mode(InterleavingMode* mode) { return getter(L"get_Mode", mode, interleaving); }

HRESULT FakeFilter::GetPages(CAUUID* pages) {
  HRESULT hr = record(L"GetPages");
  return hr != S_OK ? hr : emptyPages(pages);
}

// ---- FakePin ----

FakePin::FakePin(ComKit& kit, std::wstring name, FakeFilter* owner, PIN_DIRECTION direction)
    : FakeCom(kit, std::move(name)), owner_(owner), direction_(direction) {
  for (const IID* iid :
       {&IID_IKsPropertySet, &IID_IAMStreamConfig, &IID_IAMBufferNegotiation, &IID_ISpecifyPropertyPages})
    withhold(*iid);
}

FakePin::~FakePin() = default;

void FakePin::connect(FakePin* other) {
  peer_ = other;
  if (other) other->peer_ = this;
}

bool FakePin::dropPeer() {
  bool had = peer_ != nullptr;
  peer_ = nullptr;
  return had;
}

HRESULT FakePin::Disconnect() {
  HRESULT hr = record(L"Disconnect");
  if (hr != S_OK) return hr;
  return dropPeer() ? S_OK : S_FALSE;
}

HRESULT FakePin::ConnectedTo(IPin** result) {
  if (result) *result = nullptr;
  HRESULT hr = record(L"ConnectedTo");
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  if (!peer_) return VFW_E_NOT_CONNECTED;
  peer_->AddRef();
  *result = peer_;
  return S_OK;
}

HRESULT FakePin::QueryPinInfo(PIN_INFO* info) {
  HRESULT hr = record(L"QueryPinInfo");
  if (hr != S_OK) return hr;
  if (!info) return E_POINTER;
  info->pFilter = owner_;
  if (owner_) owner_->AddRef();
  info->dir = direction_;
  const std::wstring shortName = name().substr(name().rfind(L'.') + 1);
  wcsncpy(info->achName, shortName.c_str(), MAX_PIN_NAME - 1);
  info->achName[MAX_PIN_NAME - 1] = L'\0';
  return S_OK;
}

HRESULT FakePin::QueryDirection(PIN_DIRECTION* direction) { return getter(L"QueryDirection", direction, direction_); }

HRESULT FakePin::Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD dataSize, DWORD* returned) {
  HRESULT hr = record(L"Get", {kit().guidName(set), num(id), num(dataSize)});
  if (hr != S_OK) return hr;
  if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (!data) return E_POINTER;
  if (dataSize < sizeof(GUID)) return E_UNEXPECTED;
  std::memcpy(data, &category, sizeof(GUID));
  if (returned) *returned = sizeof(GUID);
  return S_OK;
}

void FakePin::setFormat(const AM_MEDIA_TYPE& type) {
  format = type;
  formatBlock.assign(type.pbFormat, type.pbFormat + (type.pbFormat ? type.cbFormat : 0));
  format.pbFormat = formatBlock.empty() ? nullptr : formatBlock.data();
  format.cbFormat = static_cast<ULONG>(formatBlock.size());
  format.pUnk = nullptr;
}

HRESULT FakePin::SetFormat(AM_MEDIA_TYPE* type) {
  HRESULT hr = type ? record(L"SetFormat", {kit().guidName(type->majortype), kit().guidName(type->subtype),
                                            kit().guidName(type->formattype), num(type->cbFormat)})
                    : record(L"SetFormat", {L"null"});
  if (hr != S_OK) return hr;
  if (!type) return E_POINTER;
  setFormat(*type);
  return S_OK;
}

HRESULT FakePin::GetFormat(AM_MEDIA_TYPE** type) {
  if (type) *type = nullptr;
  HRESULT hr = record(L"GetFormat");
  if (hr != S_OK) return hr;
  if (!type) return E_POINTER;
  auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  *copy = format;
  copy->pUnk = nullptr;
  copy->pbFormat = nullptr;
  if (!formatBlock.empty()) {
    copy->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(formatBlock.size()));
    std::memcpy(copy->pbFormat, formatBlock.data(), formatBlock.size());
  }
  *type = copy;
  return S_OK;
}

HRESULT FakePin::SuggestAllocatorProperties(const ALLOCATOR_PROPERTIES* properties) {
  HRESULT hr = properties ? record(L"SuggestAllocatorProperties", {num(properties->cBuffers), num(properties->cbBuffer),
                                                                   num(properties->cbAlign), num(properties->cbPrefix)})
                          : record(L"SuggestAllocatorProperties", {L"null"});
  if (hr != S_OK) return hr;
  if (!properties) return E_POINTER;
  allocator = *properties;
  return S_OK;
}

HRESULT FakePin::GetAllocatorProperties(ALLOCATOR_PROPERTIES* properties) {
  return getter(L"GetAllocatorProperties", properties, allocator);
}

HRESULT FakePin::GetPages(CAUUID* pages) {
  HRESULT hr = record(L"GetPages");
  return hr != S_OK ? hr : emptyPages(pages);
}

AM_MEDIA_TYPE videoFormat(long width, long height, REFERENCE_TIME frameTime, std::vector<BYTE>& block) {
  VIDEOINFOHEADER info{};
  info.AvgTimePerFrame = frameTime;
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 3);
  block.assign(reinterpret_cast<const BYTE*>(&info), reinterpret_cast<const BYTE*>(&info) + sizeof(info));
  AM_MEDIA_TYPE type{};
  type.majortype = MEDIATYPE_Video;
  type.subtype = MEDIASUBTYPE_RGB24;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = info.bmiHeader.biSizeImage;
  type.formattype = FORMAT_VideoInfo;
  type.cbFormat = static_cast<ULONG>(block.size());
  type.pbFormat = block.data();
  return type;
}

}  // namespace fakes
