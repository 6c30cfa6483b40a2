// Reads a clicked program's values out of the table page on screen, when no information record
// is to be had: the date and slot from the page's name, the title and description from the
// link's cell, the end from the cell's time, the next program in the same station column, or
// the end of the table's slot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document.h"
#include "program_link.h"

namespace guide {

struct TableDate {
  std::optional<double> date;  // the table's date (0:00); nothing: no reservation from this page
  const char* message = nullptr;  // what to tell the user when there is no date
};
// From the shown page's address (name MMDDhh...): a date within today .. today + 183 days,
// this year's or the next; slotEndHour receives the end hour of the page's slot.
TableDate tableDate(std::string_view locationUrl, double now, uint16_t& slotEndHour);

struct ClockTime {
  int hour;  // as written: up to kLastListingHour
  int minute;
};
// A time written at the end of a cell's text: "(h:mm)", "(hh:mm)", four full-width digits, or
// four full-width digits in full-width brackets; trailing blanks and full-width spaces ignored.
std::optional<ClockTime> parseCellTime(std::string_view cellText);
// The end of a program starting at start whose cell shows t: the table writes afternoon times
// both ways, so t and t + 12 hours are both candidates; the first at or after the start wins.
// An hour past 23 is written the 24-hour way and has no other reading.
double cellEndTime(double start, ClockTime t);
// The date-time in the last 16 characters of a link's query, when the query is longer than 17.
std::optional<double> timeFromLinkTail(std::string_view text);
// The end of the table's slot (1:00 of the next date for the "23" table).
double slotEndTime(double tableDate, uint16_t slotEndHour);

// The host by which the scrape knows the site's own links: that of the stored base address, so
// that the one setting a user changes serves both.
std::string listingHostOf(std::string_view baseAddress);

struct ScrapeResult {
  std::optional<ProgramFields> fields;  // nothing: show no reservation check
  std::vector<const char*> messages;    // plain message boxes, in order
};
ScrapeResult scrapeProgramFromTable(const DomDocument& document, std::string_view linkUrl, double now,
                                    std::string_view listingHost, uint16_t& slotEndHour);

}  // namespace guide
