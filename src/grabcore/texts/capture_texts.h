// Texts of the capture graph builder object (Shift-JIS bytes; defined in capture_texts.cpp).
#pragma once

namespace texts {

extern const char kCapMakeFailed[];
extern const char kCapSetFgFailed[];
extern const char kCapRenderPreviewFailed[];
extern const char kCapFindInterfaceFailed[];
extern const char kCapSetOutputFileFailed[];
extern const char kCapRenderACaptureFailed[];
extern const char kCapPreViewStreamFailed[];
extern const char kCapCaptureStreamFailed[];
extern const char kCapCapStartDelayFailed[];
extern const char kCapVideoStartDelayFailed[];
extern const char kCapAudioStartDelayFailed[];
extern const char kCapMasterStreamFailed[];
extern const char kCapInterleavingMissing[];

// The failed video capture render: the head, then the name of the failure code.
extern const char kCapRenderVCaptureHead[];
extern const char kCapCodeNullPointer[];
extern const char kCapCodeFail[];
extern const char kCapCodeInvalidArg[];
extern const char kCapCodeUndefined[];

}  // namespace texts
