// The guide browser's main window texts (Shift-JIS bytes; defined in shell_texts.cpp).
#pragma once

namespace texts {

extern const char kGuideTitle[];
extern const char kCaptionSeparator[];

// Tool bar hints, text size menu, address and favourites bars.
extern const char kHintOnline[];
extern const char kHintOffline[];
extern const char kHintDownload[];
extern const char kHintBack[];
extern const char kHintForward[];
extern const char kHintRefresh[];
extern const char kHintStop[];
extern const char kHintTextSize[];
extern const char* const kTextSizeItems[5];  // N1 .. N5: "最大" .. "最小"
extern const char kAddressLabel[];
extern const char kGoButton[];
extern const char kFavouritesLabel[];
extern const char kHintFavouritesList[];
extern const char kHintFavouritesDialog[];

// Navigator.
extern const char kPreviousWeek[];
extern const char kNextWeek[];
extern const char kHintPreviousTable[];
extern const char kHintNowTable[];
extern const char kHintNextTable[];
extern const char kHintPickerDate[];

// Closing, capture.
extern const char kDownloadRunning[];
extern const char kCloseErrorCaption[];
extern const char kNoChannelTable[];
extern const char kNoChannelTableCaption[];
extern const char kInternetOpenFailed[];
extern const char kAddressOpenFailed[];
extern const char kReadFailed[];

}  // namespace texts

namespace texts {
// The navigator's small buttons.
extern const char kPreviousGlyph[];
extern const char kNowGlyph[];
extern const char kNextGlyph[];
}  // namespace texts
