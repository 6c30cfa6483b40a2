// Fake filters and pins. A filter answers IBaseFilter and, when a test offers them, the
// interfaces of a capture device (IAMVideoProcAmp, IAMVfwCaptureDialogs), of an AVI
// multiplexer (IConfigAviMux, IConfigInterleaving) and ISpecifyPropertyPages. A pin answers
// IPin and, when offered, IKsPropertySet (its category), IAMStreamConfig,
// IAMBufferNegotiation and ISpecifyPropertyPages.
#pragma once

#include <map>
#include <vector>

#include "fake_com.h"

namespace fakes {

class FakePin;

class FakeFilter : public FakeCom<IBaseFilter, IAMVideoProcAmp, IAMVfwCaptureDialogs, IConfigAviMux,
                                  IConfigInterleaving, ISpecifyPropertyPages> {
 public:
  // Answers only IBaseFilter until the test offers more.
  FakeFilter(ComKit& kit, std::wstring name);

  // QueryInterface for iid answers other's interface (an interface whose methods clash with
  // one of this class, such as IAMVfwCompressDialogs).
  void delegate(REFIID iid, FakeObject* other) { delegates_.emplace_back(iid, other); }
  HRESULT queryQuietly(REFIID iid, void** result) override;

  // Adds a pin named "<filter>.<pin>".
  FakePin* addPin(const std::wstring& pinName, PIN_DIRECTION direction);
  const std::vector<FakePin*>& pins() const { return pins_; }
  IBaseFilter* filter() { return this; }

  std::wstring friendlyName;      // QueryFilterInfo's name (the fake's name when empty)
  CLSID classId = GUID_NULL;      // GetClassID
  IFilterGraph* graph = nullptr;  // set by the fake graph's AddFilter, not referenced
  std::map<long, long> procAmp;   // IAMVideoProcAmp values by property
  std::vector<int> dialogs{VfwCaptureDialog_Source, VfwCaptureDialog_Format, VfwCaptureDialog_Display};
  long masterStream = -2;  // IConfigAviMux
  BOOL oldIndex = FALSE;
  InterleavingMode interleaving = INTERLEAVE_NONE;

  // IPersist, IMediaFilter
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
  FAKES_NOT_IMPLEMENTED(GetState, (DWORD, FILTER_STATE*))
  FAKES_NOT_IMPLEMENTED(SetSyncSource, (IReferenceClock*))
  FAKES_NOT_IMPLEMENTED(GetSyncSource, (IReferenceClock**))
  // IBaseFilter
  HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** result) override;
  HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** result) override;
  HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  FAKES_NOT_IMPLEMENTED(QueryVendorInfo, (LPWSTR*))
  // IAMVideoProcAmp
  HRESULT STDMETHODCALLTYPE GetRange(long property, long* min, long* max, long* step, long* defaultValue,
                                     long* flags) override;
  HRESULT STDMETHODCALLTYPE Set(long property, long value, long flags) override;
  HRESULT STDMETHODCALLTYPE Get(long property, long* value, long* flags) override;
  // IAMVfwCaptureDialogs
  HRESULT STDMETHODCALLTYPE HasDialog(int dialog) override;
  HRESULT STDMETHODCALLTYPE ShowDialog(int dialog, HWND owner) override;
  FAKES_NOT_IMPLEMENTED(SendDriverMessage, (int, int, long, long))
  // IConfigAviMux
  HRESULT STDMETHODCALLTYPE SetMasterStream(long stream) override;
  HRESULT STDMETHODCALLTYPE GetMasterStream(long* stream) override;
  HRESULT STDMETHODCALLTYPE SetOutputCompatibilityIndex(BOOL old) override;
  HRESULT STDMETHODCALLTYPE GetOutputCompatibilityIndex(BOOL* old) override;
  // IConfigInterleaving
  HRESULT STDMETHODCALLTYPE put_Mode(InterleavingMode mode) override;
  HRESULT STDMETHODCALLTYPE get_Mode(InterleavingMode* mode) override;
  FAKES_NOT_IMPLEMENTED(put_Interleaving, (const REFERENCE_TIME*, const REFERENCE_TIME*))
  FAKES_NOT_IMPLEMENTED(get_Interleaving, (REFERENCE_TIME*, REFERENCE_TIME*))
  // ISpecifyPropertyPages: an empty page list
  HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

 private:
  std::vector<FakePin*> pins_;
  std::vector<std::pair<IID, FakeObject*>> delegates_;
};

class FakePin : public FakeCom<IPin, IKsPropertySet, IAMStreamConfig, IAMBufferNegotiation, ISpecifyPropertyPages> {
 public:
  // Answers only IPin until the test offers more.
  FakePin(ComKit& kit, std::wstring name, FakeFilter* owner, PIN_DIRECTION direction);
  ~FakePin() override;

  // Connects this pin and other both ways (wiring a test's graph; not logged).
  void connect(FakePin* other);
  FakePin* peer() const { return peer_; }
  // Forgets the peer on this side only (the graph's Disconnect); false when there was none.
  bool dropPeer();
  FakeFilter* owner() const { return owner_; }
  PIN_DIRECTION direction() const { return direction_; }
  IPin* pin() { return this; }

  GUID category = GUID_NULL;                        // answered by IKsPropertySet for AMPROPSETID_Pin
  ALLOCATOR_PROPERTIES allocator{4, 614400, 1, 0};  // IAMBufferNegotiation
  // IAMStreamConfig: the current format (its block in formatBlock).
  void setFormat(const AM_MEDIA_TYPE& type);
  AM_MEDIA_TYPE format{};
  std::vector<BYTE> formatBlock;

  // IPin
  FAKES_NOT_IMPLEMENTED(Connect, (IPin*, const AM_MEDIA_TYPE*))
  FAKES_NOT_IMPLEMENTED(ReceiveConnection, (IPin*, const AM_MEDIA_TYPE*))
  HRESULT STDMETHODCALLTYPE Disconnect() override;
  HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** result) override;
  FAKES_NOT_IMPLEMENTED(ConnectionMediaType, (AM_MEDIA_TYPE*))
  HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
  HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
  FAKES_NOT_IMPLEMENTED(QueryId, (LPWSTR*))
  FAKES_NOT_IMPLEMENTED(QueryAccept, (const AM_MEDIA_TYPE*))
  FAKES_NOT_IMPLEMENTED(EnumMediaTypes, (IEnumMediaTypes**))
  FAKES_NOT_IMPLEMENTED(QueryInternalConnections, (IPin**, ULONG*))
  FAKES_NOT_IMPLEMENTED(EndOfStream, ())
  FAKES_NOT_IMPLEMENTED(BeginFlush, ())
  FAKES_NOT_IMPLEMENTED(EndFlush, ())
  FAKES_NOT_IMPLEMENTED(NewSegment, (REFERENCE_TIME, REFERENCE_TIME, double))
  // IKsPropertySet
  FAKES_NOT_IMPLEMENTED(Set, (REFGUID, DWORD, LPVOID, DWORD, LPVOID, DWORD))
  HRESULT STDMETHODCALLTYPE Get(REFGUID set, DWORD id, LPVOID instance, DWORD instanceSize, LPVOID data, DWORD dataSize,
                                DWORD* returned) override;
  FAKES_NOT_IMPLEMENTED(QuerySupported, (REFGUID, DWORD, DWORD*))
  // IAMStreamConfig
  HRESULT STDMETHODCALLTYPE SetFormat(AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE GetFormat(AM_MEDIA_TYPE** type) override;
  FAKES_NOT_IMPLEMENTED(GetNumberOfCapabilities, (int*, int*))
  FAKES_NOT_IMPLEMENTED(GetStreamCaps, (int, AM_MEDIA_TYPE**, BYTE*))
  // IAMBufferNegotiation
  HRESULT STDMETHODCALLTYPE SuggestAllocatorProperties(const ALLOCATOR_PROPERTIES* properties) override;
  HRESULT STDMETHODCALLTYPE GetAllocatorProperties(ALLOCATOR_PROPERTIES* properties) override;
  // ISpecifyPropertyPages: an empty page list
  HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

 private:
  FakeFilter* owner_;
  PIN_DIRECTION direction_;
  FakePin* peer_ = nullptr;
};

// An RGB24 video format of that size and frame time (100-ns units); block receives its VIDEOINFOHEADER.
AM_MEDIA_TYPE videoFormat(long width, long height, REFERENCE_TIME frameTime, std::vector<BYTE>& block);

}  // namespace fakes
