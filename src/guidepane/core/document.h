// The part of a shown page's document object model that the table scrape reads. The product
// backs it with the browser's document, the tests with parsed HTML. Texts are Shift-JIS.
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
  // A link's absolute address; empty for other elements.
  virtual std::string href() const = 0;
  // The horizontal position in the page, the same for all cells of one column.
  virtual long offsetLeft() const = 0;
};

class DomDocument {
 public:
  virtual ~DomDocument() = default;
  virtual DomElements tags(std::string_view name) const = 0;
  virtual std::string locationUrl() const = 0;
};

}  // namespace guide
