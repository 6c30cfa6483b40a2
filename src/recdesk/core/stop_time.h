// When a recording is to stop: a time of day chosen in the stop-time dialog means its next
// occurrence, after now and at most one day ahead (a full day ahead when it equals now). The
// dialog's minutes and the stop that is applied both come from this one rule.
#pragma once

#include <cstdint>

// Milliseconds from now to the next occurrence: 1 .. 86,400,000.
int64_t millisecondsToStop(double chosen, double now);
// The moment of the next occurrence, as a date.
double nextStop(double chosen, double now);
// Whole minutes from now to the next occurrence: 0 .. 1440 (1440 when the time equals now).
int minutesToStop(double chosen, double now);
