// What the system's device enumerator lists, named as the engine reads the names: Wine gives its
// own components names in the user's language, so a test takes them from here, never as literals.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>

#include "grabcore/win/filter_lookup.h"

// The name of the first device of a category, or an empty text when there is none.
inline std::string firstDeviceName(REFCLSID category) {
  using Microsoft::WRL::ComPtr;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // kept for the process's life, as a test's COM
  ComPtr<ICreateDevEnum> devices;
  ComPtr<IEnumMoniker> monikers;
  ComPtr<IMoniker> moniker;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC, IID_ICreateDevEnum,
                              reinterpret_cast<void**>(devices.GetAddressOf()))) ||
      devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || monikers->Next(1, &moniker, nullptr) != S_OK)
    return {};
  return monikerFriendlyName(moniker.Get()).value_or("");
}
