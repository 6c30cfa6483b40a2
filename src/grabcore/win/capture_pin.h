// The stream configuration of a capture device's capture pin: the first output pin whose
// category is PIN_CATEGORY_CAPTURE and that answers IAMStreamConfig.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

enum class CapturePinSearch { found, enumPinsFailed, notFound };

// stopAtFirst: the search ends at the first capture pin, even when it has no stream
// configuration. On success pin and config hold the pin and its interface.
CapturePinSearch findCaptureStreamConfig(IBaseFilter* filter, bool stopAtFirst, Microsoft::WRL::ComPtr<IPin>& pin,
                                         Microsoft::WRL::ComPtr<IAMStreamConfig>& config);
