// How a test steers the engine stand-in: WM_COPYDATA blocks to its window with these kinds.
#pragma once

#include <cstdint>

namespace enginestub {

constexpr uint32_t kHold = 0x7A5E0001;     // keep acknowledgements back from now on
constexpr uint32_t kRelease = 0x7A5E0002;  // send the held ones, and acknowledge again
constexpr uint32_t kPost = 0x7A5E0003;     // payload: three uint64 (message, wParam, lParam) to post to the front
constexpr uint32_t kSend = 0x7A5E0004;     // payload: uint64 kind, then the block to send to the front
constexpr uint32_t kEchoMarks = 0x7A5E0005;  // from now on answer "mark n" with TVR_MARK n, as the engine does

// The log beside the stand-in: "start <arguments>", then "<id> <text>" for each request.
constexpr const wchar_t* kLogName = L"engine.log";
// Beside it, the local time each request arrived: "<days since 30 December 1899> <id>".
constexpr const wchar_t* kTimesName = L"engine.times";

}  // namespace enginestub
