#include "countdown.h"

#include <cmath>

#include "../../common/oledate.h"

namespace {

constexpr uint32_t kFloorMs = 50;

// The milliseconds to the deadline within its second; 0 when it has passed (or is no time).
uint32_t msWithinSecond(double now, double deadline) {
  const double ms = std::round((deadline - now) * tavora::kMillisecondsPerDay);
  if (!(ms > 0)) return 0;
  return static_cast<uint32_t>(std::fmod(ms, 1000.0));
}

}  // namespace

uint32_t noticeFirstTick(double now, double deadline) {
  const uint32_t r = msWithinSecond(now, deadline);
  return r < kFloorMs ? r + 1000 : r;
}

uint32_t noticeNextTick(double now, double deadline) {
  const uint32_t r = msWithinSecond(now, deadline);
  return r < kFloorMs ? kFloorMs : r;
}

int64_t wholeSecondsTo(double now, double time) {
  const double s = std::floor((time - now) * tavora::kSecondsPerDay + 1e-6);
  return s > 0 && std::isfinite(s) ? static_cast<int64_t>(s) : 0;
}
