#include "table_scrape.h"

#include <algorithm>
#include <cmath>

#include "../../common/oledate.h"
#include "../../common/sjis.h"
#include "../texts/guidepane_texts.h"
#include "divide_url.h"
#include "table_slots.h"

namespace guide {

namespace {

constexpr int kDaysAhead = 183;

int twoDigits(std::string_view s, size_t pos) { return numberAt(s, pos, 2); }

// The table's date in the given year, when that date exists and lies within [today, limit].
std::optional<double> dateWithin(int year, int month, int day, double today) {
  const double date = tavora::encodeOleDate(year, month, day);
  if (tavora::decodeOleDate(date).day != day) return std::nullopt;
  if (date < today || date > today + kDaysAhead) return std::nullopt;
  return date;
}

// Positions at which characters start, so that a byte pair is matched only as a whole character.
std::vector<bool> characterStarts(std::string_view s) {
  std::vector<bool> starts(s.size() + 1, false);
  for (size_t i = 0; i < s.size(); ++i) {
    starts[i] = true;
    if (tavora::sjis::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
  }
  starts[s.size()] = true;
  return starts;
}

bool holdsLink(const DomElement& element, std::string_view url) {
  for (const auto& link : element.tags("A"))
    if (link->href() == url) return true;
  return false;
}

// The cells nested in a cell of a layout table when one of them holds the link (the layout's cell
// holds the program table's cells, and with them every program's link); none otherwise.
size_t innerCellsHolding(const DomElement& cell, std::string_view url) {
  const DomElements inner = cell.tags("TD");
  for (const auto& c : inner)
    if (holdsLink(*c, url)) return inner.size();
  return 0;
}

std::string_view trimCell(std::string_view s) {
  for (;;) {
    const size_t before = s.size();
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
    const std::vector<bool> starts = characterStarts(s);
    while (s.size() >= 2 && starts[s.size() - 2] && s.substr(s.size() - 2) == "\x81\x40") s.remove_suffix(2);
    if (s.size() == before) return s;
  }
}

// The full-width digit at pos (0x82 0x4F .. 0x58), or -1.
int wideDigit(std::string_view s, size_t pos) {
  if (pos + 2 > s.size() || static_cast<unsigned char>(s[pos]) != 0x82) return -1;
  const unsigned char d = static_cast<unsigned char>(s[pos + 1]);
  return d >= 0x4F && d <= 0x58 ? d - 0x4F : -1;
}

std::optional<ClockTime> wideClock(std::string_view s, size_t pos) {
  int v[4];
  for (int i = 0; i < 4; ++i)
    if ((v[i] = wideDigit(s, pos + 2 * i)) < 0) return std::nullopt;
  return ClockTime{v[0] * 10 + v[1], v[2] * 10 + v[3]};
}

std::optional<ClockTime> recognise(std::string_view t) {
  const size_t n = t.size();
  const std::vector<bool> starts = characterStarts(t);
  if (n >= 6 && t[n - 1] == ')' && t[n - 4] == ':') {
    const int minute = twoDigits(t, n - 3);
    if (t[n - 6] == '(' && starts[n - 6]) return ClockTime{numberAt(t, n - 5, 1), minute};
    if (n >= 7 && t[n - 7] == '(' && starts[n - 7]) return ClockTime{twoDigits(t, n - 6), minute};
  }
  if (n >= 8 && starts[n - 8])
    if (auto c = wideClock(t, n - 8)) return c;
  if (n >= 12 && starts[n - 12] && t.substr(n - 12, 2) == "\x81\x69" && t.substr(n - 2) == "\x81\x6A")
    return wideClock(t, n - 10);
  return std::nullopt;
}

}  // namespace

TableDate tableDate(std::string_view locationUrl, double now, uint16_t& slotEndHour) {
  const divideUrl parts(locationUrl);
  if (!parts.isValid()) return {std::nullopt, texts::kPastTable};
  const std::string name = parts.getFileName();
  const int month = twoDigits(name, 0), day = twoDigits(name, 2), hour = twoDigits(name, 4);
  const int slot = slotOfStartHour(hour);
  if (month < 1 || month > 12 || day < 1 || slot < 0) return {std::nullopt, texts::kUnexpectedTableName};
  slotEndHour = static_cast<uint16_t>(guide::slotEndHour(slot));
  // The guide's day runs from 1:00: before it, the previous date's "23" page is still current.
  const double today = std::floor(now) - (tavora::decodeOleDate(now).hour == 0 ? 1 : 0);
  const int year = tavora::decodeOleDate(today).year;
  if (auto date = dateWithin(year, month, day, today)) return {date, nullptr};
  if (auto date = dateWithin(year + 1, month, day, today)) return {date, nullptr};
  return {std::nullopt, texts::kPastTable};
}

std::optional<ClockTime> parseCellTime(std::string_view cellText) {
  std::optional<ClockTime> t = recognise(trimCell(cellText));
  if (!t || t->hour < 0 || t->hour > kLastListingHour || t->minute < 0 || t->minute > 59) return std::nullopt;
  return t;
}

double cellEndTime(double start, ClockTime t) {
  double end = firstAtOrAfter(start, t.hour, t.minute);
  if (t.hour < 12) end = std::min(end, firstAtOrAfter(start, t.hour + 12, t.minute));
  return end;
}

std::string listingHostOf(std::string_view baseAddress) {
  const divideUrl parts(baseAddress);
  return parts.isValid() ? parts.getHost() : std::string();
}

std::optional<double> timeFromLinkTail(std::string_view text) {
  if (text.size() <= 17) return std::nullopt;
  return dateFromTail(text);
}

double slotEndTime(double tableDate, uint16_t slotEndHour) {
  return std::floor(tableDate) + (slotEndHour == 1 ? 1 : 0) + slotEndHour / 24.0;
}

ScrapeResult scrapeProgramFromTable(const DomDocument& document, std::string_view linkUrl, double now,
                                    std::string_view listingHost, uint16_t& slotEndHour) {
  ScrapeResult result;
  const std::optional<double> start = dateFromTail(linkUrl);
  if (!start) {
    result.messages.push_back(texts::kNoTimeInUrl);
    return result;
  }
  const TableDate table = tableDate(document.locationUrl(), now, slotEndHour);
  if (!table.date) {
    result.messages.push_back(table.message);
    return result;
  }

  const DomElements cells = document.tags("TD");
  const DomElement* programCell = nullptr;
  size_t programIndex = 0;
  long programColumn = 0;
  // Where the cells nested in the innermost layout cell around the program's table end: the
  // layout's own later cells stand in columns of their own.
  size_t cellsEnd = cells.size();
  std::optional<double> end;
  for (size_t ci = 0; ci < cells.size() && !end; ++ci) {
    const DomElement& cell = *cells[ci];
    for (const auto& link : cell.tags("A")) {
      const std::string href = link->href();
      if (programCell && ci > programIndex && ci < cellsEnd && cell.offsetLeft() == programColumn) {
        const divideUrl next(href);
        if (next.isValid() && next.getHost() == listingHost) {
          end = timeFromLinkTail(next.getExtraInfo());
          // A next program that does not start after this one tells nothing: the slot's end does.
          if (!end || *end <= *start) {
            if (!end) result.messages.push_back(texts::kNoTimeInUrl);
            end = slotEndTime(*table.date, slotEndHour);
          }
          break;
        }
      }
      if (!programCell && href == linkUrl) {
        // The program's cell is the innermost that holds the link; an outer one comes first.
        if (const size_t inner = innerCellsHolding(cell, linkUrl)) {
          cellsEnd = ci + 1 + inner;
          break;
        }
        programCell = &cell;
        programIndex = ci;
        programColumn = cell.offsetLeft();
        if (auto t = parseCellTime(cell.innerText())) {
          end = cellEndTime(*start, *t);
          break;
        }
      }
    }
  }
  if (!programCell) {
    result.messages.push_back(texts::kProgramNotInTable);
    return result;
  }
  const DomElements bold = programCell->tags("B");
  if (bold.empty()) {
    result.messages.push_back(texts::kProgramNotInTable);
    return result;
  }

  ProgramFields f;
  f.start = *start;
  f.end = end ? *end : slotEndTime(*table.date, slotEndHour);
  f.station = stationCode(linkUrl);
  f.title = bold.front()->innerText();
  f.description = programCell->innerText();
  result.fields = std::move(f);
  return result;
}

}  // namespace guide
