#include "com_kit.h"

#include <dshow.h>
#include <ocidl.h>

#include <cwchar>

namespace fakes {

// ---- FakeObject ----

ULONG FakeObject::release() {
  if (refs_ <= 0) {
    overReleased_ = true;
    return 0;
  }
  if (--refs_ == 0) onFinalRelease();
  return static_cast<ULONG>(refs_);
}

HRESULT FakeObject::record(const std::wstring& method, std::initializer_list<std::wstring> args) {
  std::wstring entry = name_ + L"." + method + L"(";
  bool first = true;
  for (const std::wstring& arg : args) {
    if (!first) entry += L", ";
    entry += arg;
    first = false;
  }
  entry += L")";
  return kit_.record(std::move(entry));
}

HRESULT FakeObject::notImplemented(const wchar_t* method) {
  HRESULT hr = record(method);
  return hr == S_OK ? E_NOTIMPL : hr;
}

std::wstring FakeObject::key(REFIID iid) {
  wchar_t buffer[64];
  StringFromGUID2(iid, buffer, 64);
  return buffer;
}

// ---- ComKit ----

std::vector<std::wstring> ComKit::calls(const std::wstring& prefix) const {
  std::vector<std::wstring> result;
  for (const std::wstring& entry : log)
    if (entry.compare(0, prefix.size(), prefix) == 0) result.push_back(entry);
  return result;
}

std::vector<std::wstring> ComKit::callsWithoutQueries() const {
  std::vector<std::wstring> result;
  for (const std::wstring& entry : log)
    if (entry.find(L".QueryInterface(") == std::wstring::npos) result.push_back(entry);
  return result;
}

void ComKit::fail(std::wstring prefix, HRESULT hr, int times) {
  rules_.push_back({std::move(prefix), hr, times});
}

HRESULT ComKit::record(std::wstring entry) {
  HRESULT hr = S_OK;
  for (auto it = rules_.begin(); it != rules_.end(); ++it) {
    if (entry.compare(0, it->prefix.size(), it->prefix) != 0) continue;
    hr = it->hr;
    if (it->times > 0 && --it->times == 0) rules_.erase(it);
    break;
  }
  log.push_back(std::move(entry));
  return hr;
}

FakeObject* ComKit::objectOf(const void* pointer) const {
  if (!pointer) return nullptr;
  for (const auto& object : objects_)
    if (object->holds(pointer)) return object.get();
  return nullptr;
}

std::wstring ComKit::nameOf(const void* pointer) const {
  if (!pointer) return L"null";
  FakeObject* object = objectOf(pointer);
  return object ? object->name() : L"foreign";
}

namespace {

struct KnownGuid {
  const GUID* guid;
  const wchar_t* name;
};

#define KNOWN(g) {&g, L"" #g}
const KnownGuid kKnownGuids[] = {
    KNOWN(IID_IUnknown), KNOWN(IID_IDispatch), KNOWN(IID_IPersist), KNOWN(IID_IPersistStream),
    KNOWN(IID_ICreateDevEnum), KNOWN(IID_IEnumMoniker), KNOWN(IID_IMoniker), KNOWN(IID_IPropertyBag),
    KNOWN(IID_IBaseFilter), KNOWN(IID_IMediaFilter), KNOWN(IID_IEnumPins), KNOWN(IID_IEnumFilters),
    KNOWN(IID_IPin), KNOWN(IID_IKsPropertySet), KNOWN(IID_IAMStreamConfig), KNOWN(IID_IAMBufferNegotiation),
    KNOWN(IID_IAMVideoProcAmp), KNOWN(IID_IAMVfwCaptureDialogs), KNOWN(IID_IAMVfwCompressDialogs),
    KNOWN(IID_ISpecifyPropertyPages), KNOWN(IID_ICaptureGraphBuilder2), KNOWN(IID_IGraphBuilder),
    KNOWN(IID_IFilterGraph), KNOWN(IID_IMediaControl), KNOWN(IID_IMediaEvent), KNOWN(IID_IMediaEventEx),
    KNOWN(IID_IVideoWindow), KNOWN(IID_IConfigAviMux), KNOWN(IID_IConfigInterleaving),
    KNOWN(IID_IFileSinkFilter), KNOWN(IID_IAMTVTuner), KNOWN(IID_IAMCrossbar),
    KNOWN(CLSID_SystemDeviceEnum), KNOWN(CLSID_FilterGraph), KNOWN(CLSID_CaptureGraphBuilder2),
    KNOWN(CLSID_VideoInputDeviceCategory), KNOWN(CLSID_AudioInputDeviceCategory),
    KNOWN(CLSID_VideoCompressorCategory),
    KNOWN(PIN_CATEGORY_PREVIEW), KNOWN(PIN_CATEGORY_CAPTURE), KNOWN(AMPROPSETID_Pin),
    KNOWN(MEDIATYPE_Video), KNOWN(MEDIATYPE_Audio), KNOWN(MEDIATYPE_Interleaved), KNOWN(MEDIATYPE_Stream),
    KNOWN(MEDIASUBTYPE_Avi), KNOWN(MEDIASUBTYPE_RGB24), KNOWN(MEDIASUBTYPE_YUY2), KNOWN(MEDIASUBTYPE_PCM),
    KNOWN(FORMAT_VideoInfo), KNOWN(FORMAT_WaveFormatEx),
};
#undef KNOWN

}  // namespace

std::wstring ComKit::guidName(const GUID* guid) const {
  if (!guid) return L"null";
  for (const auto& named : guidNames_)
    if (named.first == *guid) return named.second;
  for (const KnownGuid& known : kKnownGuids)
    if (*known.guid == *guid) return known.name;
  wchar_t buffer[64];
  StringFromGUID2(*guid, buffer, 64);
  return buffer;
}

std::vector<std::wstring> ComKit::leaks() const {
  std::vector<std::wstring> result;
  for (const auto& object : objects_) {
    if (object->refs() != 0)
      result.push_back(object->name() + L" still holds " + std::to_wstring(object->refs()) + L" reference(s)");
    if (object->overReleased()) result.push_back(object->name() + L" was released more often than referenced");
  }
  return result;
}

// ---- argument texts ----

std::wstring num(long long value) { return std::to_wstring(value); }

std::wstring text(const wchar_t* value) { return value ? L"\"" + std::wstring(value) + L"\"" : L"null"; }

std::wstring refTime(const LONGLONG* value) { return value ? L"&" + std::to_wstring(*value) : L"null"; }

std::wstring out(const void* pointer) { return pointer ? L"out" : L"null"; }

}  // namespace fakes
