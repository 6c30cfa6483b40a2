// The browser of the main window as the guide uses it: the WebBrowser control's calls and the
// three events the guide handles. Texts are Shift-JIS. The product backs it with the control in
// our OLE container, the tests with a fake.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "guidepane/core/document.h"

namespace guide {

struct BrowserEvents {
  // Before every navigation (any frame); setting cancel stops it.
  std::function<void(const std::string& url, bool& cancel)> beforeNavigate2;
  // A document completed; topLevel is false for a frame's.
  std::function<void(const std::string& url, bool topLevel)> documentComplete;
  std::function<void(long progress, long progressMax)> progressChange;
};

class Browser {
 public:
  virtual ~Browser() = default;
  virtual void Navigate2(const std::string& url) = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual void Refresh() = 0;
  virtual void Stop() = 0;
  // OLECMDID command with an option and a 32-bit integer input, no output.
  virtual void ExecWB(int command, int option, int input) = 0;
  // The shown document's object model; null while there is no document.
  virtual std::unique_ptr<DomDocument> Document() const = 0;
  virtual std::string LocationName() const = 0;
  virtual std::string LocationURL() const = 0;
  // left, top, width, height in the parent's client area.
  virtual void setBounds(const RECT& bounds) = 0;
  // A key for the page goes to it first; true when the browser took it.
  virtual bool translateKey(MSG& msg) = 0;
};

// Builds the browser inside parent, its events going to events.
using BrowserFactory = std::function<std::unique_ptr<Browser>(HWND parent, BrowserEvents events)>;

}  // namespace guide
