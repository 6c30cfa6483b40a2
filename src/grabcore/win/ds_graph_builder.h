// The filter graph object over DirectShow's filter graph manager.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include "com_seam.h"
#include "grabcore/core/engine_host.h"
#include "grabcore/core/graph_builder.h"

class DsGraphBuilder : public TGraphBuilder {
 public:
  DsGraphBuilder(EngineHost& host, ComFactory& com) : host_(host), com_(com) {}
  ~DsGraphBuilder() override { release(); }

  void create() override;
  void release() override;
  void add(dsMother* other) override;
  void startView() override;
  void stopView() override;
  void showFilters() override;
  IGraphBuilder* getGraph() override { return graph_.Get(); }
  bool pollErrorAbort() override;

 private:
  EngineHost& host_;
  ComFactory& com_;
  Microsoft::WRL::ComPtr<IGraphBuilder> graph_;
  Microsoft::WRL::ComPtr<IMediaControl> control_;
  Microsoft::WRL::ComPtr<IMediaEvent> events_;
};
