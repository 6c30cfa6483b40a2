#include "fake_engine.h"

#include <iconv.h>

#include <stdexcept>

#include "common/messages.h"
#include "grabcore/core/errors.h"

std::string sj(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  std::string in = utf8;
  std::string out(in.size() * 2 + 1, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) throw std::runtime_error("not convertible: " + utf8);
  out.resize(out.size() - outLeft);
  return out;
}

void FakeGraph::op(const std::string& name) {
  host_.log.push_back(id_ + " " + name);
  if (failing_.count(name)) throw DeviceError{"failed " + name};
}

std::shared_ptr<dsMother> FakeFactory::make(WaitId kind, lex&) {
  if (unavailable.count(kind)) return nullptr;
  std::string id = "obj" + std::to_string(++made);
  host_.log.push_back("make " + id);
  if (kind == WaitId::GraphBuilder) return std::make_shared<FakeGraph>(host_, id, failing);
  return std::make_shared<FakeDevice>(host_, id);
}

void EngineFixture::request(unsigned msg, const std::string& text, int64_t id, uint64_t value) {
  std::string withNul = text;
  CopyDataBlock block{static_cast<uint64_t>(id), withNul.c_str(), static_cast<uint32_t>(text.size() + 1)};
  engine.onMessage(tvr::kWmCopyData, engine.frontWnd, 0, &block);
  engine.onMessage(msg, value, id);
}
