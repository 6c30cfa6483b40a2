#include "property_frame.h"

#include <olectl.h>

namespace {
PropertyFrameSeam* g_seam = nullptr;
}

void setPropertyFrameSeam(PropertyFrameSeam* seam) { g_seam = seam; }

HRESULT showPropertyFrame(const std::wstring& caption, IUnknown* object, const CAUUID& pages) {
  if (g_seam) return g_seam->show(caption, object, pages);
  return OleCreatePropertyFrame(nullptr, 0, 0, caption.c_str(), 1, &object, pages.cElems, pages.pElems, 0, 0,
                                nullptr);
}
