// The engine's own texts (Shift-JIS bytes; defined in engine_texts.cpp).
#pragma once

namespace texts {

extern const char kStartupErrorText[];
extern const char kStartupErrorCaption[];
extern const char kForeignSender[];
extern const char kErrorDialogCaption[];
extern const char kApplicationTitle[];

extern const char kUnexpectedGraphBuilder[];
extern const char kUnexpectedCaptureGraphBuilder[];
extern const char kUnexpectedVCapSorce[];
extern const char kUnexpectedACapSorce[];
extern const char kUnexpectedTvTuner[];
extern const char kUnexpectedCompress[];
extern const char kUnexpectedMixer[];

// findFilter, indexed by its internal error number 0..6.
extern const char* const kFindFilterErrors[7];

extern const char kGraphCreateFailed[];
extern const char kGraphAddFailed[];
extern const char kGraphStartViewFailed[];
extern const char kGraphRunFailed[];

}  // namespace texts
