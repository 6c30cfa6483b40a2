// The rules of the reservation and manual-recording settings pages: what a typed number stores,
// how the early start is shown, the recordings folder and the manual-recording profile.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace options {

// A second count of the timer settings: a whole number from 1 to 65535 (the field is 16 bits
// wide, so a larger one would store its low bits). Anything else stores nothing.
std::optional<uint16_t> secondCount(std::string_view text);

// The early start as typed, in seconds, as the stored days (negative is earlier). Finite
// numbers only: "nan" or "inf" would stall the scheduler.
std::optional<double> earlyStartDays(std::string_view text);

// The stored early start shown as whole seconds, rounded to the nearest (truncating would lower
// it a second at some showings). A damaged value shows as 0.
std::string earlyStartText(double days);

// A chosen folder as stored: with a trailing "\" unless it has one (a trail byte 5C of a
// double-byte character is no backslash).
std::string folderWithBackslash(std::string path);

// The profile box of the manual-recording page: the listed names, and "ＴＶ" appended when the
// stored profile is not among them (unless a file of that name was listed).
struct ProfileChoice {
  std::vector<std::string> items;
  int selected = -1;
  std::string profile;  // the manual-recording profile from now on
};
ProfileChoice manualProfile(std::vector<std::string> listed, const std::string& stored);

// The manual-recording file goes to the engine between double quotes, so it may hold none, nor
// a character no path holds ("*?<>|", control characters); a trail byte 7C is no "|".
bool recordFileNameAllowed(std::string_view name);

}  // namespace options
