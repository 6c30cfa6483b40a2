// Number conversions of command arguments; a token that does not convert raises a language error.
#pragma once

#include <cstdint>
#include <string>

int32_t toInt32(const std::string& token);
double toDouble(const std::string& token);

// The engine's command-line argument: a window handle as a decimal number, negative ones taken
// as their 64-bit two's complement. A text that is no number, or out of range, raises.
uint64_t toWindowHandle(const std::string& text);
