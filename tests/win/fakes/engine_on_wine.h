// Runs engine lines in process over Wine's own COM components (the real COM factory), with the
// recording host of the fake bench.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine_over_fakes.h"
#include "grabcore/win/com_seam.h"

namespace fakes {

class EngineOnWine : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  bool run(const std::string& line) { return engine->execLine(line); }

  SystemComFactory com;
  RecordingEngineHost host;
  WinDeviceFactory devices{com};
  std::unique_ptr<lex> engine;
};

}  // namespace fakes
