// Capture graph builder tests over the COM fakes: a graph, the builder, and stand-ins for the
// video source, audio source and compressor, each wrapping a fake filter.
#pragma once

#include "fakes/engine_over_fakes.h"

namespace capturetest {

using Log = std::vector<std::wstring>;

class CaptureOverFakes : public fakes::EngineOverFakes {
 protected:
  CaptureOverFakes();

  // new/create of cFg and cCapBuild, SetFiltergraph, and the objects cVCap, cACap and cComp;
  // then forgets the log and the replies so far.
  void build();
  // The front end's panel as named numbers "form", "width" and "height".
  void setPanel(uint32_t window, uint32_t width, uint32_t height);
  // Wires the graph as rendering would: the preview pin into a renderer, the capture pin
  // through the compressor into the multiplexer, the multiplexer into a file writer.
  void wireCaptureGraph();
  // Forgets the log and the replies.
  void forget();

  fakes::FakeFilter* video;       // "vsrc": pins preview, capture
  fakes::FakeFilter* audio;       // "asrc": pin capture
  fakes::FakeFilter* compressor;  // "comp": pins in, out
  fakes::FakeVideoWindow* window;
};

// The texts the error dialog shows, as a person reads them.
std::wstring errorReply(const std::wstring& text);
std::wstring renderVCaptureError(const std::wstring& code);

}  // namespace capturetest
