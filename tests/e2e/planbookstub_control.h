// What a test can tell the planbook stand-in.
#pragma once

#include <windows.h>

namespace planbookstub {

// Posted with wParam = milliseconds: the stand-in answers nothing for that long, at once
// (lParam 0) or when the next block comes (lParam 1).
constexpr UINT kStopAnswering = WM_APP + 1;

}  // namespace planbookstub
