// The video capture source's own texts (Shift-JIS bytes; defined in vcap_texts.cpp).
#pragma once

namespace texts {

// The fresh device search.
extern const char kVCapEnumCreateFailed[];
extern const char kVCapClassEnumFailed[];
extern const char kVCapNoDeviceFound[];

// Picture properties.
extern const char kVCapGetQualityFailed[];
extern const char kVCapSetQualityFailed[];

// The capture pin's stream configuration.
extern const char kVCapEnumPinsFailed[];
extern const char kVCapCapturePinNotFound[];
extern const char kVCapNoBufferNegotiation[];

// Driver dialogs and formats.
extern const char kVCapUnsupportedDialog[];
extern const char kVCapVideoSizeFailed[];
extern const char kVCapProfileUnreadable[];
extern const char kVCapLoadFormatSetFailed[];
extern const char kVCapSaveFormatGetFailed[];
extern const char kVCapSaveFormatOpenFailed[];
extern const char kVCapGetFrameRateFailed[];
extern const char kVCapSetFrameRateGetFailed[];
extern const char kVCapSetFrameRateSetFailed[];

// Settings file.
extern const char kVCapSettingsWriteFailed[];

// The driver choice dialog.
extern const char kSelVCapCaption[];
extern const char kSelVCapFound[];
extern const char kSelVCapChoose[];
extern const char kSelVCapWdm[];
extern const char kSelVCapVfw[];
extern const char kSelVCapClose[];

}  // namespace texts
