// The capture graph builder object, as the dispatcher sees it, and the two rules of its own
// that need no platform: the 4:3 fit of the video window and the text of a failed capture render.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dsmother.h"
#include "graph_builder.h"

// A window position: left, top, width, height.
struct VideoRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const VideoRect&) const = default;
};

// The largest 4:3 area centred in a width x height panel (integer division toward zero):
// a taller panel keeps its width, a wider or exactly 4:3 one keeps its height.
VideoRect fitVideo43(int32_t width, int32_t height);

// The error text of a video capture render that failed with the code hr.
std::string renderVCaptureErrorText(int32_t hr);

class TCaptureGraphBuilder : public dsMother {
 public:
  virtual void make() = 0;
  // Releases the builder and what it holds (subcommand "remove").
  virtual void release() = 0;
  // Attaches the builder to the graph of that object (none when the object is absent).
  virtual void setFg(const std::shared_ptr<TGraphBuilder>& graph) = 0;
  virtual void renderPreview(dsMother* video) = 0;
  // Detaches the preview window and removes the capture branch (subcommand "release").
  virtual void stopPreview() = 0;
  virtual void setOutputFile(const std::string& file, int32_t megabytes) = 0;
  // The objects are remembered without keeping them alive: a deleted source reads as absent.
  virtual void renderVCapture(const std::shared_ptr<dsMother>& video, IBaseFilter* compressor) = 0;
  virtual void renderACapture(const std::shared_ptr<dsMother>& audio) = 0;
  // Stored for the next renderPreview; owner is the front end's panel as a 32-bit value.
  virtual void setPreviewWindow(uint32_t owner, int32_t width, int32_t height) = 0;
  virtual void preViewStream(bool on) = 0;
  virtual void captureStream(bool on) = 0;
  virtual void fitVideoWindow(int32_t width, int32_t height) = 0;
  // Start delays in 100-ns units.
  virtual void capStartDelay(int64_t start) = 0;
  virtual void videoStartDelay(int64_t start) = 0;
  virtual void audioStartDelay(int64_t start) = 0;
  // -1 none, 1 audio, 0 video.
  virtual void masterStream(int32_t stream) = 0;
  // 0 none, 1 capture, 2 full.
  virtual void setInterleaving(int32_t mode) = 0;
};
