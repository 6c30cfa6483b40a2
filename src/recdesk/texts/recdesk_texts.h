// The recorder's own texts (Shift-JIS bytes; defined in recdesk_texts.cpp).
#pragma once

namespace texts {

// Engine request queue.
extern const char kCommandBufferMismatch[];
extern const char kEngineNotAnswering[];

// Scheduler.
extern const char kNextReservationHead[];
extern const char kNextReservationMiddle[];
extern const char kNextReservationTail[];
extern const char kTimeRangeSeparator[];
extern const char kWakecallFailed[];

// timerSetup.dat.
extern const char kTimerFileMissing[];
extern const char kTimerFileCannotOpen[];

// capForm.dat.
extern const char kDefaultQuality[];
extern const char kCapFormOpenHead[];
extern const char kCapFormOpenTail[];
extern const char kCapFormCreateFailed[];

}  // namespace texts
