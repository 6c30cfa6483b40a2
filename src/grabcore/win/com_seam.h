// The one road by which device objects create COM objects: the engine uses CoCreateInstance,
// tests hand in fakes.
#pragma once

#include <windows.h>

class ComFactory {
 public:
  virtual ~ComFactory() = default;
  virtual HRESULT createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** out) = 0;
};

class SystemComFactory : public ComFactory {
 public:
  HRESULT createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** out) override {
    return CoCreateInstance(clsid, nullptr, context, iid, out);
  }
};
