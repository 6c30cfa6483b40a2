// The owner window of a device dialog, named by the front end as a number.
#pragma once

#include <windows.h>

#include <cstdint>

// Window handles travel as 32-bit numbers; the system sign-extends them.
inline HWND windowOf(uint64_t number) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(static_cast<uint32_t>(number))));
}
