// When a recording is to stop: a time of day chosen in the stop-time dialog means its next
// occurrence, after now and at most one day ahead (a full day ahead when it equals now). The
// dialog's minutes and the stop that is applied both come from this one rule.
// The stoptime functions say the same for the running recording's stop timer.
#pragma once

#include <cstdint>

// Milliseconds from now to the next occurrence: 1 .. 86,400,000.
int64_t millisecondsToStop(double chosen, double now);
// The moment of the next occurrence, as a date.
double nextStop(double chosen, double now);
// Whole minutes from now to the next occurrence: 0 .. 1440 (1440 when the time equals now).
int minutesToStop(double chosen, double now);
namespace stoptime {

// t moved by whole days so that 0 < result - now <= 1 (a full day when t's time is now's).
double nextWithinADay(double t, double now);
// The whole minutes from now to that occurrence: 0 .. 1440.
int minutesLeft(double t, double now);
// The one-shot timer's milliseconds from now to that occurrence.
uint32_t millisecondsLeft(double t, double now);

}  // namespace stoptime
