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
