#include "ole_container.h"

#include <ocidl.h>

#include "guard.h"
#include "window_object.h"

namespace winui {

namespace {

// An IDispatch without type information.
struct PlainDispatch : IDispatch {
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
};

// The event sink: an object of its own, living and counted with the site, because the control
// asks the site's IDispatch for its ambient properties and those asks are no events.
class EventSink : public PlainDispatch {
 public:
  EventSink(IUnknown& site, REFIID eventsIid, OleContainer::EventHandler onEvent)
      : site_(site), eventsIid_(eventsIid), onEvent_(std::move(onEvent)) {}
  void detach() { detached_ = true; }
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IDispatch || iid == eventsIid_ ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return site_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return site_.Release(); }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    if (detached_ || !onEvent_ || !params) return S_OK;
    guardedCall([&] { onEvent_(id, params); });
    return S_OK;
  }

 private:
  IUnknown& site_;
  IID eventsIid_;
  OleContainer::EventHandler onEvent_;
  bool detached_ = false;
};

}  // namespace

// One object for every site interface the control asks of its container, its IDispatch giving
// the ambient properties, with the event sink inside. The container holds one reference; the
// control holds its own, and may keep it past the container: once detached, every call that
// would reach the container fails.
class OleContainer::Site : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame,
                           public PlainDispatch {
 public:
  Site(OleContainer& owner, REFIID eventsIid, EventHandler onEvent)
      : owner_(owner), sink_(*static_cast<IOleClientSite*>(this), eventsIid, std::move(onEvent)) {}
  void detach() {
    detached_ = true;
    sink_.detach();
  }
  IDispatch* sink() { return &sink_; }
  IOleInPlaceActiveObject* active() const { return active_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) *out = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return detached_ ? E_UNEXPECTED : S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the in-place site and the frame: both are our host window)
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = detached_ ? nullptr : owner_.host_;
    return *window ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return detached_ ? S_FALSE : S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return detached_ ? E_UNEXPECTED : S_OK; }
  STDMETHODIMP OnUIActivate() override { return detached_ ? E_UNEXPECTED : S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = nullptr;
    *document = nullptr;
    if (detached_) return E_UNEXPECTED;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    GetClientRect(owner_.host_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(owner_.host_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    setActive(nullptr);
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus or tool space of the control's.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
    if (detached_ && object) return E_UNEXPECTED;  // a reference kept now would never be let go
    setActive(object);
    return S_OK;
  }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: no ambient property is set, so the control keeps its defaults for every one.
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  virtual ~Site() { setActive(nullptr); }
  void setActive(IOleInPlaceActiveObject* object) {
    if (object) object->AddRef();
    if (active_) active_->Release();
    active_ = object;
  }

  OleContainer& owner_;
  EventSink sink_;
  IOleInPlaceActiveObject* active_ = nullptr;
  LONG refs_ = 1;
  bool detached_ = false;
};

OleContainer::OleContainer(HWND parent, RECT b, REFCLSID clsid, REFIID eventsIid, EventHandler onEvent) {
  oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
  static const wchar_t kClass[] = L"TavoraOleHost";
  static bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &OleContainer::hostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  host_ = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, b.left, b.top, b.right, b.bottom,
                          parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!host_) return;
  site_ = new Site(*this, eventsIid, std::move(onEvent));

  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(&object_))))
    return;
  object_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&control_));
  object_->SetClientSite(static_cast<IOleClientSite*>(site_));
  RECT area;
  GetClientRect(host_, &area);
  object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, host_, &area);

  IConnectionPointContainer* points = nullptr;
  if (SUCCEEDED(object_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
    if (SUCCEEDED(points->FindConnectionPoint(eventsIid, &point_)) &&
        FAILED(point_->Advise(site_->sink(), &cookie_)))
      cookie_ = 0;
    points->Release();
  }
}

OleContainer::~OleContainer() {
  if (site_) site_->detach();
  if (point_) {
    if (cookie_) point_->Unadvise(cookie_);
    point_->Release();
  }
  if (object_) {
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
      inPlace->InPlaceDeactivate();
      inPlace->Release();
    }
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_->Release();
  }
  if (control_) control_->Release();
  if (site_) site_->Release();
  if (host_) {
    SetWindowLongPtrW(host_, GWLP_USERDATA, 0);
    DestroyWindow(host_);
  }
  if (oleStarted_) OleUninitialize();
}

void OleContainer::setBounds(RECT b) {
  if (host_) MoveWindow(host_, b.left, b.top, b.right, b.bottom, TRUE);
}

void OleContainer::resizeControl() {
  if (!object_) return;
  IOleInPlaceObject* inPlace = nullptr;
  if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
    RECT area;
    GetClientRect(host_, &area);
    inPlace->SetObjectRects(&area, &area);
    inPlace->Release();
  }
}

bool OleContainer::translateKey(MSG& msg) {
  if (!site_ || !site_->active() || !host_) return false;
  if (msg.hwnd != host_ && !IsChild(host_, msg.hwnd)) return false;
  return site_->active()->TranslateAccelerator(&msg) == S_OK;
}

LRESULT CALLBACK OleContainer::hostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  OleContainer* self = windowObject<OleContainer>(window, msg, lParam);
  if (self && msg == WM_SIZE) {
    if (self->host_ == window) self->resizeControl();
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace winui
