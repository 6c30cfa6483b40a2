#include "fake_com_factory.h"

namespace fakes {

FakeComFactory::FakeComFactory(ComKit& kit)
    : graph(kit.make<FakeGraph>(L"graph")),
      builder(kit.make<FakeCaptureBuilder>(L"cap")),
      devices(kit.make<FakeDeviceEnum>(L"devenum")),
      kit_(kit) {
  registerClass(CLSID_FilterGraph, graph);
  registerClass(CLSID_CaptureGraphBuilder2, builder);
  registerClass(CLSID_SystemDeviceEnum, devices);
}

void FakeComFactory::registerClass(REFCLSID clsid, FakeObject* object) {
  for (auto& entry : classes_) {
    if (entry.first == clsid) {
      entry.second = object;
      return;
    }
  }
  classes_.emplace_back(clsid, object);
}

HRESULT FakeComFactory::createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** result) {
  if (result) *result = nullptr;
  HRESULT hr = kit_.record(L"com.CoCreateInstance(" + kit_.guidName(clsid) + L", " + num(context) + L", " +
                           kit_.guidName(iid) + L")");
  if (hr != S_OK) return hr;
  if (!result) return E_POINTER;
  for (auto& entry : classes_)
    if (entry.first == clsid) return entry.second->queryQuietly(iid, result);
  return REGDB_E_CLASSNOTREG;
}

}  // namespace fakes
