// The part of a page's document object model that the table scrape and the table download use.
// The product backs it with the browser's document, the tests with parsed HTML. Texts are
// Shift-JIS.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace guide {

class DomElement;
using DomElements = std::vector<std::unique_ptr<DomElement>>;

class DomElement {
 public:
  virtual ~DomElement() = default;
  // The elements with this tag name inside this one, in document order ("TD", "A", "B").
  virtual DomElements tags(std::string_view name) const = 0;
  virtual std::string innerText() const = 0;
  // A link's or an image's absolute address; empty for other elements.
  virtual std::string href() const = 0;
  // The same address with every character kept: one that Shift-JIS lacks is given as its UTF-8
  // bytes, percent-encoded, as a browser sends it, where href has a '?' in its place.
  virtual std::string exactHref() const { return href(); }
  // The element with its tags, as the document holds it now.
  virtual std::string outerHtml() const = 0;
  // Rewrites an image's source or a link's address.
  virtual void setSrc(const std::string& value) = 0;
  virtual void setHref(const std::string& value) = 0;
  // The horizontal position in the page, the same for all cells of one column.
  virtual long offsetLeft() const = 0;
};

class DomDocument {
 public:
  virtual ~DomDocument() = default;
  virtual DomElements tags(std::string_view name) const = 0;
  virtual std::string locationUrl() const = 0;
  virtual std::string title() const = 0;
  // The document's image and link collections, in document order.
  virtual DomElements images() const = 0;
  virtual DomElements links() const = 0;
};

}  // namespace guide
