#include "fake_engine.h"

#include <new>
#include <stdexcept>

#include "common/messages.h"
#include "grabcore/core/errors.h"

void RecordingHost::postToFront(unsigned msg, uint64_t wParam, int64_t lParam) {
  log.push_back("post " + std::to_string(msg) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
}

void RecordingHost::sendCopyDataToFront(uint32_t kind, const std::vector<uint8_t>& block) {
  log.push_back("copydata " + std::to_string(kind) + " " + std::to_string(block.size()));
}

void RecordingHost::postToWindow(uint64_t window, unsigned msg, uint64_t wParam, int64_t lParam) {
  log.push_back("postto " + std::to_string(window) + " " + std::to_string(msg) + " " + std::to_string(wParam) +
                " " + std::to_string(lParam));
}

void RecordingHost::processMessages() {
  log.push_back("pump");
  auto pending = std::move(onPump);
  onPump.clear();
  for (auto& f : pending) f();
}

std::optional<std::vector<std::string>> RecordingHost::readCommandFile(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> RecordingHost::only(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const auto& entry : log)
    if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
  return out;
}

void FakeGraph::op(const std::string& name) {
  host_.log.push_back(id_ + " " + name);
  if (failing_.count(name)) throw DeviceError{"failed " + name};
  if (exhausting_.count(name)) throw std::bad_alloc();
}

std::shared_ptr<dsMother> FakeFactory::make(WaitId kind, lex&) {
  if (unavailable.count(kind)) return nullptr;
  std::string id = "obj" + std::to_string(++made);
  host_.log.push_back("make " + id);
  if (kind == WaitId::GraphBuilder) return std::make_shared<FakeGraph>(host_, id, failing, exhausting);
  return std::make_shared<FakeDevice>(host_, id);
}

void EngineFixture::request(unsigned msg, const std::string& text, int64_t id, uint64_t value) {
  std::string withNul = text;
  CopyDataBlock block{static_cast<uint64_t>(id), withNul.c_str(), static_cast<uint32_t>(text.size() + 1)};
  engine.onMessage(tvr::kWmCopyData, engine.frontWnd, 0, &block);
  engine.onMessage(msg, value, id);
}
