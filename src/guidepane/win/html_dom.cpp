#include "html_dom.h"

#include <wrl/client.h>

#include "winui/text.h"

using Microsoft::WRL::ComPtr;

namespace guide {

namespace {

// A BSTR received from a property, freed on every road.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text) : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(s_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR* out() { return &s_; }
  BSTR get() const { return s_; }
  std::wstring_view wide() const { return s_ ? std::wstring_view(s_, SysStringLen(s_)) : std::wstring_view(); }
  std::string text() const { return winui::narrow(wide()); }

 private:
  BSTR s_ = nullptr;
};

DomElements elementsOf(IDispatch* all, std::string_view name);

// An address with each character Shift-JIS lacks as its UTF-8 bytes, percent-encoded.
std::string addressText(std::wstring_view address) {
  std::string out, exact;
  if (winui::narrowExactly(address, out)) return out;
  out.clear();
  for (size_t i = 0; i < address.size(); ++i) {
    const size_t n = IS_HIGH_SURROGATE(address[i]) && i + 1 < address.size() && IS_LOW_SURROGATE(address[i + 1]) ? 2 : 1;
    const std::wstring_view c = address.substr(i, n);
    i += n - 1;
    if (winui::narrowExactly(c, exact)) {
      out += exact;
      continue;
    }
    char utf8[8];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, c.data(), static_cast<int>(n), utf8, sizeof utf8, nullptr, nullptr);
    for (int b = 0; b < bytes; ++b) {
      static const char hex[] = "0123456789ABCDEF";
      const unsigned char v = static_cast<unsigned char>(utf8[b]);
      out += {'%', hex[v >> 4], hex[v & 15]};
    }
  }
  return out;
}

class HtmlElement : public DomElement {
 public:
  explicit HtmlElement(ComPtr<IHTMLElement> element) : e_(std::move(element)) {}
  DomElements tags(std::string_view name) const override {
    ComPtr<IDispatch> all;
    if (FAILED(e_->get_all(&all)) || !all) return {};
    return elementsOf(all.Get(), name);
  }
  std::string innerText() const override {
    Bstr text;
    return SUCCEEDED(e_->get_innerText(text.out())) ? text.text() : std::string();
  }
  // Links (anchors and image-map areas) and images give their absolute addresses.
  std::string href() const override {
    Bstr text;
    return hrefInto(text) ? text.text() : std::string();
  }
  std::string exactHref() const override {
    Bstr text;
    return hrefInto(text) ? addressText(text.wide()) : std::string();
  }
  std::string outerHtml() const override {
    Bstr text;
    return SUCCEEDED(e_->get_outerHTML(text.out())) ? text.text() : std::string();
  }
  void setSrc(const std::string& value) override {
    ComPtr<IHTMLImgElement> image;
    if (SUCCEEDED(e_.As(&image))) {
      Bstr text(winui::widen(value));
      image->put_src(text.get());
    }
  }
  void setHref(const std::string& value) override {
    Bstr text(winui::widen(value));
    ComPtr<IHTMLAnchorElement> anchor;
    ComPtr<IHTMLAreaElement> area;
    if (SUCCEEDED(e_.As(&anchor)))
      anchor->put_href(text.get());
    else if (SUCCEEDED(e_.As(&area)))
      area->put_href(text.get());
  }
  long offsetLeft() const override {
    long left = 0;
    return SUCCEEDED(e_->get_offsetLeft(&left)) ? left : 0;
  }

 private:
  bool hrefInto(Bstr& text) const {
    ComPtr<IHTMLAnchorElement> anchor;
    ComPtr<IHTMLAreaElement> area;
    ComPtr<IHTMLImgElement> image;
    if (SUCCEEDED(e_.As(&anchor))) return SUCCEEDED(anchor->get_href(text.out()));
    if (SUCCEEDED(e_.As(&area))) return SUCCEEDED(area->get_href(text.out()));
    if (SUCCEEDED(e_.As(&image))) return SUCCEEDED(image->get_href(text.out()));
    return false;
  }

  ComPtr<IHTMLElement> e_;
};

DomElements itemsOf(IHTMLElementCollection* collection) {
  DomElements out;
  long length = 0;
  if (!collection || FAILED(collection->get_length(&length))) return out;
  for (long i = 0; i < length; ++i) {
    VARIANT index, none;
    VariantInit(&index);
    VariantInit(&none);
    index.vt = VT_I4;
    index.lVal = i;
    ComPtr<IDispatch> item;
    ComPtr<IHTMLElement> element;
    if (SUCCEEDED(collection->item(index, none, &item)) && item && SUCCEEDED(item.As(&element)))
      out.push_back(std::make_unique<HtmlElement>(element));
  }
  return out;
}

DomElements elementsOf(IDispatch* all, std::string_view name) {
  DomElements out;
  ComPtr<IHTMLElementCollection> collection;
  if (FAILED(all->QueryInterface(IID_PPV_ARGS(&collection)))) return out;
  Bstr tag(winui::widen(name));
  VARIANT byName;
  VariantInit(&byName);
  byName.vt = VT_BSTR;
  byName.bstrVal = tag.get();  // borrowed: freed by tag
  ComPtr<IDispatch> found;
  ComPtr<IHTMLElementCollection> tagged;
  if (FAILED(collection->tags(byName, &found)) || !found || FAILED(found.As(&tagged))) return out;
  return itemsOf(tagged.Get());
}

class HtmlDocument : public DomDocument {
 public:
  HtmlDocument(ComPtr<IHTMLDocument2> document, std::string url) : d_(std::move(document)), url_(std::move(url)) {}
  DomElements tags(std::string_view name) const override {
    ComPtr<IHTMLElementCollection> all;
    if (FAILED(d_->get_all(&all)) || !all) return {};
    return elementsOf(all.Get(), name);
  }
  std::string locationUrl() const override { return url_; }
  std::string title() const override {
    Bstr text;
    return SUCCEEDED(d_->get_title(text.out())) ? text.text() : std::string();
  }
  DomElements images() const override {
    ComPtr<IHTMLElementCollection> images;
    return SUCCEEDED(d_->get_images(&images)) ? itemsOf(images.Get()) : DomElements();
  }
  DomElements links() const override {
    ComPtr<IHTMLElementCollection> links;
    return SUCCEEDED(d_->get_links(&links)) ? itemsOf(links.Get()) : DomElements();
  }

 private:
  ComPtr<IHTMLDocument2> d_;
  std::string url_;
};

}  // namespace

std::unique_ptr<DomDocument> wrapHtmlDocument(IHTMLDocument2* document, std::string locationUrl) {
  if (!document) return nullptr;
  return std::make_unique<HtmlDocument>(ComPtr<IHTMLDocument2>(document), std::move(locationUrl));
}

}  // namespace guide
