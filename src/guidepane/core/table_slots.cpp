#include "table_slots.h"

#include <cstdio>

#include "../../common/oledate.h"

namespace guide {

namespace {

constexpr const char* kSlotTexts[kSlotCount] = {"01", "04", "07", "10", "13", "16", "19", "21", "23"};
constexpr int kStartHours[kSlotCount] = {1, 4, 7, 10, 13, 16, 19, 21, 23};
constexpr int kEndHours[kSlotCount] = {4, 7, 10, 13, 16, 19, 21, 23, 1};

}  // namespace

const char* slotText(int slot) { return slot >= 0 && slot < kSlotCount ? kSlotTexts[slot] : ""; }
int slotEndHour(int slot) { return slot >= 0 && slot < kSlotCount ? kEndHours[slot] : -1; }

int slotOfStartHour(int hour) {
  for (int i = 0; i < kSlotCount; ++i)
    if (kStartHours[i] == hour) return i;
  return -1;
}

std::string tablePageName(double date, int slot) {
  const tavora::CivilDateTime t = tavora::decodeOleDate(date);
  char mmdd[8];
  std::snprintf(mmdd, sizeof mmdd, "%02d%02d", t.month % 100, t.day % 100);
  return std::string(mmdd) + slotText(slot) + "tb.htm";
}

std::string savedTablePath(const std::string& programFolder, double date, int slot) {
  return programFolder + "prgTable\\" + tablePageName(date, slot);
}

SlotAt slotOfTime(double now) {
  const int hour = tavora::decodeOleDate(now).hour;
  if (hour == 0) return {now - 1, kSlotCount - 1};
  int slot = 0;
  while (slot + 1 < kSlotCount && kStartHours[slot + 1] <= hour) ++slot;
  return {now, slot};
}

SlotAt moveSlot(double date, int slot, int days, int slots) {
  int s = slot + slots;
  if (s < 0) {
    while (s < 0) {
      s += kSlotCount;
      --days;
    }
  } else {
    days += s / kSlotCount;
    s %= kSlotCount;
  }
  return {date + days, s};
}

}  // namespace guide
