#include "capture_pin.h"

using Microsoft::WRL::ComPtr;

namespace {

bool isCaptureOutput(IPin* pin) {
  PIN_INFO info{};
  if (FAILED(pin->QueryPinInfo(&info))) return false;
  if (info.pFilter) info.pFilter->Release();
  if (info.dir != PINDIR_OUTPUT) return false;
  ComPtr<IKsPropertySet> properties;
  if (FAILED(pin->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(properties.GetAddressOf()))) ||
      !properties)
    return false;
  GUID category = GUID_NULL;
  DWORD returned = 0;
  return SUCCEEDED(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category,
                                   &returned)) &&
         category == PIN_CATEGORY_CAPTURE;
}

}  // namespace

CapturePinSearch findCaptureStreamConfig(IBaseFilter* filter, bool stopAtFirst, ComPtr<IPin>& pin,
                                         ComPtr<IAMStreamConfig>& config) {
  ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.GetAddressOf())) || !pins) return CapturePinSearch::enumPinsFailed;
  while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK && pin) {
    if (!isCaptureOutput(pin.Get())) continue;
    if (SUCCEEDED(
            pin->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(config.ReleaseAndGetAddressOf()))) &&
        config)
      return CapturePinSearch::found;
    config.Reset();
    if (stopAtFirst) break;
  }
  pin.Reset();
  return CapturePinSearch::notFound;
}
