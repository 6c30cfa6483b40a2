// Local date-times of the guide's tests.
#pragma once

#include "common/oledate.h"

inline double at(int year, int month, int day, int hour = 0, int minute = 0) {
  return tavora::encodeOleDateTime({year, month, day, hour, minute, 0, 0});
}
