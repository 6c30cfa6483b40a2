// Shared helpers of the recorder's tests.
#pragma once

#include <string>

// UTF-8 to Shift-JIS, independently of the recorder's text tables.
std::string sj(const std::string& utf8);
