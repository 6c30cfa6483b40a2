#include "stop_time.h"

#include <cmath>

#include "common/oledate.h"

namespace {
constexpr int64_t kDayMs = 86400000;
}  // namespace

int64_t millisecondsToStop(double chosen, double now) {
  const double difference = (chosen - now) * tavora::kMillisecondsPerDay;
  // Dates are kept to the millisecond; counting whole ones keeps "a minute before now" at 1439.
  if (!std::isfinite(difference) || std::fabs(difference) > 1e15) return kDayMs;
  int64_t left = std::llround(difference) % kDayMs;
  if (left <= 0) left += kDayMs;
  return left;
}

double nextStop(double chosen, double now) {
  return now + static_cast<double>(millisecondsToStop(chosen, now)) / tavora::kMillisecondsPerDay;
}

int minutesToStop(double chosen, double now) { return static_cast<int>(millisecondsToStop(chosen, now) / 60000); }

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
