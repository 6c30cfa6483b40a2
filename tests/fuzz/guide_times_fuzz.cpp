// The guide's time and slot readers: a cell's time, a link's and a record's date-time tails,
// a page name's date and slot, with the time of day (in minutes) the input's first two bytes give.
#include "fuzz_support.h"
#include "guidepane/core/program_link.h"
#include "guidepane/core/table_scrape.h"
#include "guidepane/core/table_slots.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // Whole minutes, as the guide's times are: a cell's end is compared to the minute.
  const double now = 45000 + (data[0] * 256 + data[1]) % 1440 / 1440.0;
  const std::string text = textOf(data + 2, size - 2);
  if (const std::optional<guide::ClockTime> t = guide::parseCellTime(text)) {
    FUZZ_EXPECT(t->hour >= 0 && t->minute >= 0);
    FUZZ_EXPECT(guide::cellEndTime(now, *t) >= now);
  }
  guide::timeFromLinkTail(text);
  guide::dateFromTail(text);
  uint16_t slotEndHour = 0;
  const guide::TableDate date = guide::tableDate(text, now, slotEndHour);
  if (date.date) guide::slotEndTime(*date.date, slotEndHour);
  const guide::SlotAt slot = guide::slotOfTime(now);
  guide::moveSlot(slot.date, slot.slot, data[0] % 7 - 3, data[1] % 9 - 4);
  return 0;
}
