// Dates as the programs keep them: a double counting days since 30 December 1899, the
// fraction being the time of day (local time).
#pragma once

namespace tavora {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMillisecondsPerDay = 86400000.0;

struct CivilDateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// A date within 1 January 100 .. 31 December 9999 (the range the files may hold).
bool isValidOleDate(double date);
double encodeOleDate(int year, int month, int day);
double encodeOleDateTime(const CivilDateTime& t);
// Splits a valid date; the time of day is rounded to the millisecond.
CivilDateTime decodeOleDate(double date);
// 0 Sunday .. 6 Saturday.
int oleDayOfWeek(double date);

}  // namespace tavora
