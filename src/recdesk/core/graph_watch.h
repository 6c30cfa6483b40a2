// While a recording runs, the engine is asked at intervals to read its graph's events
// (TVR_GRAPHEVENT): a graph that stopped on an error (a full disk, a device lost) is told only
// so, by TVR_GRAPHABORT.
#pragma once

#include <cstdint>

#include "ds_control.h"
#include "ports.h"

class GraphWatch {
 public:
  static constexpr uint32_t kPollMs = 1000;

  GraphWatch(dsControl& engine, OneShotTimer& timer) : engine_(engine), timer_(timer) {}
  GraphWatch(const GraphWatch&) = delete;
  GraphWatch& operator=(const GraphWatch&) = delete;

  // TVR_RECON: a capture writes.
  void onRecOn();
  // TVR_RECOFF: the graph stopped.
  void onRecOff();
  // The timer: one poll, and the next armed.
  void onTimer();

 private:
  dsControl& engine_;
  OneShotTimer& timer_;
  bool watching_ = false;
};
