// The stop time of a running recording: a time of day taken as its next occurrence, within the
// next day, so that the dialog's minutes and the time applied always agree.
#pragma once

#include <cstdint>

namespace stoptime {

// t moved by whole days so that 0 < result - now <= 1 (a full day when t's time is now's).
double nextWithinADay(double t, double now);
// The whole minutes from now to that occurrence: 0 .. 1440.
int minutesLeft(double t, double now);
// The one-shot timer's milliseconds from now to that occurrence.
uint32_t millisecondsLeft(double t, double now);

}  // namespace stoptime
