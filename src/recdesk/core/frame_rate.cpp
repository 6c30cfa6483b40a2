#include "frame_rate.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool isApplicableFrameRate(const std::string& text) {
  // Plain decimal notation only: no blank or quote to split the token, and none of the hex,
  // infinity or leading-space forms a C library's conversion may or may not take.
  if (text.empty()) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-')) return false;
  char* end = nullptr;
  errno = 0;
  const double rate = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(rate) || rate <= 0) return false;
  // The engine's frame time: 10,000,000 / rate cut to an integer, kept only from 1 to below 2^63.
  const double frameTime = std::trunc(10000000.0 / rate);
  return frameTime >= 1.0 && frameTime < 9223372036854775808.0;
}
