// The filter graph object, as the dispatcher and other device objects see it.
#pragma once

#include "dsmother.h"

struct IGraphBuilder;

class TGraphBuilder : public dsMother {
 public:
  virtual void create() = 0;
  virtual void release() = 0;
  // Adds another object's filter; a null filter adds nothing.
  virtual void add(dsMother* other) = 0;
  virtual void startView() = 0;
  virtual void stopView() = 0;
  virtual void showFilters() = 0;
  virtual IGraphBuilder* getGraph() = 0;
  // True when an error-abort event was waiting; false when no graph or events are held.
  virtual bool pollErrorAbort() = 0;
};
