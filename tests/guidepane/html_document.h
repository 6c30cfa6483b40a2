// A table page parsed by a real HTML parser behind the scrape's document interface. A cell's
// offsetLeft is its column in its table's grid (rowspan and colspan counted) times 100; texts
// come out as Shift-JIS, as the browser's document gives them to the product.
#pragma once

#include <gumbo.h>

#include <map>
#include <string>

#include "guidepane/core/document.h"

class HtmlDocument : public guide::DomDocument {
 public:
  HtmlDocument(const std::string& utf8Html, std::string locationUrl);
  ~HtmlDocument() override;
  HtmlDocument(const HtmlDocument&) = delete;
  HtmlDocument& operator=(const HtmlDocument&) = delete;

  guide::DomElements tags(std::string_view name) const override;
  std::string locationUrl() const override { return location_; }
  std::string title() const override;
  guide::DomElements images() const override { return tags("IMG"); }
  guide::DomElements links() const override;

  long columnOf(const GumboNode* cell) const;
  // An attribute as the page holds it now (UTF-8), after what setSrc and setHref wrote.
  std::string attribute(const GumboNode* node, const std::string& name) const;
  void setAttribute(const GumboNode* node, const std::string& name, std::string value) const;
  // The element and its content as HTML text (UTF-8), with the rewritten attributes.
  std::string serialize(const GumboNode* node) const;
  bool outerHtmlFails = false;  // every element's outer HTML comes back empty, as from a failing browser

 private:
  GumboOutput* output_;
  std::string location_;
  std::map<const GumboNode*, long> columns_;
  mutable std::map<std::pair<const GumboNode*, std::string>, std::string> written_;
};
