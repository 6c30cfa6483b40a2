// Posted to the planbook stand-in with wParam = milliseconds: it answers nothing for that long,
// at once (lParam 0) or when the next block comes (lParam 1).
#pragma once
#include <windows.h>
namespace planbookstub { constexpr UINT kStopAnswering = WM_APP + 1; }
