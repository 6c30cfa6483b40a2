#include "engine_on_wine.h"

#include <objbase.h>

namespace fakes {

void EngineOnWine::SetUp() {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  engine = std::make_unique<lex>(host, devices);
  engine->frontWnd = 0x1000;
}

void EngineOnWine::TearDown() {
  if (engine) engine->destroyAllObjects();
  engine.reset();
  CoUninitialize();
}

}  // namespace fakes
