// The core's document interface over the browser's document object model (IHTMLDocument2).
#pragma once

#include <mshtml.h>

#include <memory>
#include <string>

#include "guidepane/core/document.h"

namespace guide {

// locationUrl: the browser's address of the shown page.
std::unique_ptr<DomDocument> wrapHtmlDocument(IHTMLDocument2* document, std::string locationUrl);

}  // namespace guide
