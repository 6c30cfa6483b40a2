#include "rsv_ele.h"

#include <algorithm>
#include <cmath>

#include "../../common/oledate.h"

namespace {

void shift(TRsvEle& entry, double days) {
  entry.start += days;
  entry.end += days;
}

// Whole periods that can be skipped at once while the end stays before now (one step short,
// so that the last steps are the ordinary ones).
double periodsToSkip(const TRsvEle& entry, double now, double period) {
  double periods = std::floor((now - entry.end) / period) - 1;
  return periods > 0 ? periods : 0;
}

}  // namespace

bool stepToNextOccurrence(TRsvEle& entry) {
  switch (entry.repeat) {
    case TRsvEle::kWeekly:
      shift(entry, 7);
      return true;
    case TRsvEle::kWeekdays: {
      shift(entry, 1);
      int weekday = tavora::oleDayOfWeek(entry.start);
      if (weekday == 6) shift(entry, 2);
      else if (weekday == 0) shift(entry, 1);
      return true;
    }
    case TRsvEle::kDaily:
      shift(entry, 1);
      return true;
    default:
      return false;
  }
}

void bringUpToDate(TRsvEle& entry, double now) {
  if (!(entry.end < now)) return;
  if (entry.repeat < TRsvEle::kWeekly || entry.repeat > TRsvEle::kDaily) {
    entry.done = 1;  // once, and kinds without a step
    return;
  }
  // Whole weeks keep the weekday, so long-past entries need no step-by-step walk.
  const double period = entry.repeat == TRsvEle::kDaily ? 1 : 7;
  shift(entry, periodsToSkip(entry, now, period) * period);
  while (entry.end < now) stepToNextOccurrence(entry);
}

void rollForward(std::vector<TRsvEle>& list, double now, uint32_t keep) {
  for (TRsvEle& entry : list)
    if (keep == 0 || entry.serial != keep) bringUpToDate(entry, now);
  std::stable_sort(list.begin(), list.end(), [](const TRsvEle& a, const TRsvEle& b) { return a.start < b.start; });
}
