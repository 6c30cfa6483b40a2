// The audio capture source's own texts (Shift-JIS bytes; defined in acap_texts.cpp). Its pin
// search reports a missing capture pin with the video source's text.
#pragma once

namespace texts {

// Binding the first audio input device.
extern const char kACapEnumCreateFailed[];
extern const char kACapClassEnumFailed[];
extern const char kACapNoDevice[];

// The profile's format.
extern const char kACapProfileUnreadable[];
extern const char kACapSetFormatFailed[];
extern const char kACapGetFormatFailed[];
extern const char kACapEnumPinsFailed[];
extern const char kACapWriteFailed[];

}  // namespace texts
