// The guide browser's own texts (Shift-JIS bytes; defined in guidepane_texts.cpp).
#pragma once

namespace texts {

// Offline table navigator.
extern const char* const kSlotHints[9];
extern const char* const kWeekdayShort[7];  // Sunday first
extern const char kMonthSuffix[];
extern const char kDaySuffix[];

// Table scrape and program-information capture.
extern const char kPastTable[];
extern const char kUnexpectedTableName[];
extern const char kNoTimeInUrl[];
extern const char kProgramNotInTable[];

// Reservation check.
extern const char kFirstStation[];
extern const char kChooseStationHead[];
extern const char kChooseStationTail[];
extern const char kReservationErrorCaption[];
extern const char kEndBeforeStart[];
extern const char kNoChannelChosen[];
extern const char kNoTitle[];
extern const char kReservationQuestionCaption[];
extern const char kChannelMismatch[];

}  // namespace texts
