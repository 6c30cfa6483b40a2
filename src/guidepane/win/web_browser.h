// The WebBrowser control in our OLE container, behind the guide's browser interface.
#pragma once

#include "browser.h"

namespace guide {

// The WebBrowser control in a child window of parent.
std::unique_ptr<Browser> makeWebBrowser(HWND parent, BrowserEvents events);

// An automation variant (an event's URL) as text: to a wide string, then to Shift-JIS.
std::string variantToText(const VARIANT& value);

}  // namespace guide
