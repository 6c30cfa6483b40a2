// The engine's program folder: where its settings and profile files lie.
#pragma once

#include <string>

// The folder of the running program, Shift-JIS, with its trailing '\'.
std::string programFolder();
