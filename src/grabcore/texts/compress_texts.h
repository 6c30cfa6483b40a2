// The video compressor's own texts (Shift-JIS bytes; defined in compress_texts.cpp).
#pragma once

namespace texts {

// The compressor list.
extern const char kCompEnumCreateFailed[];
extern const char kCompEnumClassFailed[];
extern const char kCompEnumStorageFailed[];

// The profile's file and binding a compressor by name.
extern const char kCompProfileUnreadable[];
extern const char kCompCreateEnumFailed[];
extern const char kCompCreateClassFailed[];
extern const char kCompCreateStorageFailed[];
extern const char kCompCreateBindFailed[];
extern const char kCompNotFound[];
extern const char kCompWriteFailed[];

// The configuration dialog and the compressor's state.
extern const char kCompUnsupportedDialog[];
extern const char kCompNoDialogs[];
extern const char kCompGetStateSizeFailed[];
extern const char kCompGetStateFailed[];
extern const char kCompSetStateFailed[];

}  // namespace texts
