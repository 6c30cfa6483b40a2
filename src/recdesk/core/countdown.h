// The arithmetic of the scheduler's two countdown dialogs.
#pragma once

#include <cstdint>

// The notice ticks on its deadline's second boundaries: the first interval is the remainder of
// the milliseconds to the deadline modulo a second, a second more when that is below 50.
uint32_t noticeFirstTick(double now, double deadline);
// The following ticks: the remainder, or 50 when that is below 50.
uint32_t noticeNextTick(double now, double deadline);
// Whole seconds from now to a time, never below 0.
int64_t wholeSecondsTo(double now, double time);
