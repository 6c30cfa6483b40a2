// UTF-8 to Shift-JIS for tests, independently of the programs' text tables.
#pragma once

#include <string>

std::string sj(const std::string& utf8);
