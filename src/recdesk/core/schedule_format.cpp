#include "schedule_format.h"

#include <cstdio>

#include "../../common/oledate.h"
#include "../../common/sjis.h"
#include "../texts/recdesk_texts.h"

namespace {

std::string twoDigits(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

std::string hoursMinutes(double time) {
  tavora::CivilDateTime t = tavora::decodeOleDate(time);
  return twoDigits(t.hour) + ":" + twoDigits(t.minute);
}

}  // namespace

std::string wakeUpParameters(double wakeTime) {
  tavora::CivilDateTime t = tavora::decodeOleDate(wakeTime);
  return "/ON /D" + std::to_string(t.day) + " /H" + std::to_string(t.hour) + " /M" + std::to_string(t.minute) +
         " /S" + std::to_string(t.second);
}

std::string nextReservationTip(const std::string& title, double start) {
  tavora::CivilDateTime t = tavora::decodeOleDate(start);
  return std::string(texts::kNextReservationHead) + title + texts::kNextReservationMiddle + twoDigits(t.month) + "/" +
         twoDigits(t.day) + " " + hoursMinutes(start) + texts::kNextReservationTail;
}

std::string recordingCaptionLine(double start, double end, const std::string& title) {
  return "tune setCaption \"" + hoursMinutes(start) + texts::kTimeRangeSeparator + hoursMinutes(end) + " " + title +
         "\"";
}

std::string datedFileName(const std::string& path, double date) {
  tavora::CivilDateTime t = tavora::decodeOleDate(date);
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "_%02d%02d", t.month, t.day);
  const size_t slash = tavora::sjis::findLast(path, '\\');
  const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = tavora::sjis::findLast(std::string_view(path).substr(nameAt), '.');
  if (dot == std::string::npos) return path + stamp;
  std::string result = path;
  result.insert(nameAt + dot, stamp);
  return result;
}

std::string folderWithBackslash(const std::string& folder) {
  return tavora::sjis::endsWithChar(folder, '\\') ? folder : folder + "\\";
}
