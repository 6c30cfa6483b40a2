#include "program_link.h"

#include <algorithm>
#include <cmath>

#include "../../common/oledate.h"
#include "../../common/sjis.h"
#include "divide_url.h"

namespace guide {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// The first occurrence of marker at the start of a line.
size_t findHeader(std::string_view text, std::string_view marker) {
  for (size_t p = text.find(marker); p != std::string_view::npos; p = text.find(marker, p + 1))
    if (p == 0 || isLineEnd(text[p - 1])) return p;
  return std::string_view::npos;
}

// The line's text from from up to its end; end receives the position of the line end (or size).
std::string_view lineFrom(std::string_view text, size_t from, size_t& end) {
  from = std::min(from, text.size());
  end = from;
  while (end < text.size() && !isLineEnd(text[end])) ++end;
  return text.substr(from, end - from);
}

// Past the line end at pos (CR LF, LF or CR).
size_t skipLineEnd(std::string_view text, size_t pos) {
  if (pos < text.size() && text[pos] == '\r') ++pos;
  if (pos < text.size() && text[pos] == '\n') ++pos;
  return pos;
}

bool isReservedDeviceName(std::string_view base) {
  auto upper = [](std::string_view s) {
    std::string u(s);
    for (char& c : u)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
  };
  const std::string u = upper(base.substr(0, base.find('.')));
  if (u == "CON" || u == "PRN" || u == "AUX" || u == "NUL") return true;
  return u.size() == 4 && (u.starts_with("COM") || u.starts_with("LPT")) && u[3] >= '1' && u[3] <= '9';
}

}  // namespace

int numberAt(std::string_view text, size_t pos, size_t width) {
  if (pos > text.size() || width > text.size() - pos) return -1;
  int value = 0;
  for (char c : text.substr(pos, width)) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool isProgramLink(std::string_view url) {
  const divideUrl parts(url);
  return parts.isValid() && parts.getFileName() == "TVpinfo.pl";
}

Navigation beforeNavigate(bool noChannelTable, std::string_view url) {
  if (!isProgramLink(url)) return Navigation::proceed;
  return noChannelTable ? Navigation::refuseNoChannelTable : Navigation::capture;
}

std::optional<double> dateFromTail(std::string_view text) {
  if (text.size() < 16) return std::nullopt;
  const std::string_view tail = text.substr(text.size() - 16);
  const int year = numberAt(tail, 0, 4), month = numberAt(tail, 5, 2), day = numberAt(tail, 8, 2);
  const int hour = numberAt(tail, 11, 2), minute = numberAt(tail, 14, 2);
  if (year < 100 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > kLastListingHour || minute < 0 ||
      minute > 59)
    return std::nullopt;
  const double date = tavora::encodeOleDate(year, month, day);
  if (tavora::decodeOleDate(date).day != day) return std::nullopt;  // 31 April and the like
  // The date the time of day falls on, by whole days, so that 24:30 encodes as 0:30 does.
  const double onDate = date + hour / 24;
  if (!tavora::isValidOleDate(onDate)) return std::nullopt;
  tavora::CivilDateTime t = tavora::decodeOleDate(onDate);
  t.hour = hour % 24;
  t.minute = minute;
  return tavora::encodeOleDateTime(t);
}

std::string stationCode(std::string_view url) {
  const size_t query = url.find('?');
  if (query == std::string_view::npos) return {};
  // The code is the parameter "ch", wherever it stands in the query.
  for (size_t at = query + 1; at < url.size();) {
    const size_t end = std::min(url.find('&', at), url.size());
    const std::string_view parameter = url.substr(at, end - at);
    if (parameter.substr(0, 3) == "ch=") return std::string(parameter.substr(3));
    at = end + 1;
  }
  return {};
}

double firstAtOrAfter(double start, int hour, int minute) {
  const double day = std::floor(start);
  const int minutes = hour % 24 * 60 + minute;
  const double candidate = day + minutes / 1440.0;
  // Compared to the minute: start comes from whole minutes too.
  const double startMinutes = std::round((start - day) * 1440.0);
  return minutes >= startMinutes ? candidate : candidate + 1;
}

std::optional<ProgramFields> parseProgramInfo(std::string_view url, std::string_view record) {
  const std::optional<double> start = dateFromTail(url);
  const size_t endLine = findHeader(record, "end:");
  const size_t titleLine = findHeader(record, "program-title:");
  if (!start || endLine == std::string_view::npos || titleLine == std::string_view::npos) return std::nullopt;
  const int hour = numberAt(record, endLine + 5, 2), minute = numberAt(record, endLine + 8, 2);
  if (hour < 0 || hour > kLastListingHour || minute < 0 || minute > 59) return std::nullopt;

  ProgramFields f;
  f.start = *start;
  f.end = firstAtOrAfter(*start, hour, minute);
  f.station = stationCode(url);
  size_t lineEnd = 0;
  f.title = lineFrom(record, titleLine + 15, lineEnd);
  const size_t subtitleLine = findHeader(record, "program-subtitle:");
  if (subtitleLine != std::string_view::npos) f.subtitle = lineFrom(record, subtitleLine + 17, lineEnd);
  // The description follows the empty line after the last header line read.
  size_t body = skipLineEnd(record, lineEnd);
  if (body < record.size() && isLineEnd(record[body])) body = skipLineEnd(record, body);
  f.description = record.substr(body);
  return f;
}

std::optional<std::string> recordFromAnswer(int httpStatus, std::string_view body) {
  if (httpStatus != 200) return std::nullopt;
  body = body.substr(0, std::min(kMaxRecordBytes, body.size()));
  return std::string(body.substr(0, body.find('\0')));
}

std::optional<std::string> savedRecordName(std::string_view extraInfo) {
  if (extraInfo.size() < 2) return std::nullopt;
  std::string name(extraInfo.substr(1));
  static constexpr std::string_view kReplaced = ";/=&+:\\*?\"<>|";
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (tavora::sjis::isLeadByte(c) && i + 1 < name.size() &&
        tavora::sjis::isTrailByte(static_cast<unsigned char>(name[i + 1]))) {
      ++i;
      continue;
    }
    if (c < 0x20 || c == 0x7F || kReplaced.find(static_cast<char>(c)) != std::string_view::npos) name[i] = '_';
  }
  if (isReservedDeviceName(name)) name = "_" + name;
  return name + ".txt";
}

}  // namespace guide
