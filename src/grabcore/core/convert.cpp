#include "convert.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "errors.h"

int32_t toInt32(const std::string& token) {
  size_t i = 0;
  while (i < token.size() && token[i] == ' ') ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '-' || token[i] == '+')) negative = token[i++] == '-';
  if (i == token.size()) throw LanguageError{"'" + token + "' is not a valid integer value"};
  int64_t value = 0;
  for (; i < token.size(); ++i) {
    char c = token[i];
    if (c < '0' || c > '9') throw LanguageError{"'" + token + "' is not a valid integer value"};
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) throw LanguageError{"'" + token + "' is not a valid integer value"};
  }
  if (negative) value = -value;
  if (value > INT32_MAX) throw LanguageError{"'" + token + "' is not a valid integer value"};
  return static_cast<int32_t>(value);
}

double toDouble(const std::string& token) {
  const char* begin = token.c_str();
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(begin, &end);
  while (end && *end == ' ') ++end;
  if (token.empty() || end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(value))
    throw LanguageError{"'" + token + "' is not a valid floating point value"};
  return value;
}

uint64_t toWindowHandle(const std::string& text) {
  const bool negative = !text.empty() && text[0] == '-';
  size_t i = negative ? 1 : 0;
  if (i == text.size()) throw LanguageError{"'" + text + "' is not a valid integer value"};
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9' || value > (UINT64_MAX - 9) / 10)
      throw LanguageError{"'" + text + "' is not a valid integer value"};
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  // Negative handles are signed 64-bit values; the most negative one has no negation and is refused.
  if (negative && value > static_cast<uint64_t>(INT64_MAX))
    throw LanguageError{"'" + text + "' is not a valid integer value"};
  return negative ? 0 - value : value;
}
