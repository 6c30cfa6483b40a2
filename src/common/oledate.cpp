#include "oledate.h"

#include <cmath>
#include <cstdint>

namespace tavora {

namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to the date, and back.
constexpr int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr int64_t kEpoch = daysFromCivil(1899, 12, 30);
constexpr double kMinDate = -657434.0;  // 1 January 100
constexpr double kMaxDate = 2958466.0;  // 1 January 10000

// Whole days and milliseconds of the day; the fraction counts forwards also before the epoch.
void split(double date, int64_t& days, int64_t& ms) {
  double whole = std::trunc(date);
  double fraction = std::fabs(date - whole);
  days = static_cast<int64_t>(whole);
  ms = static_cast<int64_t>(std::llround(fraction * kMillisecondsPerDay));
  if (ms >= 86400000) {
    ms -= 86400000;
    days += date < 0 ? -1 : 1;
  }
}

}  // namespace

bool isValidOleDate(double date) { return std::isfinite(date) && date >= kMinDate && date < kMaxDate; }

double encodeOleDate(int year, int month, int day) {
  return static_cast<double>(daysFromCivil(year, month, day) - kEpoch);
}

double encodeOleDateTime(const CivilDateTime& t) {
  double days = encodeOleDate(t.year, t.month, t.day);
  double time = (((t.hour * 60.0 + t.minute) * 60.0 + t.second) * 1000.0 + t.millisecond) / kMillisecondsPerDay;
  return days >= 0 ? days + time : days - time;
}

CivilDateTime decodeOleDate(double date) {
  CivilDateTime t;
  if (!isValidOleDate(date)) return t;
  int64_t days = 0, ms = 0;
  split(date, days, ms);
  civilFromDays(days + kEpoch, t.year, t.month, t.day);
  t.hour = static_cast<int>(ms / 3600000);
  t.minute = static_cast<int>(ms / 60000 % 60);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.millisecond = static_cast<int>(ms % 1000);
  return t;
}

int oleDayOfWeek(double date) {
  if (!isValidOleDate(date)) return 0;
  int64_t days = 0, ms = 0;
  split(date, days, ms);
  // 30 December 1899 was a Saturday.
  int64_t w = (days + 6) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

}  // namespace tavora
