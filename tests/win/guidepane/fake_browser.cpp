#include "fake_browser.h"

namespace {

void collect(const Node& node, std::string_view tag, std::vector<Node>& out) {
  for (const Node& child : node->children) {
    if (child->tag == tag) out.push_back(child);
    collect(child, tag, out);
  }
}

class Element : public guide::DomElement {
 public:
  explicit Element(Node node) : node_(std::move(node)) {}
  guide::DomElements tags(std::string_view name) const override {
    std::vector<Node> found;
    collect(node_, name, found);
    guide::DomElements out;
    for (Node& n : found) out.push_back(std::make_unique<Element>(n));
    return out;
  }
  std::string innerText() const override {
    std::string text = node_->text;
    for (const Node& child : node_->children) text = Element(child).innerText() + text;
    return text;
  }
  std::string href() const override { return node_->href; }
  std::string outerHtml() const override { return node_->text; }
  void setSrc(const std::string& value) override { node_->href = value; }
  void setHref(const std::string& value) override { node_->href = value; }
  long offsetLeft() const override { return node_->left; }

 private:
  Node node_;
};

class Document : public guide::DomDocument {
 public:
  Document(std::vector<Node> cells, std::string url) : cells_(std::move(cells)), url_(std::move(url)) {}
  guide::DomElements tags(std::string_view name) const override {
    guide::DomElements out;
    if (name == "TD")
      for (const Node& cell : cells_) out.push_back(std::make_unique<Element>(cell));
    return out;
  }
  std::string locationUrl() const override { return url_; }
  std::string title() const override { return {}; }
  guide::DomElements images() const override { return {}; }
  guide::DomElements links() const override { return {}; }

 private:
  std::vector<Node> cells_;
  std::string url_;
};

}  // namespace

Node fakeCell(long left, const std::string& href, const std::string& title, const std::string& rest) {
  auto bold = std::make_shared<FakeNode>(FakeNode{"B", title, "", left, {}});
  auto link = std::make_shared<FakeNode>(FakeNode{"A", "", href, left, {bold}});
  return std::make_shared<FakeNode>(FakeNode{"TD", rest, "", left, {link}});
}

std::unique_ptr<guide::DomDocument> FakeBrowser::Document() const {
  if (makeDocument) return makeDocument();
  if (!hasDocument) return nullptr;
  return std::make_unique<::Document>(cells, url);
}
