#include "engine_over_fakes.h"

#include "winui/text.h"

namespace fakes {

RecordingEngineHost::RecordingEngineHost()
    : BasicRecordingHost([](const std::string& text) { return winui::widen(text); }, false) {}

std::shared_ptr<dsMother> StandInFactory::make(WaitId kind, lex& engine) {
  auto it = standIns.find(kind);
  return it != standIns.end() ? it->second() : real_.make(kind, engine);
}

EngineOverFakes::EngineOverFakes() : engine(std::make_unique<lex>(host, factory)) { engine->frontWnd = 0x1000; }

void EngineOverFakes::standIn(WaitId kind, FakeFilter* filter) {
  factory.standIns[kind] = [filter] { return std::make_shared<FilterStandIn>(filter); };
}

void EngineOverFakes::TearDown() {
  engine->destroyAllObjects();
  engine.reset();
  EXPECT_EQ(kit.leaks(), std::vector<std::wstring>{});
}

bool EngineOverFakes::run(const std::string& line) { return engine->execLine(line); }

bool EngineOverFakes::run(const std::wstring& line) { return engine->execLine(winui::narrow(line)); }

void EngineOverFakes::runAll(std::initializer_list<const char*> lines) {
  for (const char* line : lines) run(std::string(line));
}

}  // namespace fakes
