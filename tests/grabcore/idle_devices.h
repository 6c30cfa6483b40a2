// A graph and a capture graph builder whose operations do nothing: around them the engine's
// dispatchers still answer, undo and report as the engine does.
#pragma once

#include <memory>
#include <string>

#include "grabcore/core/capture_graph_builder.h"
#include "grabcore/core/graph_builder.h"

struct IdleGraph : TGraphBuilder {
  void create() override {}
  void release() override {}
  void add(dsMother*) override {}
  void startView() override {}
  void stopView() override {}
  void showFilters() override {}
  IGraphBuilder* getGraph() override { return nullptr; }
  bool pollErrorAbort() override { return false; }
};

struct IdleCaptureBuilder : TCaptureGraphBuilder {
  void make() override {}
  void release() override {}
  void setFg(const std::shared_ptr<TGraphBuilder>&) override {}
  void renderPreview(dsMother*) override {}
  void stopPreview() override {}
  void setOutputFile(const std::string&, int32_t) override {}
  void renderVCapture(const std::shared_ptr<dsMother>&, IBaseFilter*) override {}
  void renderACapture(const std::shared_ptr<dsMother>&) override {}
  void setPreviewWindow(uint32_t, int32_t, int32_t) override {}
  void preViewStream(bool) override {}
  void captureStream(bool) override {}
  void fitVideoWindow(int32_t, int32_t) override {}
  void capStartDelay(int64_t) override {}
  void videoStartDelay(int64_t) override {}
  void audioStartDelay(int64_t) override {}
  void masterStream(int32_t) override {}
  void setInterleaving(int32_t) override {}
};
