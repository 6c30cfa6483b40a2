// findFilter over the system device enumerator.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <optional>
#include <string>

#include "com_seam.h"
#include "grabcore/core/engine_host.h"

// Looks a device of the category up by its friendly name (Shift-JIS, case-sensitive, whole).
// On success the class id is set and, when filter is given, the bound filter (one reference).
// On failure shows the error dialog and returns false.
bool findFilter(EngineHost& host, ComFactory& com, const std::string& friendlyName, REFCLSID category,
                CLSID* clsid, IBaseFilter** filter);

// The monikers of a device category through the system device enumerator created with that
// class context; none for an empty category. Raises createFailed or categoryFailed.
Microsoft::WRL::ComPtr<IEnumMoniker> openDeviceCategory(ComFactory& com, DWORD context, REFCLSID category,
                                                        const char* createFailed, const char* categoryFailed);

// A device moniker's friendly name as Shift-JIS text; none when its property bag cannot be read.
std::optional<std::string> monikerFriendlyName(IMoniker* moniker);
// The "FriendlyName" of a device's property bag as Shift-JIS text; none when it cannot be read.
std::optional<std::string> bagFriendlyName(IPropertyBag* bag);
