#include "stop_time.h"

#include <cmath>

namespace stoptime {

double nextWithinADay(double t, double now) {
  const double d = t - now;
  if (!std::isfinite(d)) return now + 1;
  // d in (n - 1, n] goes to (0, 1].
  return now + (d - (std::ceil(d) - 1));
}

int minutesLeft(double t, double now) {
  // The allowance keeps a time set to the minute from showing one less through rounding.
  return static_cast<int>(std::floor((nextWithinADay(t, now) - now) * 1440 + 1e-6));
}

uint32_t millisecondsLeft(double t, double now) {
  const double ms = std::round((nextWithinADay(t, now) - now) * 86400000.0);
  return ms < 1 ? 1u : static_cast<uint32_t>(ms);
}

}  // namespace stoptime
