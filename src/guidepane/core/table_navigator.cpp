#include "table_navigator.h"

#include "../../common/oledate.h"
#include "../texts/guidepane_texts.h"

namespace guide {

Rgb weekdayColor(double date) {
  switch (tavora::oleDayOfWeek(date)) {
    case 0: return {255, 0, 0};
    case 6: return {0, 0, 255};
    default: return {};
  }
}

std::string weekdayCaption(double date) {
  return std::string("(") + texts::kWeekdayShort[tavora::oleDayOfWeek(date)] + ")";
}

std::string dateButtonCaption(double date) {
  const tavora::CivilDateTime t = tavora::decodeOleDate(date);
  return std::to_string(t.month) + texts::kMonthSuffix + "\n\r" + std::to_string(t.day) + texts::kDaySuffix +
         "\n\r" + weekdayCaption(date);
}

bool TableNavigator::hasSavedTables(double date) const {
  for (int i = 0; i < kSlotCount; ++i)
    if (exists_(pagePath(date, i))) return true;
  return false;
}

std::optional<std::string> TableNavigator::showIfSaved(double date, int slot) {
  std::string path = pagePath(date, slot);
  if (!exists_(path)) return std::nullopt;
  currentPage = path;
  currentSlot = slot;
  return path;
}

std::optional<std::string> TableNavigator::showCurrentTime(double now) {
  const SlotAt at = slotOfTime(now);
  currentSlot = at.slot;
  pickerDate = at.date;
  return showTableSlot(at.slot);
}

std::optional<std::string> TableNavigator::showTableSlot(int slot) { return showIfSaved(pickerDate, slot); }

std::optional<std::string> TableNavigator::moveTable(int days, int slots) {
  // Right after the switch to offline mode no slot is shown: a day button opens the first page
  // of the date it names.
  const int from = currentSlot == kAfterOfflineSwitch && slots == 0 ? 0 : currentSlot;
  const SlotAt to = moveSlot(pickerDate, from, days, slots);
  pickerDate = to.date;
  return showIfSaved(pickerDate, to.slot);
}

std::optional<std::string> TableNavigator::changeDate(double date, double now) {
  int shown = -1;
  for (int i = 0; i < kSlotCount && shown < 0; ++i)
    if (lastDown_[i]) shown = i;
  pickerDate = date;
  const NavigatorView v = view(now);
  if (shown >= 0 && v.slotEnabled[shown]) return showTableSlot(shown);
  return std::nullopt;
}

void TableNavigator::enterOffline() {
  currentPage.clear();
  currentSlot = kAfterOfflineSwitch;
}

NavigatorView TableNavigator::view(double now) {
  NavigatorView v;
  auto dateButton = [&](double date) {
    return DateButton{date, dateButtonCaption(date), weekdayColor(date), hasSavedTables(date)};
  };
  v.dayBefore = dateButton(pickerDate - 1);
  v.weekday = weekdayCaption(pickerDate);
  v.weekdayColor = weekdayColor(pickerDate);
  for (int d = 0; d < 5; ++d) v.daysAfter[d] = dateButton(pickerDate + d + 1);

  bool showing = false;
  for (int i = 0; i < kSlotCount; ++i) {
    const std::string path = pagePath(pickerDate, i);
    v.slotEnabled[i] = exists_(path);
    v.slotDown[i] = path == currentPage;
    if (v.slotDown[i]) {
      currentSlot = i;
      showing = true;
    }
  }
  if (showing) {
    const SlotAt previous = moveSlot(pickerDate, currentSlot, 0, -1);
    const SlotAt next = moveSlot(pickerDate, currentSlot, 0, 1);
    v.previousEnabled = exists_(pagePath(previous.date, previous.slot));
    v.nextEnabled = exists_(pagePath(next.date, next.slot));
  }
  const SlotAt nowAt = slotOfTime(now);
  v.nowEnabled = exists_(pagePath(nowAt.date, nowAt.slot));
  lastDown_ = v.slotDown;
  return v;
}

}  // namespace guide
