// A request queue whose requests run through the engine model (engine_model.h).
#pragma once

#include "engine_model.h"
#include "fakes.h"

struct ModelLink {
  EngineModel model;
  ModelTransport transport{model};
  FakeTimer ackTimer;
  FakeWatch watch;
  FakeView view;
  dsControl link{transport, ackTimer, watch, view};

  // The engine answers every request queued so far.
  void pump() { transport.pump(link); }
};
