// One queued engine request: sent as a WM_COPYDATA text, then posted as a message.
#pragma once

#include <cstdint>
#include <string>

struct CmdMess {
  int32_t msg = 0;        // TVR_ADDARG, TVR_EXECMDFILE, TVR_EXECONELINE or TVR_ADDDWORD
  std::string text;       // command line, command file name or argument name
  int32_t id = 0;         // request id: dwData of the text and lParam of the posted message
  uintptr_t value = 0;    // posted wParam: an address, a 32-bit number, or 0
};
