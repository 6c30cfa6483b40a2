// Number conversions of command arguments; a token that does not convert raises a language error.
#pragma once

#include <cstdint>
#include <string>

int32_t toInt32(const std::string& token);
double toDouble(const std::string& token);
