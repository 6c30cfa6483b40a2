#include "fake_browser.h"

namespace {

void collect(const Node& node, std::string_view tag, std::vector<Node>& out) {
  for (const Node& child : node->children) {
    if (child->tag == tag) out.push_back(child);
    collect(child, tag, out);
  }
}

// An element, or the document when it is the root (whose children are the cells).
class Element : public guide::DomElement, public guide::DomDocument {
 public:
  Element(Node node, std::string url = {}) : node_(std::move(node)), url_(std::move(url)) {}
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
  std::string locationUrl() const override { return url_; }
  std::string title() const override { return {}; }
  guide::DomElements images() const override { return {}; }
  guide::DomElements links() const override { return {}; }

 private:
  Node node_;
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
  return std::make_unique<Element>(std::make_shared<FakeNode>(FakeNode{"", "", "", 0, cells}), url);
}
