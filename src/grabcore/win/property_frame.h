// The property frame of a device's pages (OleCreatePropertyFrame), behind a seam so that tests
// can stand in for the modal frame.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>

class PropertyFrameSeam {
 public:
  virtual ~PropertyFrameSeam() = default;
  virtual HRESULT show(const std::wstring& caption, IUnknown* object, const CAUUID& pages) = 0;
};

// Installs a stand-in for every property frame of this process (nullptr: the real frame).
void setPropertyFrameSeam(PropertyFrameSeam* seam);

// Shows the pages for the one object, modal, without an owner, at 0,0.
HRESULT showPropertyFrame(const std::wstring& caption, IUnknown* object, const CAUUID& pages);
