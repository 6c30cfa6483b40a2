#include "fake_engine.h"

#include <new>
#include <stdexcept>

#include "common/messages.h"
#include "grabcore/core/errors.h"

std::string post(unsigned msg, long long wParam, long long lParam) {
  return "post " + std::to_string(msg) + " " + std::to_string(wParam) + " " + std::to_string(lParam);
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
