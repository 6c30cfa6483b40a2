// The guide's browser stand-in: records every call in order, and shows a faked document (table
// cells with their links and bold titles) when a test gives one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "guidepane/win/browser.h"

struct FakeNode {
  std::string tag, text, href;
  long left = 0;
  std::vector<std::shared_ptr<FakeNode>> children;
  std::wstring wideHref{};  // a link's address instead of href, as the adapter reads and writes it
};
using Node = std::shared_ptr<FakeNode>;

// <td> at a column's offset, with a link to href holding a bold title, then more text.
Node fakeCell(long left, const std::string& href, const std::string& title, const std::string& rest);
// The browser's document object model over root's nodes (TD, A and B elements, their texts and
// offsets), read through the product's document adapter; the fake COM objects still alive.
std::unique_ptr<guide::DomDocument> htmlDocumentOver(const Node& root, const std::string& url);
int liveHtmlFakes();

class FakeBrowser : public guide::Browser {
 public:
  FakeBrowser(std::vector<std::string>& log, guide::BrowserEvents& events) : log_(log), events_(events) {}
  ~FakeBrowser() override {
    if (onRelease) onRelease();
  }
  void Navigate2(const std::string& url) override { log_.push_back("Navigate2 " + url); }
  void GoBack() override { log_.push_back("GoBack"); }
  void GoForward() override { log_.push_back("GoForward"); }
  void Refresh() override { log_.push_back("Refresh"); }
  void Stop() override { log_.push_back("Stop"); }
  void ExecWB(int command, int option, int input) override {
    log_.push_back("ExecWB " + std::to_string(command) + " " + std::to_string(option) + " " + std::to_string(input));
  }
  std::unique_ptr<guide::DomDocument> Document() const override;
  std::string LocationName() const override { return name; }
  std::string LocationURL() const override { return url; }
  void setBounds(const RECT&) override {}
  bool translateKey(MSG&) override { return false; }

  bool hasDocument = false;
  std::function<std::unique_ptr<guide::DomDocument>()> makeDocument;  // a document of the test's own
  std::vector<Node> cells;  // the document's TD elements in order
  std::string name, url;
  std::function<void()> onRelease;

 private:
  std::vector<std::string>& log_;
  guide::BrowserEvents& events_;
};
