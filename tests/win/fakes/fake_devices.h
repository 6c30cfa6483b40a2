// The fake system device enumerator, its moniker enumerators, monikers and property bags.
// A category without devices answers CreateClassEnumerator with S_FALSE and no enumerator,
// as the system's does.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fake_com.h"
#include "fake_filter.h"

namespace fakes {

class FakePropertyBag : public FakeCom<IPropertyBag> {
 public:
  using FakeCom::FakeCom;
  std::map<std::wstring, std::wstring> values;  // read as VT_BSTR
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR property, VARIANT* value, IErrorLog* errors) override;
  FAKES_NOT_IMPLEMENTED(Write, (LPCOLESTR, VARIANT*))
};

class FakeMoniker : public FakeCom<IMoniker> {
 public:
  // bag and filter belong to the kit; filter may be null (a device that cannot be bound).
  FakeMoniker(ComKit& kit, std::wstring name, FakePropertyBag* bag, FakeFilter* filter)
      : FakeCom(kit, std::move(name)), bag(bag), filter(filter) {}
  FakePropertyBag* bag;
  FakeFilter* filter;

  // IPersist, IPersistStream
  FAKES_NOT_IMPLEMENTED(GetClassID, (CLSID*))
  FAKES_NOT_IMPLEMENTED(IsDirty, ())
  FAKES_NOT_IMPLEMENTED(Load, (IStream*))
  FAKES_NOT_IMPLEMENTED(Save, (IStream*, BOOL))
  FAKES_NOT_IMPLEMENTED(GetSizeMax, (ULARGE_INTEGER*))
  // IMoniker
  HRESULT STDMETHODCALLTYPE BindToObject(IBindCtx* context, IMoniker* left, REFIID iid, void** result) override;
  HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx* context, IMoniker* left, REFIID iid, void** result) override;
  FAKES_NOT_IMPLEMENTED(Reduce, (IBindCtx*, DWORD, IMoniker**, IMoniker**))
  FAKES_NOT_IMPLEMENTED(ComposeWith, (IMoniker*, BOOL, IMoniker**))
  FAKES_NOT_IMPLEMENTED(Enum, (BOOL, IEnumMoniker**))
  FAKES_NOT_IMPLEMENTED(IsEqual, (IMoniker*))
  FAKES_NOT_IMPLEMENTED(Hash, (DWORD*))
  FAKES_NOT_IMPLEMENTED(IsRunning, (IBindCtx*, IMoniker*, IMoniker*))
  FAKES_NOT_IMPLEMENTED(GetTimeOfLastChange, (IBindCtx*, IMoniker*, FILETIME*))
  FAKES_NOT_IMPLEMENTED(Inverse, (IMoniker**))
  FAKES_NOT_IMPLEMENTED(CommonPrefixWith, (IMoniker*, IMoniker**))
  FAKES_NOT_IMPLEMENTED(RelativePathTo, (IMoniker*, IMoniker**))
  FAKES_NOT_IMPLEMENTED(GetDisplayName, (IBindCtx*, IMoniker*, LPOLESTR*))
  FAKES_NOT_IMPLEMENTED(ParseDisplayName, (IBindCtx*, IMoniker*, LPOLESTR, ULONG*, IMoniker**))
  FAKES_NOT_IMPLEMENTED(IsSystemMoniker, (DWORD*))
};

class FakeDeviceEnum : public FakeCom<ICreateDevEnum> {
 public:
  using FakeCom::FakeCom;

  // Adds a device to a category, in enumeration order: a moniker "<id>.moniker" whose property
  // bag "<id>.bag" holds FriendlyName and CLSID, bound to filter (which may be null).
  FakeMoniker* addDevice(REFCLSID category, const std::wstring& id, const std::wstring& friendlyName,
                         FakeFilter* filter, const std::wstring& clsid = L"{17CCA71B-ECD7-11D0-B908-00A0C9223196}");
  std::vector<FakeMoniker*> devices(REFCLSID category) const;

  HRESULT STDMETHODCALLTYPE CreateClassEnumerator(REFCLSID category, IEnumMoniker** result, DWORD flags) override;

 private:
  std::vector<std::pair<CLSID, FakeMoniker*>> devices_;
};

// A video capture device listed by devices: its filter "<id>" answers IAMVideoProcAmp (WDM),
// IAMVfwCaptureDialogs (VfW) or both, with an input pin, a preview pin and a capture pin in that
// order; both output pins answer the pin category and stream configuration, the capture pin also
// buffer negotiation and property pages; its format is 640 x 480 at 333667 (100 ns).
struct VideoDevice {
  FakeFilter* filter = nullptr;
  FakePin* capture = nullptr;
  FakeMoniker* moniker = nullptr;
};
VideoDevice addVideoDevice(FakeDeviceEnum& devices, const std::wstring& id, const std::wstring& friendlyName, bool wdm,
                           bool vfw);

// An audio input device listed by devices: its one output pin "capture" is of the capture
// category and has a stream configuration answering 44,100 Hz 16-bit stereo PCM.
struct AudioDevice {
  FakeFilter* filter = nullptr;
  FakePin* capture = nullptr;
};
AudioDevice addAudioDevice(FakeDeviceEnum& devices, const std::wstring& id);

}  // namespace fakes
