// The frame rate a user types for the engine's "cVCap setFrameRate": it must be one token
// of the command line that the engine converts to a rate it applies, one whose frame time
// (10,000,000 / rate, cut to whole 100 ns units) is at least 1 and below 2^63.
#pragma once

#include <string>

bool isApplicableFrameRate(const std::string& text);
