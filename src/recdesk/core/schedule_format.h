// Texts the scheduler builds from times and names: the wake-up program's parameters, the tray
// tip, the recording caption, and the recording file name with the date.
#pragma once

#include <string>

// "/ON /D<day> /H<hour> /M<minute> /S<second>", without leading zeros.
std::string wakeUpParameters(double wakeTime);
// "次の予約は「<title>」 mm/dd hh:nn～ です".
std::string nextReservationTip(const std::string& title, double start);
// The caption line "tune setCaption "hh:nn～hh:nn <title>"".
std::string recordingCaptionLine(double start, double end, const std::string& title);
// "_mmdd" of the date inserted before the last "." of the file name (not of a folder), or
// appended when the file name has none.
std::string datedFileName(const std::string& path, double date);
// The folder with one trailing "\" (a double-byte character's trail byte is not one).
std::string folderWithBackslash(const std::string& folder);
