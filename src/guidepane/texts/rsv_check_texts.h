// The reservation check's own texts for the hand-off to planbook (Shift-JIS bytes).
#pragma once

namespace texts {

extern const char kRsvCheckCaption[];
extern const char kRegisterButton[];
extern const char kCancelButton[];
extern const char kPlanbookClass[];
extern const char kPlanbookCaption[];
extern const char kPlanbookFile[];
extern const char kPlanbookNotStarted[];
extern const char kPlanbookNoWindow[];
extern const char kPlanbookUnconfirmed[];
extern const char kPlanbookNotAnswering[];
extern const char kWeekdayHead[];
extern const char kWeekdayTail[];

}  // namespace texts
