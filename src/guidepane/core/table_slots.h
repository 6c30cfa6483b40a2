// The nine daily table pages of the listing site and the names of their saved copies. A guide
// day runs from 1:00 to 1:00: the "23" page of a date runs to 1:00 of the next date.
#pragma once

#include <string>

namespace guide {

constexpr int kSlotCount = 9;

// "01" "04" "07" "10" "13" "16" "19" "21" "23".
const char* slotText(int slot);
// The hour at which the slot's page ends (1 for "23": 1:00 of the next date).
int slotEndHour(int slot);
// The slot whose page starts at this hour, or -1.
int slotOfStartHour(int hour);

// "mmdd" + slot text + "tb.htm", from the calendar date of the slot's start.
std::string tablePageName(double date, int slot);
// programFolder (with its trailing backslash) + "prgTable\" + page name.
std::string savedTablePath(const std::string& programFolder, double date, int slot);

struct SlotAt {
  double date;  // the date-time given, moved by whole days
  int slot;
};
// The page of the current time: hour 0 belongs to the previous date's "23" page.
SlotAt slotOfTime(double now);
// Moves from (date, slot) by days and slots; slots past either end of the day carry into days.
SlotAt moveSlot(double date, int slot, int days, int slots);

}  // namespace guide
