#include "fake_browser.h"

Node fakeCell(long left, const std::string& href, const std::string& title, const std::string& rest) {
  auto bold = std::make_shared<FakeNode>(FakeNode{"B", title, "", left, {}});
  auto link = std::make_shared<FakeNode>(FakeNode{"A", "", href, left, {bold}});
  return std::make_shared<FakeNode>(FakeNode{"TD", rest, "", left, {link}});
}

std::unique_ptr<guide::DomDocument> FakeBrowser::Document() const {
  if (makeDocument) return makeDocument();
  if (!hasDocument) return nullptr;
  return htmlDocumentOver(std::make_shared<FakeNode>(FakeNode{"", "", "", 0, cells}), url);
}
