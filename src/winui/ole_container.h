// Our own OLE container for one ActiveX control: a child window of ours with the client site,
// the in-place site and the frame; the events of one dispatch interface reach a handler through
// a sink of its own advised on the control's connection point. The handler runs under the
// exception guard, so nothing escapes into the control. Needs OLE initialised on the thread.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <functional>

namespace winui {

class OleContainer {
 public:
  using EventHandler = std::function<void(DISPID id, DISPPARAMS* params)>;

  // Creates the control (clsid) in a child window of parent and activates it in place; a
  // failure leaves no control (control() is null). The sink is advised on eventsIid.
  OleContainer(HWND parent, RECT bounds, REFCLSID clsid, REFIID eventsIid, EventHandler onEvent);
  // Unadvises the sink, deactivates and closes the control and releases every reference.
  ~OleContainer();
  OleContainer(const OleContainer&) = delete;
  OleContainer& operator=(const OleContainer&) = delete;

  // The control's own interface (a reference of the container's; null when creation failed).
  IUnknown* control() const { return control_; }
  bool advised() const { return cookie_ != 0; }
  HWND window() const { return host_; }
  void setBounds(RECT bounds);  // left, top, width, height in the parent's client area
  // A key message for a window inside the control goes to the control first (tab, arrows,
  // shortcuts of the page); true when it took it.
  bool translateKey(MSG& msg);

 private:
  class Site;
  static LRESULT CALLBACK hostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void resizeControl();

  HWND host_ = nullptr;
  Site* site_ = nullptr;
  IUnknown* control_ = nullptr;
  IOleObject* object_ = nullptr;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
  bool oleStarted_ = false;
};

}  // namespace winui
