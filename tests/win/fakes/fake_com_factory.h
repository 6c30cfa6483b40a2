// The ComFactory of the tests: hands out the kit's fakes by class id and logs each creation
// as "com.CoCreateInstance(CLSID, context, IID)".
#pragma once

#include <utility>
#include <vector>

#include "fake_capture_builder.h"
#include "fake_devices.h"
#include "fake_graph.h"
#include "grabcore/win/com_seam.h"

namespace fakes {

class FakeComFactory : public ComFactory {
 public:
  // Registers a filter graph "graph", a capture graph builder "cap" (with "cap.window", "mux"
  // and "sink") and a system device enumerator "devenum" under their class ids.
  explicit FakeComFactory(ComKit& kit);

  // Makes a class id hand out object (replacing an earlier registration).
  void registerClass(REFCLSID clsid, FakeObject* object);

  FakeGraph* graph;
  FakeCaptureBuilder* builder;
  FakeDeviceEnum* devices;

  HRESULT createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** result) override;

 private:
  ComKit& kit_;
  std::vector<std::pair<CLSID, FakeObject*>> classes_;
};

}  // namespace fakes
