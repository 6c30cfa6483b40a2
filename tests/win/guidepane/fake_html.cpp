// The browser's document object model faked over the fake page's nodes, read through the
// product's document adapter: the document, its elements (links among them) and their
// collections, each answering only the calls the adapter makes. Built on the interfaces' C
// vtables, so that a method the adapter does not call needs no body of its own.
#define CINTERFACE
#include <mshtml.h>

#include <string>
#include <vector>

#include "fake_browser.h"
#include "winui/text.h"

namespace guide {
// The adapter's entry (html_dom.h, which declares it with the C++ interfaces).
std::unique_ptr<DomDocument> wrapHtmlDocument(IHTMLDocument2* document, std::string locationUrl);
}  // namespace guide

namespace {

enum Kind { document, element, collection, anchor };
const IID* const kIids[] = {&IID_IHTMLDocument2, &IID_IHTMLElement, &IID_IHTMLElementCollection, &IID_IHTMLAnchorElement};
int g_live = 0;

struct Fake {
  const void* vtable;
  Kind kind;
  Node node;                // the element, or the document's root
  std::vector<Node> items;  // a collection's elements
  LONG refs = 1;
};
Fake* make(Kind kind, Node node, std::vector<Node> items = {});

void below(const Node& node, std::vector<Node>& out) {
  for (const Node& child : node->children) {
    out.push_back(child);
    below(child, out);
  }
}
std::string textOf(const Node& node) {
  std::string text;
  for (const Node& child : node->children) text += textOf(child);
  return text + node->text;
}
HRESULT give(const std::string& text, BSTR* out) {
  return *out = SysAllocString(winui::widen(text).c_str()), S_OK;
}

HRESULT STDMETHODCALLTYPE notImplemented() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE query(Fake* me, REFIID iid, void** out) {
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == *kIids[me->kind]) {
    ++me->refs;
    *out = me;
  } else if (iid == IID_IHTMLAnchorElement && me->kind == element && me->node->tag == "A") {
    *out = make(anchor, me->node);
  }
  return *out ? S_OK : E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE addRef(Fake* me) { return ++me->refs; }
ULONG STDMETHODCALLTYPE release(Fake* me) {
  const LONG left = --me->refs;
  if (left == 0) --g_live, delete me;
  return left;
}
HRESULT STDMETHODCALLTYPE all(Fake* me, Fake** out) {
  std::vector<Node> nodes;
  below(me->node, nodes);
  *out = make(collection, me->node, nodes);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE innerText(Fake* me, BSTR* out) { return give(textOf(me->node), out); }
HRESULT STDMETHODCALLTYPE href(Fake* me, BSTR* out) {
  return *out = SysAllocString(me->node->wideHref.empty() ? winui::widen(me->node->href).c_str() : me->node->wideHref.c_str()), S_OK;
}
HRESULT STDMETHODCALLTYPE putHref(Fake* me, BSTR value) { return me->node->wideHref = value, S_OK; }
HRESULT STDMETHODCALLTYPE offsetLeft(Fake* me, long* out) { return *out = me->node->left, S_OK; }
HRESULT STDMETHODCALLTYPE length(Fake* me, long* out) { return *out = static_cast<long>(me->items.size()), S_OK; }
HRESULT STDMETHODCALLTYPE tags(Fake* me, VARIANT name, Fake** out) {
  std::vector<Node> found;
  for (const Node& n : me->items)
    if (name.vt == VT_BSTR && n->tag == winui::narrow(name.bstrVal)) found.push_back(n);
  *out = make(collection, me->node, found);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE item(Fake* me, VARIANT index, VARIANT, Fake** out) {
  const bool inside = index.vt == VT_I4 && index.lVal >= 0 && static_cast<size_t>(index.lVal) < me->items.size();
  *out = inside ? make(element, me->items[index.lVal]) : nullptr;
  return inside ? S_OK : E_INVALIDARG;
}

template <class Field, class Function>
void set(Field& field, Function* function) {
  field = reinterpret_cast<Field>(function);
}
template <class Vtbl>
Vtbl stubbed() {
  Vtbl v;
  void** slots = reinterpret_cast<void**>(&v);
  for (size_t i = 0; i < sizeof v / sizeof *slots; ++i) slots[i] = reinterpret_cast<void*>(&notImplemented);
  set(v.QueryInterface, &query);
  set(v.AddRef, &addRef);
  set(v.Release, &release);
  return v;
}
struct Vtables {
  IHTMLDocument2Vtbl document = stubbed<IHTMLDocument2Vtbl>();
  IHTMLElementVtbl element = stubbed<IHTMLElementVtbl>();
  IHTMLElementCollectionVtbl collection = stubbed<IHTMLElementCollectionVtbl>();
  IHTMLAnchorElementVtbl anchor = stubbed<IHTMLAnchorElementVtbl>();
  Vtables() {
    set(document.get_all, &all);
    set(document.get_links, &all);  // the adapter writes links only to anchors
    set(element.get_all, &all);
    set(element.get_innerText, &innerText);
    set(element.get_offsetLeft, &offsetLeft);
    set(collection.tags, &tags);
    set(collection.get_length, &length);
    set(collection.item, &item);
    set(anchor.get_href, &href);
    set(anchor.put_href, &putHref);
  }
};

Fake* make(Kind kind, Node node, std::vector<Node> items) {
  static const Vtables v;
  const void* vtables[] = {&v.document, &v.element, &v.collection, &v.anchor};
  ++g_live;
  return new Fake{vtables[kind], kind, std::move(node), std::move(items)};
}

}  // namespace

std::unique_ptr<guide::DomDocument> htmlDocumentOver(const Node& root, const std::string& url) {
  Fake* fake = make(document, root);
  auto wrapped = guide::wrapHtmlDocument(reinterpret_cast<IHTMLDocument2*>(fake), url);
  release(fake);
  return wrapped;
}

int liveHtmlFakes() { return g_live; }
