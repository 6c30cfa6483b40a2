// The capture graph builder object over DirectShow's capture graph builder.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <string>

#include "com_seam.h"
#include "grabcore/core/capture_graph_builder.h"

class DsCaptureGraphBuilder : public TCaptureGraphBuilder {
 public:
  explicit DsCaptureGraphBuilder(ComFactory& com) : com_(com) {}
  ~DsCaptureGraphBuilder() override { release(); }

  void make() override;
  void release() override;
  void setFg(const std::shared_ptr<TGraphBuilder>& graph) override;
  void renderPreview(dsMother* video) override;
  void stopPreview() override;
  void setOutputFile(const std::string& file, int32_t megabytes) override;
  void renderVCapture(const std::shared_ptr<dsMother>& video, IBaseFilter* compressor) override;
  void renderACapture(const std::shared_ptr<dsMother>& audio) override;
  void setPreviewWindow(uint32_t owner, int32_t width, int32_t height) override;
  void preViewStream(bool on) override;
  void captureStream(bool on) override;
  void fitVideoWindow(int32_t width, int32_t height) override;
  void capStartDelay(int64_t start) override;
  void videoStartDelay(int64_t start) override;
  void audioStartDelay(int64_t start) override;
  void masterStream(int32_t stream) override;
  void setInterleaving(int32_t mode) override;

 private:
  // Every stream of the category on ("now" until never) or off (not started, stopped now).
  void switchStreams(const GUID& category, bool on, const char* failure);
  // Delays the start of the capture streams of filter (every capture stream when null).
  void delayStart(IBaseFilter* filter, int64_t start, const char* failure);

  ComFactory& com_;
  Microsoft::WRL::ComPtr<ICaptureGraphBuilder2> builder_;
  // Other objects of the table, not owned: after their "delete" they read as absent.
  std::weak_ptr<TGraphBuilder> graph_;
  std::weak_ptr<dsMother> videoSource_;
  std::weak_ptr<dsMother> audioSource_;
  Microsoft::WRL::ComPtr<IVideoWindow> videoWindow_;
  Microsoft::WRL::ComPtr<IBaseFilter> mux_;
  Microsoft::WRL::ComPtr<IFileSinkFilter> sink_;
  uint32_t owner_ = 0;
  int32_t height_ = 480;
  int32_t width_ = 640;
  std::wstring fileName_;
};
