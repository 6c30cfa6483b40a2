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

  long columnOf(const GumboNode* cell) const;

 private:
  GumboOutput* output_;
  std::string location_;
  std::map<const GumboNode*, long> columns_;
};
