// Program links of the listing site and their information records. A link is a program link when
// the last segment of its path is exactly "TVpinfo.pl"; its last 16 characters carry the
// program's start as YYYY?MM?DD?HH?MM and its query the station code after "ch=".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace guide {

bool isProgramLink(std::string_view url);
// The decimal number in text[pos, pos + width), or -1 when it is not all digits or runs past the end.
int numberAt(std::string_view text, size_t pos, size_t width);

// What a navigation of the browser leads to: a program link is captured instead of followed, or,
// while the channel table is missing, told that no reservation can be made; others go ahead.
enum class Navigation { refuseNoChannelTable, proceed, capture };
Navigation beforeNavigate(bool noChannelTable, std::string_view url);
// Listings write the hours after midnight as those of the broadcast day that began before it:
// 24:30 is 0:30 of the next date. Such hours run up to 29 (5:59 of the next date).
constexpr int kLastListingHour = 29;
// The date-time in the text's last 16 characters; nothing when the text is shorter or the
// digits are no date and time.
std::optional<double> dateFromTail(std::string_view text);
// The value of the query's parameter "ch" (from a "ch=" that starts a parameter up to the next
// "&"); empty when there is none.
std::string stationCode(std::string_view url);
// The first instant at or after start whose time of day is hour:minute (hours past 23 being the
// next date's: the first such instant is the same).
double firstAtOrAfter(double start, int hour, int minute);

// What a capture fills into the reservation check.
struct ProgramFields {
  double start = 0;
  double end = 0;
  std::string station;
  std::string title;
  std::string subtitle;
  std::string description;
};

// A record is the header lines "end:", "program-title:" and optionally "program-subtitle:", an
// empty line and the description. Nothing when the link carries no start or the record lacks
// a header line or a readable end time (an error page, a cut answer).
std::optional<ProgramFields> parseProgramInfo(std::string_view url, std::string_view record);

// The record in an answer of the site: only a successful answer (status 200) holds one; the text
// goes up to its first NUL and at most kMaxRecordBytes.
constexpr size_t kMaxRecordBytes = 4096;
std::optional<std::string> recordFromAnswer(int httpStatus, std::string_view body);

// The record's file name from the link's extra information: the query without its "?", every
// character that a file name may not hold replaced by "_", and ".txt". Nothing without a query.
std::optional<std::string> savedRecordName(std::string_view extraInfo);
}  // namespace guide
