#include "html_document.h"

#include <gumbo.h>
#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

#include "common/sj.h"

namespace {

bool isElement(const GumboNode* n, GumboTag tag) { return n->type == GUMBO_NODE_ELEMENT && n->v.element.tag == tag; }

// As browsers read a span: at least 1, at most limit (1000 columns, 65534 rows).
long spanOf(const GumboNode* cell, const char* name, long limit) {
  const GumboAttribute* a = gumbo_get_attribute(&cell->v.element.attributes, name);
  const long v = a ? std::strtol(a->value, nullptr, 10) : 1;
  return v < 1 ? 1 : std::min(v, limit);
}

void collect(const GumboNode* node, std::string_view name, guide::DomElements& out, const HtmlDocument& doc);

class HtmlElement : public guide::DomElement {
 public:
  HtmlElement(const GumboNode* node, const HtmlDocument& doc) : node_(node), doc_(doc) {}

  guide::DomElements tags(std::string_view name) const override {
    guide::DomElements out;
    const GumboVector& children = node_->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) collect(static_cast<const GumboNode*>(children.data[i]), name, out, doc_);
    return out;
  }
  std::string innerText() const override { return sj(text(node_)); }
  std::string href() const override {
    if (!isElement(node_, GUMBO_TAG_IMG)) return doc_.attribute(node_, "href");
    // An image's address, made absolute against the page's folder.
    const std::string src = doc_.attribute(node_, "src");
    if (src.find("://") != std::string::npos) return src;
    const std::string location = doc_.locationUrl();
    return location.substr(0, location.rfind('/') + 1) + src;
  }
  std::string outerHtml() const override { return doc_.outerHtmlFails ? "" : sj(doc_.serialize(node_)); }
  void setSrc(const std::string& value) override { doc_.setAttribute(node_, "src", value); }
  void setHref(const std::string& value) override { doc_.setAttribute(node_, "href", value); }
  long offsetLeft() const override { return doc_.columnOf(node_) * 100; }

 private:
  static std::string text(const GumboNode* n) {
    if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE) return n->v.text.text;
    if (n->type != GUMBO_NODE_ELEMENT) return {};
    if (n->v.element.tag == GUMBO_TAG_BR) return "\r\n";
    std::string s;
    const GumboVector& children = n->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) s += text(static_cast<const GumboNode*>(children.data[i]));
    return s;
  }

  const GumboNode* node_;
  const HtmlDocument& doc_;
};

void collect(const GumboNode* node, std::string_view name, guide::DomElements& out, const HtmlDocument& doc) {
  if (node->type != GUMBO_NODE_ELEMENT) return;
  const char* tag = gumbo_normalized_tagname(node->v.element.tag);
  if (strncasecmp(tag, name.data(), name.size()) == 0 && tag[name.size()] == '\0')
    out.push_back(std::make_unique<HtmlElement>(node, doc));
  const GumboVector& children = node->v.element.children;
  for (unsigned i = 0; i < children.length; ++i) collect(static_cast<const GumboNode*>(children.data[i]), name, out, doc);
}

// The rows of one table, not those of tables nested in it.
void rowsOf(const GumboNode* node, std::vector<const GumboNode*>& rows) {
  const GumboVector& children = node->v.element.children;
  for (unsigned i = 0; i < children.length; ++i) {
    const GumboNode* c = static_cast<const GumboNode*>(children.data[i]);
    if (c->type != GUMBO_NODE_ELEMENT || isElement(c, GUMBO_TAG_TABLE)) continue;
    if (isElement(c, GUMBO_TAG_TR)) rows.push_back(c);
    else rowsOf(c, rows);
  }
}

void layOutTables(const GumboNode* node, std::map<const GumboNode*, long>& columns) {
  if (node->type != GUMBO_NODE_ELEMENT) return;
  if (isElement(node, GUMBO_TAG_TABLE)) {
    std::vector<const GumboNode*> rows;
    rowsOf(node, rows);
    std::set<std::pair<long, long>> taken;
    for (long r = 0; r < static_cast<long>(rows.size()); ++r) {
      long col = 0;
      const GumboVector& cells = rows[r]->v.element.children;
      for (unsigned i = 0; i < cells.length; ++i) {
        const GumboNode* cell = static_cast<const GumboNode*>(cells.data[i]);
        if (!isElement(cell, GUMBO_TAG_TD) && !isElement(cell, GUMBO_TAG_TH)) continue;
        while (taken.count({r, col})) ++col;
        columns[cell] = col;
        // A cell spans no further down than its table's rows.
        const long rowspan = std::min(spanOf(cell, "rowspan", 65534), static_cast<long>(rows.size()) - r);
        const long colspan = spanOf(cell, "colspan", 1000);
        for (long y = r; y < r + rowspan; ++y)
          for (long x = col; x < col + colspan; ++x) taken.insert({y, x});
        col += colspan;
      }
    }
  }
  const GumboVector& children = node->v.element.children;
  for (unsigned i = 0; i < children.length; ++i) layOutTables(static_cast<const GumboNode*>(children.data[i]), columns);
}

}  // namespace

HtmlDocument::HtmlDocument(const std::string& utf8Html, std::string locationUrl)
    : output_(gumbo_parse(utf8Html.c_str())), location_(std::move(locationUrl)) {
  layOutTables(output_->root, columns_);
}

HtmlDocument::~HtmlDocument() { gumbo_destroy_output(&kGumboDefaultOptions, output_); }

guide::DomElements HtmlDocument::tags(std::string_view name) const {
  guide::DomElements out;
  collect(output_->root, name, out, *this);
  return out;
}

std::string HtmlDocument::title() const {
  guide::DomElements found = tags("TITLE");
  return found.empty() ? std::string() : found[0]->innerText();
}

guide::DomElements HtmlDocument::links() const {
  guide::DomElements out;
  for (auto& a : tags("A"))
    if (!a->href().empty()) out.push_back(std::move(a));
  return out;
}

std::string HtmlDocument::attribute(const GumboNode* node, const std::string& name) const {
  if (auto it = written_.find({node, name}); it != written_.end()) return it->second;
  const GumboAttribute* a = gumbo_get_attribute(&node->v.element.attributes, name.c_str());
  return a ? a->value : "";
}

void HtmlDocument::setAttribute(const GumboNode* node, const std::string& name, std::string value) const {
  written_[{node, name}] = std::move(value);
}

std::string HtmlDocument::serialize(const GumboNode* node) const {
  auto escaped = [](std::string_view text) {
    std::string s;
    for (char c : text) s += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return s;
  };
  if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE) return escaped(node->v.text.text);
  if (node->type != GUMBO_NODE_ELEMENT) return {};
  const char* tag = gumbo_normalized_tagname(node->v.element.tag);
  std::string s = std::string("<") + tag;
  const GumboVector& attributes = node->v.element.attributes;
  for (unsigned i = 0; i < attributes.length; ++i) {
    const auto* a = static_cast<const GumboAttribute*>(attributes.data[i]);
    s += std::string(" ") + a->name + "=\"" + attribute(node, a->name) + "\"";
  }
  s += ">";
  const GumboVector& children = node->v.element.children;
  for (unsigned i = 0; i < children.length; ++i) s += serialize(static_cast<const GumboNode*>(children.data[i]));
  if (node->v.element.tag != GUMBO_TAG_IMG && node->v.element.tag != GUMBO_TAG_BR) s += std::string("</") + tag + ">";
  return s;
}

long HtmlDocument::columnOf(const GumboNode* cell) const {
  auto it = columns_.find(cell);
  return it == columns_.end() ? -1 : it->second;
}
