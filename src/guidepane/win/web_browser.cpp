#include "web_browser.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtml.h>
#include <wrl/client.h>

#include "html_dom.h"
#include "winui/ole_container.h"
#include "winui/text.h"

using Microsoft::WRL::ComPtr;

namespace guide {

std::string variantToText(const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  std::string out;
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR)) && text.bstrVal)
    out = winui::narrow(std::wstring_view(text.bstrVal, SysStringLen(text.bstrVal)));
  VariantClear(&text);
  return out;
}

namespace {

// An event argument passed by reference as a variant (the URL), or by value.
const VARIANT& deref(const VARIANTARG& arg) {
  if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal) return *arg.pvarVal;
  return arg;
}

long longOf(const VARIANTARG& arg) {
  VARIANT v;
  VariantInit(&v);
  long out = 0;
  if (SUCCEEDED(VariantChangeType(&v, const_cast<VARIANT*>(&deref(arg)), 0, VT_I4))) out = v.lVal;
  VariantClear(&v);
  return out;
}

bool sameObject(IUnknown* a, IUnknown* b) {
  if (!a || !b) return false;
  ComPtr<IUnknown> ua, ub;
  a->QueryInterface(IID_PPV_ARGS(&ua));
  b->QueryInterface(IID_PPV_ARGS(&ub));
  return ua && ua.Get() == ub.Get();
}

class WebBrowser : public Browser {
 public:
  WebBrowser(HWND parent, BrowserEvents events)
      : events_(std::move(events)),
        container_(parent, RECT{0, 0, 100, 100}, CLSID_WebBrowser, DIID_DWebBrowserEvents2,
                   [this](DISPID id, DISPPARAMS* params) { onEvent(id, *params); }) {
    if (container_.control()) container_.control()->QueryInterface(IID_PPV_ARGS(&web_));
  }

  void Navigate2(const std::string& url) override {
    if (!web_) return;
    VARIANT address, none;
    VariantInit(&address);
    VariantInit(&none);
    const std::wstring wide = winui::widen(url);
    address.vt = VT_BSTR;
    address.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    web_->Navigate2(&address, &none, &none, &none, &none);
    VariantClear(&address);
  }
  void GoBack() override {
    if (web_) web_->GoBack();
  }
  void GoForward() override {
    if (web_) web_->GoForward();
  }
  void Refresh() override {
    if (web_) web_->Refresh();
  }
  void Stop() override {
    if (web_) web_->Stop();
  }
  void ExecWB(int command, int option, int input) override {
    if (!web_) return;
    VARIANT in;
    VariantInit(&in);
    in.vt = VT_I4;
    in.lVal = input;
    web_->ExecWB(static_cast<OLECMDID>(command), static_cast<OLECMDEXECOPT>(option), &in, nullptr);
  }
  std::unique_ptr<DomDocument> Document() const override {
    if (!web_) return nullptr;
    ComPtr<IDispatch> document;
    ComPtr<IHTMLDocument2> html;
    if (FAILED(web_->get_Document(&document)) || !document || FAILED(document.As(&html))) return nullptr;
    return wrapHtmlDocument(html.Get(), LocationURL());
  }
  std::string LocationName() const override { return property(&IWebBrowser2::get_LocationName); }
  std::string LocationURL() const override { return property(&IWebBrowser2::get_LocationURL); }
  void setBounds(const RECT& bounds) override { container_.setBounds(bounds); }
  bool translateKey(MSG& msg) override { return container_.translateKey(msg); }

  bool created() const { return web_ != nullptr; }

 private:
  std::string property(HRESULT (STDMETHODCALLTYPE IWebBrowser2::*get)(BSTR*)) const {
    if (!web_) return {};
    BSTR text = nullptr;
    std::string out;
    if (SUCCEEDED((web_.Get()->*get)(&text)) && text) out = winui::narrow(std::wstring_view(text, SysStringLen(text)));
    SysFreeString(text);
    return out;
  }

  // Arguments arrive last first: rgvarg[0] is the event's last parameter.
  void onEvent(DISPID id, DISPPARAMS& p) {
    switch (id) {
      case DISPID_BEFORENAVIGATE2:
        if (p.cArgs == 7 && events_.beforeNavigate2 && p.rgvarg[0].vt == (VT_BYREF | VT_BOOL)) {
          bool cancel = *p.rgvarg[0].pboolVal != VARIANT_FALSE;
          events_.beforeNavigate2(variantToText(deref(p.rgvarg[5])), cancel);
          *p.rgvarg[0].pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        }
        break;
      case DISPID_DOCUMENTCOMPLETE:
        if (p.cArgs == 2 && events_.documentComplete) {
          IUnknown* frame = p.rgvarg[1].vt == VT_DISPATCH ? p.rgvarg[1].pdispVal : nullptr;
          events_.documentComplete(variantToText(deref(p.rgvarg[0])), sameObject(frame, web_.Get()));
        }
        break;
      case DISPID_PROGRESSCHANGE:
        if (p.cArgs == 2 && events_.progressChange) events_.progressChange(longOf(p.rgvarg[1]), longOf(p.rgvarg[0]));
        break;
    }
  }

  BrowserEvents events_;
  winui::OleContainer container_;
  ComPtr<IWebBrowser2> web_;
};

}  // namespace

std::unique_ptr<Browser> makeWebBrowser(HWND parent, BrowserEvents events) {
  return std::make_unique<WebBrowser>(parent, std::move(events));
}

}  // namespace guide
